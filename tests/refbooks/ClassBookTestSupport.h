#pragma once

// The class book on a real main window and database: helpers that fill the class, element-type
// and base-parameter tables, open the class window, and read its tree as text.

#include "tests/refbooks/RefBooksTestSupport.h"

#include "refbooks/frmClass.h"
#include "refbooks/frmClassEdit.h"

class TClassBookTest : public TRefBookTest {
protected:
    void SetUp() override {
        TRefBookTest::SetUp();
        FSavedViewCountItems = ::ViewCountItems;
        ::ViewCountItems = true;
    }
    void TearDown() override {
        TRefBookTest::TearDown();
        ::ViewCountItems = FSavedViewCountItems;
    }

    // The test's database, connected; new classes and base parameters get IDs from 1001 on,
    // clear of those the tests insert.
    TTestDataBase& ClassDB() {
        if (!FSequencesSet) {
            FSequencesSet = true;
            NewDB();
            FDB->Exec(QStringLiteral("ALTER SEQUENCE GEN_T_CLASS_ID RESTART WITH 1000"));
            FDB->Exec(QStringLiteral("ALTER SEQUENCE GEN_T_BASE_PARAM_ID RESTART WITH 1000"));
        }
        return DB();
    }

    void AddClass(quint32 ADBId, quint32 AId, const QString& AName, quint32 AParentId = 0,
                  quint32 AParentDBId = 1011, int AIconId = -1) {
        const auto number = [](qint64 AValue, bool ANull) {
            return ANull ? QStringLiteral("NULL") : QString::number(AValue);
        };
        ClassDB().Exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, "
                                      "S_NAME, ICONID, V_FLAG) VALUES (%1, %2, %3, %4, '%5', "
                                      "%6, 0)")
                           .arg(ADBId)
                           .arg(AId)
                           .arg(number(AParentDBId, AParentId == 0),
                                number(AParentId, AParentId == 0), AName,
                                number(AIconId, AIconId < 0)));
    }
    void AddElementType(quint32 AId, quint32 AClassId, quint32 AClassDBId = 1011) {
        ClassDB().Exec(QStringLiteral("INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, "
                                      "S_TYPENAME, V_FLAG) VALUES (1011, %1, %2, %3, 'ET%1', 0)")
                           .arg(AId)
                           .arg(AClassDBId)
                           .arg(AClassId));
    }
    // A base parameter; AUnitId 0: no unit; empty texts are NULL.
    void AddBaseParam(quint32 AId, quint32 AClassId, const QString& AName,
                      const QString& AUPID = QString(), quint32 AUnitId = 0,
                      const QString& ADescription = QString(), int ASelValType = 0) {
        const auto text = [](const QString& AValue) {
            return AValue.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(AValue);
        };
        ClassDB().Exec(
            QStringLiteral("INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, UNITDBID, "
                           "UNITID, S_NAME, S_DESCRIPTION, V_SELVALTYPE, UPID, V_FLAG) VALUES "
                           "(1011, %1, 1011, %2, %3, %4, '%5', %6, %7, %8, 5)")
                .arg(AId)
                .arg(AClassId)
                .arg(AUnitId == 0 ? QStringLiteral("NULL") : QStringLiteral("1011"),
                     AUnitId == 0 ? QStringLiteral("NULL") : QString::number(AUnitId), AName,
                     text(ADescription), QString::number(ASelValType), text(AUPID)));
    }

    TfrmClass* OpenClassHost() {
        ClassDB();
        TfrmClass* host = OpenRBClass();
        EXPECT_NE(host, nullptr);
        return host;
    }

    // The tree as text: every node (collapsed ones included) in the tree's order, children in
    // brackets after their parent: "A [B [C]], D".
    static QString TreeText(const T_frmClass* AFrame) {
        const std::function<QString(const std::vector<TKVTreeNode*>&)> level =
            [&level](const std::vector<TKVTreeNode*>& ANodes) {
                QStringList texts;
                for (const TKVTreeNode* node : ANodes)
                    texts << (node->Children.empty()
                                  ? node->Text()
                                  : node->Text() + QStringLiteral(" [") + level(node->Children) +
                                        QLatin1Char(']'));
                return texts.join(QStringLiteral(", "));
            };
        return level(AFrame->TreeModel()->TopLevel());
    }

    // Selects the node of a class and gives the tree the focus.
    static void Select(T_frmClass* AFrame, quint32 AId, quint32 ADBId = 1011) {
        AFrame->SelectRecord(ADBId, AId);
        FocusList(AFrame);
    }

    std::vector<TfrmClassEdit*> ClassCards() { return Main().FindMDIChildren<TfrmClassEdit>(); }

private:
    bool FSavedViewCountItems = false;
    bool FSequencesSet = false;
};
