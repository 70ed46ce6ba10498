#pragma once

// The maker and supplier books on a real main window and a real database: rows of both tables
// and the rows that refer to them, the view chooser answered from a timer, and the web
// addresses the cards hand to the desktop, recorded instead of opened.

#include "tests/refbooks/RefBooksTestSupport.h"

#include "core/KVWebAddress.h"
#include "refbooks/frmMaker.h"
#include "refbooks/frmMakerEdit.h"
#include "refbooks/frmSupplier.h"
#include "refbooks/frmSupplierEdit.h"
#include "shell/KVButtonEdit.h"
#include "shell/frmOpenDataMode.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

class TMakerSupplierTest : public TRefBookTest {
protected:
    void SetUp() override {
        TRefBookTest::SetUp();
        FUrlHook.emplace([this](const QUrl& AUrl) { OpenedUrls << AUrl.toString(); });
    }
    void TearDown() override {
        TRefBookTest::TearDown();
        FUrlHook.reset();
    }

    // The database of the test; new makers and suppliers get IDs from 1001 on, clear of those
    // the tests insert.
    TTestDataBase& Base() {
        TTestDataBase& db = DB();
        if (!FGeneratorsSet) {
            FGeneratorsSet = true;
            db.Exec(QStringLiteral("ALTER SEQUENCE GEN_T_MAKER_ID RESTART WITH 1000"));
            db.Exec(QStringLiteral("ALTER SEQUENCE GEN_T_SUPPLIER_ID RESTART WITH 1000"));
        }
        return db;
    }
    static QString SqlText(const QString& AValue) {
        if (AValue.isEmpty())
            return QStringLiteral("NULL");
        QString text = AValue;
        return QStringLiteral("'%1'").arg(text.replace(u'\'', QStringLiteral("''")));
    }
    void AddMaker(quint32 ADBId, quint32 AId, const QString& AName, const QString& AUrl = QString(),
                  const QString& ADescription = QString()) {
        Base().Exec(QStringLiteral("INSERT INTO T_MAKER (DBID, ID, S_NAME, S_URL, S_DESCRIPTION, "
                                   "V_FLAG, C_TIMESTAMP) VALUES (%1, %2, %3, %4, %5, 0, "
                                   "'2024-03-01 10:00:00')")
                        .arg(ADBId)
                        .arg(AId)
                        .arg(SqlText(AName), SqlText(AUrl), SqlText(ADescription)));
    }
    // An element type of the maker.
    void AddElementType(quint32 AId, quint32 AMakerDBId, quint32 AMakerId) {
        Base().Exec(QStringLiteral("INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, "
                                   "MAKERDBID, MAKERID, S_TYPENAME, V_FLAG) VALUES (1011, %1, "
                                   "1011, 1, %2, %3, 'KT315', 0)")
                        .arg(AId)
                        .arg(AMakerDBId)
                        .arg(AMakerId));
    }
    void AddSupplier(quint32 AId, const QString& AName, const QString& AAddress = QString(),
                     const QString& APhone = QString(), const QString& AUrl = QString(),
                     const QString& AText = QString()) {
        Base().Exec(QStringLiteral("INSERT INTO T_SUPPLIER (ID, S_NAME, S_ADDRESS, S_PHONE, "
                                   "S_URL, S_TEXT, V_FLAG, C_TIMESTAMP) VALUES (%1, %2, %3, %4, "
                                   "%5, %6, 0, '2024-03-01 10:00:00')")
                        .arg(AId)
                        .arg(SqlText(AName), SqlText(AAddress), SqlText(APhone), SqlText(AUrl),
                             SqlText(AText)));
    }
    // A price of the supplier.
    void AddPrice(quint32 AId, quint32 ASupplierId) {
        Base().Exec(QStringLiteral("INSERT INTO T_ELEMENT_SUPPLIER (ID, ELEMENTTYPEDBID, "
                                   "ELEMENTTYPEID, SUPPLIERID, V_PRICE, V_FLAG) VALUES (%1, 1011, "
                                   "1, %2, 1.5, 0)")
                        .arg(AId)
                        .arg(ASupplierId));
    }
    QString Text(const QString& ASQL) { return Scalar(ASQL).toString(); }

    TfrmMaker* OpenMakers() {
        Base();
        TfrmMaker* host = OpenRBMaker();
        EXPECT_NE(host, nullptr);
        return host;
    }
    TfrmSupplier* OpenSuppliers() {
        Base();
        TfrmSupplier* host = OpenRBSupplier();
        EXPECT_NE(host, nullptr);
        return host;
    }
    template <class TCard> std::vector<TCard*> OpenCards() {
        return Main().FindMDIChildren<TCard>();
    }

    // Answers the next view chooser: records the views it lists, then takes the first
    // (AAccept) or cancels.
    void AnswerChooser(bool AAccept) {
        AnswerModal<TfrmOpenDataMode>([this, AAccept](TfrmOpenDataMode* ADialog) {
            ChooserViews.clear();
            for (int i = 0; i < ADialog->ListView()->topLevelItemCount(); ++i)
                ChooserViews << ADialog->RowType(i);
            ADialog->done(AAccept ? QDialog::Accepted : QDialog::Rejected);
        });
    }

    QStringList OpenedUrls;  // addresses handed to the desktop, in order
    QList<int> ChooserViews; // the views the last chooser listed
    bool FGeneratorsSet = false;

private:
    std::optional<TOpenUrlHookScope> FUrlHook;
};
