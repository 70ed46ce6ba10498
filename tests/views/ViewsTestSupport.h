#pragma once

// The list windows and cards on a real main window and a real database: a fixture that opens
// a fresh database (DBID 1011 unless a test asks for another) in a shown, active main window,
// keeps the options the tests change, answers message boxes from a queue and records their
// texts, and small helpers to fill the unit table and read what the windows show.

#include "tests/shell/ShellTestSupport.h"

#include "platform/ib/IBQuery.h"
#include "shell/KVFileDialog.h"
#include "views/KVListFrame.h"
#include "views/KVPictureBox.h"
#include "views/KVRecordCard.h"

#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include <deque>
#include <optional>
#include <tuple>

class TViewsTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        FSavedOptions = {::ReadOnly, ::LocalConfig, ::BLIMod, ::NSIMod};
        Main().show();
        Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
        FResponder.emplace([this](const TMessageDlgRequest& ARequest) {
            Messages << ARequest.Text;
            if (Answers.empty())
                return mrOk;
            const int answer = Answers.front();
            Answers.pop_front();
            return answer;
        });
    }
    void TearDown() override {
        if (FMain) {
            Main().CloseAllWindow();
            Settle();
            if (dmMain && dmMain->DBConnected()) {
                int error = 0;
                dmMain->DataBaseDisconnect(error);
            }
        }
        FResponder.reset();
        TMainWindowTest::TearDown();
        std::tie(::ReadOnly, ::LocalConfig, ::BLIMod, ::NSIMod) = FSavedOptions;
    }

    // A fresh database of ADBId, not connected yet (once per test).
    TTestDataBase& NewDB(quint32 ADBId = 1011) {
        if (!FDB) {
            FDB = std::make_unique<TTestDataBase>(ADBId);
            // New units get IDs from 1001 on, clear of those the tests insert.
            FDB->Exec(QStringLiteral("ALTER SEQUENCE GEN_T_UNIT_ID RESTART WITH 1000"));
            SysTestSeams::SetDriveType(QFileInfo(FDB->FileName()).path(), dtFixed);
        }
        return *FDB;
    }
    // The test's database (NewDB's, or a fresh one of DBID 1011), connected to the main window.
    TTestDataBase& DB() {
        NewDB();
        if (!dmMain->DBConnected()) {
            int error = 0;
            EXPECT_EQ(dmMain->DataBaseConnect(FDB->FileName(), dmMain->CurrentUser(), error), crOk);
            Main().MainFormInit();
        }
        return *FDB;
    }

    void AddUnit(quint32 ADBId, quint32 AId, const QString& APrefix,
                 const QString& AName = QString(), const QString& ANameDef = QString(),
                 const QString& ADescription = QString(), double AFactor = 0) {
        const auto text = [](const QString& AValue) {
            return AValue.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(AValue);
        };
        DB().Exec(
            QStringLiteral("INSERT INTO T_UNIT (DBID, ID, S_PREFIX, S_NAMEDEF, S_NAME, "
                           "S_DESCRIPTION, V_FACTOR, V_FLAG, C_TIMESTAMP) VALUES (%1, %2, "
                           "'%3', %4, %5, %6, %7, 0, '2024-03-01 10:00:00')")
                .arg(ADBId)
                .arg(AId)
                .arg(APrefix, text(ANameDef), text(AName), text(ADescription),
                     AFactor > 0 ? QString::number(AFactor, 'g', 17) : QStringLiteral("NULL")));
    }
    QVariant Scalar(const QString& ASQL) { return DB().Scalar(ASQL); }
    int UnitCount() { return Scalar(QStringLiteral("SELECT COUNT(*) FROM T_UNIT")).toInt(); }

    // Lets closed sub-windows go.
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // The texts of column AColumn, rows in shown order.
    static QStringList Column(const TKVListFrame* AFrame, int AColumn = 0) {
        QStringList texts;
        for (int i = 0; i < AFrame->Model()->Count(); ++i)
            texts << AFrame->Model()->Row(i).Texts.value(AColumn);
        return texts;
    }
    static QToolButton* Button(const TKVListFrame* AFrame, const char* AName) {
        QToolButton* button = AFrame->ToolButton(QLatin1String(AName));
        EXPECT_NE(button, nullptr) << AName;
        return button;
    }
    static QToolButton* Button(const TKVRecordCard* ACard, const char* AName) {
        QToolButton* button = ACard->ToolButton(QLatin1String(AName));
        EXPECT_NE(button, nullptr) << AName;
        return button;
    }

    // Types AText into AWidget one character at a time (Cyrillic included).
    static void Type(QWidget* AWidget, const QString& AText) {
        for (const QChar ch : AText)
            QTest::sendKeyEvent(QTest::Click, AWidget, Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
    }

    // Gives the list the focus, as a user's click does.
    static void FocusList(TKVListFrame* AFrame) {
        AFrame->ListView()->setFocus();
        QCoreApplication::processEvents();
    }

    // --- Pictures of cards (cases, element types)
    // Writes a JPEG picture of ASize (a gradient, so that scaling has something to average)
    // into the test's folder; returns its path.
    QString WriteJpeg(const QSize& ASize, const QString& AName) {
        QImage image(ASize, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, ASize.width(), ASize.height());
        gradient.setColorAt(0, Qt::red);
        gradient.setColorAt(1, Qt::blue);
        painter.fillRect(image.rect(), gradient);
        painter.end();
        const QString path = DB().Folder() + QLatin1Char('/') + AName;
        QImageWriter writer(path, "jpeg");
        EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
        return path;
    }
    QString WriteFile(const QString& AName, const QByteArray& ABytes) {
        const QString path = DB().Folder() + QLatin1Char('/') + AName;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ABytes);
        return path;
    }
    static QByteArray ReadFile(const QString& APath) {
        QFile file(APath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The stored picture (B_IMAGE) of a record of ATable, read through the program's own
    // database layer; empty for NULL.
    QByteArray StoredImage(const char* ATable, quint32 ADBId, quint32 AId) {
        QByteArray bytes;
        TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
        dmMain->ExecuteInTransaction([&] {
            query.SetSQL(QStringLiteral("SELECT B_IMAGE FROM %1 WHERE DBID = :VAR_DBID AND ID = "
                                        ":VAR_ID")
                             .arg(QLatin1String(ATable)));
            query.ParamByName("VAR_DBID").SetAsInt64(ADBId);
            query.ParamByName("VAR_ID").SetAsInt64(AId);
            query.Open();
            if (!query.Eof() && !query.FieldByName("B_IMAGE").IsNull())
                bytes = query.FieldByName("B_IMAGE").AsBytes();
            query.Close();
        });
        return bytes;
    }
    // Loads the picture file APath into the card's picture box through its file dialog, as a
    // double click in the box does.
    static void LoadPicture(TKVRecordCard* ACard, const QString& APath) {
        TKVFileDialogResponderScope files([&](const TKVFileDialogRequest&) {
            return TKVFileDialogAnswer{true, APath, 0};
        });
        ACard->PictureBox()->LoadFromFile();
    }
    // The client height the card's sub-window gives it.
    static int ClientHeight(const TKVRecordCard* ACard) {
        const QMargins m = ACard->SubWindow()->contentsMargins();
        return ACard->SubWindow()->height() - m.top() - m.bottom();
    }

    QStringList Messages;    // texts of the message boxes, in order
    std::deque<int> Answers; // answers to the next boxes (mrOk when empty)
    std::unique_ptr<TTestDataBase> FDB;

private:
    std::optional<TMessageDlgResponderScope> FResponder;
    std::tuple<bool, bool, bool, bool> FSavedOptions;
};
