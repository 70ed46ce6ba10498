#pragma once

// The main window on a temporary program folder, with the recording user interface, a settings
// file that keeps the start quiet (no splash, no connect dialog, no news page) and the drive seams
// cleared after each test; child windows and a card for the registry tests; and a helper that
// answers a modal dialog from a timer.

#include "core/udmMain.h"
#include "platform/sys/SysDrive.h"
#include "shell/KVCard.h"
#include "shell/KVMDIChild.h"
#include "shell/uMessage.h"
#include "shell/ufrmMain.h"

#include "tests/support/TestDataBase.h"
#include "tests/support/TestUserInterface.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

// Test messages show texts as text.
inline void PrintTo(const QString& AText, std::ostream* AOut) {
    *AOut << '"' << AText.toStdString() << '"';
}

// Answers the next modal dialog of class T: a timer waits until it is the active modal widget
// and hands it to AAnswer, which must close it.
template <class T> void AnswerModal(std::function<void(T*)> AAnswer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, AAnswer] {
        if (auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            AAnswer(dlg);
        }
    });
    timer->start();
}

// A child window of a chosen kind, bound to a key of its own.
class TTestChild : public TKVMDIChild {
    Q_OBJECT
public:
    TTestChild(TKVChildKind AKind, const QString& ACaption, quint32 AKey = 0)
        : FKind(AKind), FKey(AKey) {
        setWindowTitle(ACaption);
        FEdit = new QLineEdit(this);
    }
    TKVChildKind ChildKind() const override { return FKind; }
    quint32 Key() const { return FKey; }
    QLineEdit* Edit() const { return FEdit; }

private:
    TKVChildKind FKind;
    quint32 FKey;
    QLineEdit* FEdit = nullptr;
};

// Another class of list window, for the typed search.
class TOtherTestChild : public TTestChild {
    Q_OBJECT
public:
    using TTestChild::TTestChild;
};

// A card whose save succeeds or fails as the test says and counts its calls.
class TTestCard : public TKVCard {
    Q_OBJECT
public:
    explicit TTestCard(const QString& ACardName) {
        FEdit = new QLineEdit(this);
        SetCardName(ACardName);
        SetModifedData(false);
    }
    bool SaveItem() override {
        ++SaveCount;
        if (SaveResult)
            SetModifedData(false);
        return SaveResult;
    }
    bool ReadOnly() const override { return ReadOnlyCard || TKVCard::ReadOnly(); }
    QLineEdit* Edit() const { return FEdit; }

    bool SaveResult = true;
    bool ReadOnlyCard = false;
    int SaveCount = 0;

private:
    QLineEdit* FEdit = nullptr;
};

class TMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FProgramDir.isValid());
        SysTestSeams::SetDriveType(FProgramDir.path(), dtFixed);
        WriteSettings(QString());
    }
    void TearDown() override {
        FMain.reset();
        SysTestSeams::Reset();
    }

    // The settings file of the program's folder: AText follows the lines that keep the start
    // quiet (the first value of a key wins, so AText cannot turn those back on).
    void WriteSettings(const QString& AText) {
        QFile file(FProgramDir.filePath(QStringLiteral("Korvant.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral("[WN]\nWN_102=1\n[Options]\nAutoLogin=0\nLogo=0\n%1")
                       .arg(AText)
                       .toUtf8());
    }

    // The main window, made on first use (after the test wrote its settings). The version
    // record is that of a release build whatever this build is.
    TfrmMain& Main() {
        if (!FMain) {
            FMain = std::make_unique<TfrmMain>(FProgramDir.path());
            TVersionInfo version = FMain->VersionInfo();
            version.viDebug = false;
            FMain->SetVersionInfo(version);
        }
        return *FMain;
    }

    QAction* MainAction(const char* AName) {
        QAction* action = Main().findChild<QAction*>(QLatin1String(AName));
        EXPECT_NE(action, nullptr) << AName;
        return action;
    }
    QMenu* MainMenu(const char* AName) {
        QMenu* menu = Main().findChild<QMenu*>(QLatin1String(AName));
        EXPECT_NE(menu, nullptr) << AName;
        return menu;
    }

    // Connects to AFileName through the connect dialog, answering every message box with
    // AAnswer; returns the texts of the boxes.
    QStringList ConnectThroughDialog(const QString& AFileName, int AAnswer = mrOk);

    // Shows a child of the main window.
    template <class T, class... Args> T* OpenChild(Args&&... AArgs) {
        auto* child = new T(std::forward<Args>(AArgs)...);
        child->ShowMDIChild();
        return child;
    }

    TTestUserInterface FUI;
    QTemporaryDir FProgramDir;
    std::unique_ptr<TfrmMain> FMain;
};
