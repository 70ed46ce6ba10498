// Binding parameter values to base parameters without a window: which values are bound and to
// which base parameter, which rows the permission options leave alone, the class change of a
// type; and what a data-sheet text names and whether the desktop gets it.

#include "catalogue/KVDataSheet.h"
#include "catalogue/KVParamRebinding.h"
#include "core/KVWebAddress.h"
#include "platform/ib/IBQuery.h"
#include "tests/support/TestDataBase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ParamRebindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* sql :
             {"INSERT INTO T_CLASS (DBID, ID, S_NAME) VALUES (1011, 1, 'Резисторы')",
              "INSERT INTO T_CLASS (DBID, ID, S_NAME) VALUES (1011, 2, 'Конденсаторы')",
              "INSERT INTO T_UNIT (DBID, ID, S_PREFIX, V_FLAG) VALUES (1011, 1, 'Ом', 0)",
              "INSERT INTO T_UNIT (DBID, ID, S_PREFIX, V_FLAG) VALUES (1011, 2, 'кОм', 0)",
              "INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, S_TYPENAME) VALUES "
              "(1011, 1, 1011, 1, 'R1')",
              "INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, S_TYPENAME) VALUES "
              "(1011, 2, 1011, 1, 'R2')"})
            FDB.Exec(QString::fromUtf8(sql));
        FDatabase.SetDatabaseName(FDB.FileName());
        FDatabase.Open();
    }

    void AddBaseParam(quint32 ADBId, quint32 AId, quint32 AClassId, const char* AUPID,
                      quint32 AUnitId = 0) {
        FDB.Exec(QStringLiteral("INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, UNITDBID, "
                                "UNITID, S_NAME, UPID) VALUES (%1, %2, 1011, %3, %4, %5, 'bp', "
                                "%6)")
                     .arg(ADBId)
                     .arg(AId)
                     .arg(AClassId)
                     .arg(AUnitId ? QStringLiteral("1011") : QStringLiteral("NULL"))
                     .arg(AUnitId ? QString::number(AUnitId) : QStringLiteral("NULL"))
                     .arg(AUPID ? QStringLiteral("'%1'").arg(QLatin1String(AUPID))
                                : QStringLiteral("NULL")));
    }
    // A value of type ATypeId; ABaseParamId not 0: already bound to (1011, ABaseParamId).
    void AddValue(quint32 ADBId, quint32 AId, const char* AUPID, quint32 AUnitId = 0,
                  int AFlag = 0, quint32 ATypeId = 1, quint32 ABaseParamId = 0) {
        const auto key = [](quint32 AValue, const char* ADBId) {
            return AValue ? QString::fromLatin1(ADBId) : QStringLiteral("NULL");
        };
        FDB.Exec(QStringLiteral("INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                                "BASEPARAMDBID, BASEPARAMID, UNITDBID, UNITID, S_NAME, UPID, "
                                "V_FLAG) VALUES (%1, %2, 1011, %3, %4, %5, %6, %7, 'p', %8, %9)")
                     .arg(ADBId)
                     .arg(AId)
                     .arg(ATypeId)
                     .arg(key(ABaseParamId, "1011"),
                          ABaseParamId ? QString::number(ABaseParamId) : QStringLiteral("NULL"),
                          key(AUnitId, "1011"),
                          AUnitId ? QString::number(AUnitId) : QStringLiteral("NULL"),
                          AUPID ? QStringLiteral("'%1'").arg(QLatin1String(AUPID))
                                : QStringLiteral("NULL"))
                     .arg(AFlag));
    }
    // "DBID:ID" of the base parameter the value is bound to, "-" when none.
    QString BoundTo(quint32 ADBId, quint32 AId) {
        return FDB
            .Scalar(QStringLiteral("SELECT COALESCE(BASEPARAMDBID || ':' || BASEPARAMID, '-') FROM "
                                   "T_PARAM WHERE DBID = %1 AND ID = %2")
                        .arg(ADBId)
                        .arg(AId))
            .toString();
    }

    // Runs AWork with a rebinding of APermission in a transaction that commits.
    template <class TWork>
    void Run(const TKVParamRebinding::TPermission& APermission, TWork&& AWork) {
        TIBQuery query(&FDatabase, &FTransaction);
        TIBTransactionScope scope(FTransaction);
        TKVParamRebinding rebinding(query, APermission);
        AWork(rebinding);
        scope.Commit();
    }

    static constexpr TKVParamRebinding::TPermission kAll{true, true, 1011};
    static constexpr TKVDBKey kClass1{1011, 1};
    static constexpr TKVDBKey kClass2{1011, 2};
    static constexpr TKVDBKey kType1{1011, 1};

    TTestDataBase FDB{1011};
    TIBDatabase FDatabase;
    TIBTransaction FTransaction{&FDatabase};
};

} // namespace

