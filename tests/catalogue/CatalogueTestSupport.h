#pragma once

// The catalogue on a real main window and a real database: the list-window fixture with helpers
// that fill the catalogue's tables (classes, cases, makers, units, base parameters, element
// types, parameter values, pins, suppliers and prices, storage places and stock) by SQL.

#include "tests/views/ViewsTestSupport.h"

#include "catalogue/KVCatalogue.h"
#include "catalogue/frmElementType.h"
#include "shell/KVOpeners.h"

class TCatalogueTest : public TViewsTest {
protected:
    void SetUp() override {
        TViewsTest::SetUp();
        RegisterCatalogueWindows();
        ::LocalConfig = false; // layout rows are checked where they are the subject
    }

    // Runs ASQL with %1, %2 ... replaced by the values, texts quoted and NULL for null ones.
    void Exec(const QString& ASQL, const QVariantList& AValues) {
        QString sql = ASQL;
        for (const QVariant& value : AValues) {
            QString text;
            if (value.isNull())
                text = QStringLiteral("NULL");
            else if (value.typeId() == QMetaType::QString)
                text = QLatin1Char('\'') + value.toString().replace(u'\'', QStringLiteral("''")) +
                       QLatin1Char('\'');
            else
                text = value.toString();
            sql = sql.arg(text);
        }
        DB().Exec(sql);
    }
    static QVariant Null() { return QVariant(); }

    void AddClass(quint32 AId, const QString& AName, int AIconId = -1) {
        Exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, S_NAME, ICONID, V_FLAG) VALUES "
                            "(1011, %1, %2, %3, 0)"),
             {AId, AName, AIconId < 0 ? Null() : QVariant(AIconId)});
    }
    void AddCase(quint32 AId, const QString& AName, int AMountType = 0, int AVisualType = 0) {
        Exec(QStringLiteral("INSERT INTO T_CASE (DBID, ID, S_TYPENAME, V_MOUNTTYPE, V_CV_PTTTYPE, "
                            "V_FLAG) VALUES (1011, %1, %2, %3, %4, 0)"),
             {AId, AName, AMountType, AVisualType});
    }
    void AddMaker(quint32 AId, const QString& AName) {
        Exec(QStringLiteral(
                 "INSERT INTO T_MAKER (DBID, ID, S_NAME, V_FLAG) VALUES (1011, %1, %2, 0)"),
             {AId, AName});
    }
    void AddType(quint32 AId, quint32 AClassId, const QString& AName,
                 const QString& AMarking = QString(), quint32 ACaseId = 0, quint32 AMakerId = 0,
                 const QString& ADescription = QString()) {
        Exec(QStringLiteral("INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, CASEDBID, "
                            "CASEID, MAKERDBID, MAKERID, S_TYPENAME, S_MARKING, S_DESCRIPTION, "
                            "V_FLAG) VALUES (1011, %1, 1011, %2, %3, %4, %5, %6, %7, %8, %9, 0)"),
             {AId, AClassId, ACaseId ? QVariant(1011) : Null(),
              ACaseId ? QVariant(ACaseId) : Null(), AMakerId ? QVariant(1011) : Null(),
              AMakerId ? QVariant(AMakerId) : Null(), AName,
              AMarking.isEmpty() ? Null() : QVariant(AMarking),
              ADescription.isEmpty() ? Null() : QVariant(ADescription)});
    }
    void AddBaseParam(quint32 AId, quint32 AClassId, const QString& AName, quint32 AUnitId = 0,
                      const QString& AUPID = QString()) {
        Exec(QStringLiteral("INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, UNITDBID, "
                            "UNITID, S_NAME, V_SELVALTYPE, UPID, V_FLAG) VALUES (1011, %1, 1011, "
                            "%2, %3, %4, %5, 0, %6, 0)"),
             {AId, AClassId, AUnitId ? QVariant(1011) : Null(),
              AUnitId ? QVariant(AUnitId) : Null(), AName,
              AUPID.isEmpty() ? Null() : QVariant(AUPID)});
    }
    // A typical value (or a text) of the base parameter for the type.
    void AddValue(quint32 AId, quint32 ATypeId, quint32 ABaseParamId, const QVariant& ATypeVal,
                  quint32 AUnitId = 0, const QString& AText = QString()) {
        Exec(QStringLiteral("INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                            "BASEPARAMDBID, BASEPARAMID, UNITDBID, UNITID, S_NAME, V_TYPEVAL, "
                            "S_STRVAL, V_FLAG) VALUES (1011, %1, 1011, %2, 1011, %3, %4, %5, "
                            "'p', %6, %7, 0)"),
             {AId, ATypeId, ABaseParamId, AUnitId ? QVariant(1011) : Null(),
              AUnitId ? QVariant(AUnitId) : Null(), ATypeVal,
              AText.isEmpty() ? Null() : QVariant(AText)});
    }
    void AddPin(quint32 AId, quint32 ATypeId) {
        Exec(QStringLiteral("INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, "
                            "S_NAME, V_FLAG) VALUES (1011, %1, 1011, %2, %1, 'A', 0)"),
             {AId, ATypeId});
    }
    void AddSupplier(quint32 AId, const QString& AName) {
        Exec(QStringLiteral("INSERT INTO T_SUPPLIER (ID, S_NAME, V_FLAG) VALUES (%1, %2, 0)"),
             {AId, AName});
    }
    void AddPrice(quint32 AId, quint32 ATypeId, quint32 ASupplierId, double APrice) {
        Exec(QStringLiteral("INSERT INTO T_ELEMENT_SUPPLIER (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                            "SUPPLIERID, V_PRICE, V_FLAG) VALUES (%1, 1011, %2, %3, %4, 0)"),
             {AId, ATypeId, ASupplierId, APrice});
    }
    void AddStock(quint32 AId, quint32 ATypeId, double ACount = 1) {
        Exec(QStringLiteral("INSERT INTO T_ELEMENT_AVAIL (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                            "V_COUNT_FLOAT, V_FLAG) VALUES (%1, 1011, %2, %3, 0)"),
             {AId, ATypeId, ACount});
    }

    T_frmElementType* OpenOnClass(quint32 AClassId, bool AWithBaseParams = true) {
        DB();
        TfrmElementType* host = OpenRBElementTypeOnClass(1011, AClassId, AWithBaseParams);
        EXPECT_NE(host, nullptr);
        return host ? host->BookFrame() : nullptr;
    }
};
