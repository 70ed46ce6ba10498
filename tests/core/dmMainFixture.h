#pragma once

// A data module on a temporary program folder, with the recording user interface installed
// and the drive seams cleared after each test. The program folder counts as a local fixed
// disk unless a test says otherwise.

#include "core/udmMain.h"
#include "platform/sys/SysDrive.h"

#include "tests/core/CoreTestUtils.h"
#include "tests/support/TestDataBase.h"
#include "tests/support/TestUserInterface.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class dmMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FProgramDir.isValid());
        SysTestSeams::SetDriveType(FProgramDir.path(), dtFixed);
    }
    void TearDown() override {
        FModule.reset();
        SysTestSeams::Reset();
    }

    QString ProgramFile(const QString& AName) const { return FProgramDir.filePath(AName); }
    void WriteProgramFile(const QString& AName, const QByteArray& AData) const {
        QFile file(ProgramFile(AName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(AData);
    }
    QByteArray ReadProgramFile(const QString& AName) const {
        QFile file(ProgramFile(AName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The data module, made on first use (after the test wrote the files it reads at start).
    TdmMain& Module() {
        if (!FModule)
            FModule = std::make_unique<TdmMain>(FProgramDir.path());
        return *FModule;
    }
    // Ends the data module as the program's end does: it saves the options.
    void DestroyModule() { FModule.reset(); }

    // Connects to AFileName on a drive of type ADriveType.
    int Connect(const QString& AFileName, int ADriveType, int& AErrorCode) {
        SysTestSeams::SetDriveType(QFileInfo(AFileName).path(), ADriveType);
        return Module().DataBaseConnect(AFileName, Module().CurrentUser(), AErrorCode);
    }
    int Connect(const TTestDataBase& ADataBase, int ADriveType = dtFixed) {
        int error = 0;
        return Connect(ADataBase.FileName(), ADriveType, error);
    }
    int Disconnect() {
        int error = 0;
        return Module().DataBaseDisconnect(error);
    }

    TTestUserInterface FUI;
    QTemporaryDir FProgramDir;
    std::unique_ptr<TdmMain> FModule;
};