TEST_F(ParamRebindingTest, EachValueIsBoundOnceToTheFirstMatchingBaseParameterByKey) {
    // Three base parameters "R" without a unit: the smallest key (DBID first) wins.
    AddBaseParam(1011, 5, 1, "R");
    AddBaseParam(1011, 3, 1, "R");
    AddBaseParam(0, 9, 1, "R");
    AddBaseParam(1011, 4, 1, "C", 1);
    AddBaseParam(1011, 6, 2, "R"); // another class
    AddBaseParam(1011, 7, 1, "L", 2);
    const struct {
        quint32 Id;
        const char* UPID;
        quint32 Unit;
        int Flag;
        quint32 Type;
        quint32 BoundBefore;
        const char* Expected;
    } values[] = {
        {1, "r", 0, 0, 1, 0, "0:9"},       // UPID in another letter case
        {2, "C", 1, 0, 1, 0, "1011:4"},    // the same unit
        {3, "C", 2, 0, 1, 0, "-"},         // another unit
        {4, "C", 0, 0, 1, 0, "-"},         // no unit where the base parameter has one
        {5, "R", 1, 0, 1, 0, "-"},         // a unit where the base parameter has none
        {6, "R", 0, 4, 1, 0, "-"},         // NLTBP
        {7, "R", 0, 5, 1, 0, "-"},         // NLTBP among other flags
        {8, nullptr, 0, 0, 1, 0, "-"},     // no UPID
        {9, "R", 0, 0, 1, 6, "1011:6"},    // already bound
        {10, "X", 0, 0, 1, 0, "-"},        // no base parameter of that UPID
        {11, "R", 0, 0, 2, 0, "-"},        // another type
        {12, "l", 2, 0, 1, 0, "1011:7"}};
    for (const auto& v : values)
        AddValue(1011, v.Id, v.UPID, v.Unit, v.Flag, v.Type, v.BoundBefore);

    Run(kAll, [](TKVParamRebinding& AWork) {
        EXPECT_TRUE(AWork.Bindable(kClass1, kType1));
        // Only the values really bound are counted.
        EXPECT_EQ(AWork.Bind(kClass1, kType1), 3);
        EXPECT_FALSE(AWork.Bindable(kClass1, kType1));
        EXPECT_EQ(AWork.Bind(kClass1, kType1), 0);
    });
    for (const auto& v : values)
        EXPECT_EQ(BoundTo(1011, v.Id), QString::fromLatin1(v.Expected)) << v.Id;

    // A class without any base parameter, or no class at all, binds nothing.
    Run(kAll, [](TKVParamRebinding& AWork) {
        EXPECT_EQ(AWork.Unbind(kType1), 4);
        EXPECT_EQ(AWork.Bind({1011, 99}, kType1), 0);
        EXPECT_EQ(AWork.Bind({}, kType1), 0);
    });
    EXPECT_EQ(BoundTo(1011, 1), QStringLiteral("-"));
}

