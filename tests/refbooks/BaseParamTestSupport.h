#pragma once

// The base-parameter book on a real main window and database: the unit-book fixture with the
// two propagation options kept, and helpers that fill classes, units, base parameters and
// parameter values and read back what the parameter values hold.

#include "tests/refbooks/RefBooksTestSupport.h"

#include "refbooks/frmBaseParam.h"
#include "refbooks/frmBaseParamEdit.h"
#include "shell/KVButtonEdit.h"

#include <QPushButton>

class TBaseParamTest : public TRefBookTest {
protected:
    void SetUp() override {
        TRefBookTest::SetUp();
        // New base parameters get IDs from 1000 on, clear of those the tests insert.
        NewDB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_BASE_PARAM_ID RESTART WITH 1000"));
        FSavedPropagation = {::ChangeUnitOnBaseParam, ::ChangeUPIDOnBaseParam};
    }
    void TearDown() override {
        TRefBookTest::TearDown();
        std::tie(::ChangeUnitOnBaseParam, ::ChangeUPIDOnBaseParam) = FSavedPropagation;
    }

    static QString Text(const QString& AValue) {
        return AValue.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(AValue);
    }
    static QString Key(quint32 AId, quint32 ADBId = 1011) {
        return AId == 0 ? QStringLiteral("NULL, NULL")
                        : QStringLiteral("%1, %2").arg(ADBId).arg(AId);
    }

    void AddClass(quint32 ADBId, quint32 AId, const QString& AName) {
        DB().Exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, S_NAME, V_FLAG) VALUES (%1, %2, "
                                 "'%3', 0)")
                      .arg(ADBId)
                      .arg(AId)
                      .arg(AName));
    }
    // A base parameter of class (1011, AClassId) with unit (1011, AUnitId), none for 0.
    void AddBaseParam(quint32 AId, quint32 AClassId, const QString& AName, quint32 AUnitId = 0,
                      const QString& AUPID = QString(), const QString& ADescription = QString(),
                      int AValueType = 0, quint32 ADBId = 1011) {
        DB().Exec(QStringLiteral("INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, "
                                 "UNITDBID, UNITID, S_NAME, S_DESCRIPTION, V_SELVALTYPE, UPID, "
                                 "V_FLAG, C_TIMESTAMP) VALUES (%1, %2, 1011, %3, %4, '%5', %6, "
                                 "%7, %8, 0, '2024-03-01 10:00:00')")
                      .arg(ADBId)
                      .arg(AId)
                      .arg(AClassId)
                      .arg(Key(AUnitId), AName, Text(ADescription))
                      .arg(AValueType)
                      .arg(Text(AUPID)));
    }
    // A parameter value (ADBId, AId) of base parameter (1011, ABaseParamId) on unit
    // (1011, AUnitId), none for 0.
    void AddParam(quint32 AId, quint32 ABaseParamId, quint32 AUnitId,
                  const QString& AUPID = QStringLiteral("OLD"), quint32 ADBId = 1011) {
        DB().Exec(QStringLiteral("INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                                 "BASEPARAMDBID, BASEPARAMID, UNITDBID, UNITID, S_NAME, UPID, "
                                 "V_FLAG) VALUES (%1, %2, 1011, 1, 1011, %3, %4, 'p', %5, 0)")
                      .arg(ADBId)
                      .arg(AId)
                      .arg(ABaseParamId)
                      .arg(Key(AUnitId), Text(AUPID)));
    }
    // The unit ID of every parameter value, "-" for none, in ID order: "1 1 2 -".
    QString ParamUnits() {
        return Scalar(QStringLiteral("SELECT LIST(U, ' ') FROM (SELECT COALESCE(UNITID, '-') "
                                     "AS U FROM T_PARAM ORDER BY DBID, ID)"))
            .toString();
    }
    QString ParamUPIDs() {
        return Scalar(QStringLiteral("SELECT LIST(U, ' ') FROM (SELECT COALESCE(UPID, '-') AS U "
                                     "FROM T_PARAM ORDER BY DBID, ID)"))
            .toString();
    }
    // Unit and UPID of a stored base parameter: "2|VOLT", "-|-" for NULLs.
    QString BaseParamRow(quint32 AId) {
        return Scalar(QStringLiteral("SELECT COALESCE(UNITID, '-') || '|' || COALESCE(UPID, '-') "
                                     "FROM T_BASE_PARAM WHERE ID = %1")
                          .arg(AId))
            .toString();
    }

    TfrmBaseParam* OpenBaseParams(quint32 AClassId, quint32 AClassDBId = 1011) {
        DB();
        TfrmBaseParam* host = OpenRBBaseParam(AClassDBId, AClassId);
        EXPECT_NE(host, nullptr);
        return host;
    }
    std::vector<TfrmBaseParamEdit*> BaseParamCards() {
        return Main().FindMDIChildren<TfrmBaseParamEdit>();
    }

    // Picks unit (1011, AUnitId) through the card's unit button and the unit picker.
    static void PickUnit(TfrmBaseParamEdit* ACard, quint32 AUnitId) {
        AnswerModal<TfrmSelectUnit>([AUnitId](TfrmSelectUnit* APicker) {
            APicker->BookFrame()->SelectRecord(1011, AUnitId);
            APicker->ButtonPanel()->OkBtn()->click();
        });
        ACard->BaseParamUnit_ButtonEdit()->Button()->click();
    }

private:
    std::tuple<int, int> FSavedPropagation;
};
