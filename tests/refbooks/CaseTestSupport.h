#pragma once

// The case book on a real main window and a real database: the book fixture with helpers to
// fill T_CASE, open the case windows and read a case's stored picture.

#include "tests/refbooks/RefBooksTestSupport.h"

#include "refbooks/frmCase.h"
#include "refbooks/frmCaseEdit.h"
#include "refbooks/frmCaseMountType.h"
#include "shell/frmOkCancel.h"

class TCaseBookTest : public TRefBookTest {
protected:
    void SetUp() override {
        TRefBookTest::SetUp();
        // New cases get IDs from 1001 on, clear of those the tests insert.
        NewDB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_CASE_ID RESTART WITH 1000"));
        FSavedHideImage = ::HideImage;
        ::SelectedCaseMountType = cmtUnknown;
    }
    void TearDown() override {
        TRefBookTest::TearDown();
        ::HideImage = FSavedHideImage;
    }

    // A case; AVisualType and AParams NULL when not given.
    void AddCase(quint32 ADBId, quint32 AId, const QString& ATypeName, int APinCount = 0,
                 int AMountType = 0, std::optional<int> AVisualType = std::nullopt,
                 std::optional<qint64> AParams = std::nullopt,
                 const QString& ADescription = QString()) {
        const auto number = [](const auto& AValue) {
            return AValue ? QString::number(*AValue) : QStringLiteral("NULL");
        };
        DB().Exec(QStringLiteral("INSERT INTO T_CASE (DBID, ID, S_TYPENAME, S_DESCRIPTION, "
                                 "V_PINCOUNT, V_MOUNTTYPE, V_CV_PTTTYPE, V_CV_PTTPRM, V_FLAG, "
                                 "C_TIMESTAMP) VALUES (%1, %2, '%3', %4, %5, %6, %7, %8, 0, "
                                 "'2024-03-01 10:00:00')")
                      .arg(ADBId)
                      .arg(AId)
                      .arg(ATypeName, ADescription.isEmpty()
                                          ? QStringLiteral("NULL")
                                          : QStringLiteral("'%1'").arg(ADescription))
                      .arg(APinCount)
                      .arg(AMountType)
                      .arg(number(AVisualType), number(AParams)));
    }
    // An element type of case (ACaseDBId, ACaseId).
    void AddElementType(quint32 AId, quint32 ACaseDBId, quint32 ACaseId) {
        if (Scalar(QStringLiteral("SELECT COUNT(*) FROM T_CLASS")).toInt() == 0)
            DB().Exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, S_NAME) VALUES (1011, 1, "
                                     "'К')"));
        DB().Exec(QStringLiteral("INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, "
                                 "CASEDBID, CASEID, S_TYPENAME) VALUES (1011, %1, 1011, 1, %2, "
                                 "%3, 'ET%1')")
                      .arg(AId)
                      .arg(ACaseDBId)
                      .arg(ACaseId));
    }
    int CaseCount() { return Scalar(QStringLiteral("SELECT COUNT(*) FROM T_CASE")).toInt(); }

    TfrmCase* OpenCaseHost() {
        DB();
        TfrmCase* host = OpenRBCase();
        EXPECT_NE(host, nullptr);
        return host;
    }
    std::vector<TfrmCaseEdit*> CaseCards() { return Main().FindMDIChildren<TfrmCaseEdit>(); }

    // The stored picture of a case.
    QByteArray StoredImage(quint32 ADBId, quint32 AId) {
        return TRefBookTest::StoredImage("T_CASE", ADBId, AId);
    }

private:
    bool FSavedHideImage = true;
};