TEST_F(ParamRebindingTest, OnlyRowsThePermissionOptionsLetChangeAreBoundOrUnbound) {
    AddBaseParam(1011, 1, 1, "R");
    AddValue(1011, 1, "R");
    AddValue(1012, 1, "R"); // of another database
    AddValue(0, 1, "R");    // of the base level
    const struct {
        TKVParamRebinding::TPermission Permission;
        QStringList Bound; // values of DBID 1011, 1012, 0
    } cases[] = {
        {{true, true, 1011}, {"1011:1", "1011:1", "1011:1"}},
        {{true, false, 1011}, {"1011:1", "-", "-"}},
        {{false, true, 1011}, {"1011:1", "1011:1", "-"}},
        {{false, false, 1011}, {"1011:1", "-", "-"}},
        // A base-level database may change its own rows only with BLIMod.
        {{true, false, 0}, {"-", "-", "1011:1"}},
        {{false, false, 0}, {"-", "-", "-"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Bound.join(u' ').toStdString());
        Run(c.Permission, [&](TKVParamRebinding& AWork) {
            EXPECT_EQ(AWork.Bindable(kClass1, kType1), c.Bound.count("1011:1") > 0);
            EXPECT_EQ(AWork.Bind(kClass1, kType1), c.Bound.count("1011:1"));
        });
        EXPECT_EQ(QStringList({BoundTo(1011, 1), BoundTo(1012, 1), BoundTo(0, 1)}), c.Bound);
        // Unbinding leaves the same rows alone: with everything bound, only those change.
        Run(kAll, [](TKVParamRebinding& AWork) { AWork.Bind(kClass1, kType1); });
        Run(c.Permission, [&](TKVParamRebinding& AWork) {
            EXPECT_EQ(AWork.Unbind(kType1), c.Bound.count("1011:1"));
        });
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(BoundTo(i == 0 ? 1011 : i == 1 ? 1012 : 0, 1) == u"-",
                      c.Bound[i] != u"-")
                << i;
        Run(kAll, [](TKVParamRebinding& AWork) { AWork.Unbind(kType1); });
    }
}

TEST_F(ParamRebindingTest, AClassChangeUnbindsAndBindsToTheNewClassWhenWanted) {
    AddBaseParam(1011, 1, 1, "R");
    AddBaseParam(1011, 2, 2, "R");
    AddValue(1011, 1, "R", 0, 0, 1, 1);
    AddValue(1011, 2, "X", 0, 0, 1, 1); // bound by hand, matches nothing in class 2
    int asked = 0;
    const auto answer = [&asked](bool AAnswer) {
        return [&asked, AAnswer] {
            ++asked;
            return AAnswer;
        };
    };

    Run(kAll, [&](TKVParamRebinding& AWork) {
        EXPECT_EQ(AWork.ClassChanged(kClass2, kType1, answer(false)), 0);
    });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(BoundTo(1011, 1), QStringLiteral("-"));
    EXPECT_EQ(BoundTo(1011, 2), QStringLiteral("-"));

    Run(kAll, [&](TKVParamRebinding& AWork) {
        EXPECT_EQ(AWork.ClassChanged(kClass2, kType1, answer(true)), 1);
    });
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(BoundTo(1011, 1), QStringLiteral("1011:2"));

    // Nothing would be bound in a class without base parameters: no question.
    Run(kAll, [&](TKVParamRebinding& AWork) {
        EXPECT_EQ(AWork.ClassChanged({1011, 3}, kType1, answer(true)), 0);
    });
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(BoundTo(1011, 1), QStringLiteral("-"));
}

TEST(DataSheetTest, OnlyDocumentsThatExistAndWebAddressesAreOpened) {
    QTemporaryDir program;
    ASSERT_TRUE(program.isValid());
    const auto write = [&](const QString& AName, const QByteArray& ABytes, bool AExecutable) {
        const QString path = program.filePath(AName);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ABytes);
        file.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (AExecutable)
            permissions |= QFile::ExeOwner;
        file.setPermissions(permissions);
        return path;
    };
    const QString pdf = write(QStringLiteral("DataSheet/lm358.pdf"), "%PDF-1.4\n", false);
    const QString script = write(QStringLiteral("tool"), "#!/bin/sh\necho hi\n", true);
    const QString shell = write(QStringLiteral("install.sh"), "echo hi\n", false);
    const QString desktop =
        write(QStringLiteral("run.desktop"), "[Desktop Entry]\nType=Application\nExec=xterm\n",
              false);
    const QString exe = write(QStringLiteral("setup.exe"), "MZ", false);

    const struct {
        QString Text;
        TKVDataSheetKind Kind;
        QString Url;
    } cases[] = {
        {QString(), dskEmpty, QString()},
        {QStringLiteral("   "), dskEmpty, QString()},
        {pdf, dskFile, QUrl::fromLocalFile(pdf).toString()},
        {QStringLiteral(" DataSheet/lm358.pdf "), dskFile, QUrl::fromLocalFile(pdf).toString()},
        {script, dskProgram, QUrl::fromLocalFile(script).toString()},
        {shell, dskProgram, QUrl::fromLocalFile(shell).toString()},
        {desktop, dskProgram, QUrl::fromLocalFile(desktop).toString()},
        {exe, dskProgram, QUrl::fromLocalFile(exe).toString()},
        {QStringLiteral("https://www.ti.com/lit/ds/lm358.pdf"), dskWebAddress,
         QStringLiteral("https://www.ti.com/lit/ds/lm358.pdf")},
        {QStringLiteral("HTTP://ti.com/x"), dskWebAddress, QStringLiteral("http://ti.com/x")},
        {QStringLiteral("www.ti.com/lm358"), dskWebAddress, QStringLiteral("http://www.ti.com/lm358")},
        {QStringLiteral("ti.com/lm358.pdf"), dskMissing, QString()},
        {QStringLiteral("lm358.pdf"), dskMissing, QString()},
        {QStringLiteral("/nonexistent/lm358.pdf"), dskMissing, QString()},
        {QStringLiteral("DataSheet"), dskMissing, QString()}, // a folder
        {QStringLiteral("file:///etc/hostname"), dskMissing, QString()},
        {QStringLiteral("ftp://ti.com/lm358.pdf"), dskMissing, QString()},
        {QStringLiteral("javascript:alert(1)"), dskMissing, QString()},
        {QStringLiteral("C:\\DataSheet\\lm358.pdf"), dskMissing, QString()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        const TKVDataSheetTarget target = DataSheetTarget(c.Text, program.path());
        EXPECT_EQ(target.Kind, c.Kind);
        EXPECT_EQ(target.Url.toString(), c.Url);
        QList<QUrl> opened;
        TOpenUrlHookScope hook([&](const QUrl& AUrl) { opened << AUrl; });
        const bool opens = c.Kind == dskFile || c.Kind == dskWebAddress;
        EXPECT_EQ(OpenDataSheet(target), opens);
        EXPECT_EQ(opened, opens ? QList<QUrl>{target.Url} : QList<QUrl>());
        EXPECT_EQ(DataSheetRefusal(target, c.Text).isEmpty(),
                  c.Kind != dskMissing && c.Kind != dskProgram);
    }
    EXPECT_EQ(DataSheetRefusal(DataSheetTarget(QStringLiteral(" lm358.pdf "), program.path()),
                               QStringLiteral(" lm358.pdf ")),
              QStringLiteral("Файл «lm358.pdf» не найден. В поле «DataSheet» указывают "
                             "существующий файл или адрес сайта (http://, https:// или www.)"));
    EXPECT_EQ(DataSheetRefusal(DataSheetTarget(script, program.path()), script),
              QStringLiteral("Файл «%1» является программой или сценарием: из карточки такие "
                             "файлы не открываются")
                  .arg(script));
}
