#pragma once

// The data exchange on real databases and real package files: a data module without a main
// window, databases of chosen DBIDs filled with a small catalogue whose texts are Cyrillic,
// whose pictures hold every byte value and whose timestamps carry fractions of a second, a
// recording monitor, and dumps of tables that compare rows value by value.

#include "tests/shell/ShellTestSupport.h"

#include "core/udmMain.h"
#include "exchange/KVExchangeMonitor.h"
#include "exchange/KVPackageExport.h"
#include "exchange/KVPackageFile.h"
#include "exchange/KVPackageImport.h"
#include "exchange/KVPackageTables.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/SysDrive.h"
#include "shell/KVFileDialog.h"
#include "shell/uMessage.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

// Records what a run reports.
class TRecordingMonitor : public TKVExchangeMonitor {
public:
    void AddLogMsg(const QString& AMsg) override { Lines << AMsg; }
    void SetStepLabel(const QString& AText) override { Labels << AText; }
    QStringList Lines;
    QStringList Labels;
};

// A database's rows of one table as texts, keyed by "DBID:ID" (or ID for SYS_VAR): every
// column of the table's package description, a value as a text that differs whenever the
// stored value differs (texts as their bytes, pictures as hex, times to 1/10000 s).
using TTableDump = QMap<QString, QStringList>;

// Opens a database file for the helpers below.
class TDirectDataBase {
public:
    explicit TDirectDataBase(const QString& AFileName) : FTransaction(&FDataBase) {
        FDataBase.SetDatabaseName(AFileName);
        FDataBase.Open();
    }
    TIBDatabase& DataBase() { return FDataBase; }
    TIBTransaction& Transaction() { return FTransaction; }

    // Runs AWork with a query in a transaction that is committed.
    template <class TWork> void Run(TWork&& AWork) {
        TIBTransactionScope scope(FTransaction);
        TIBQuery q(&FDataBase, &FTransaction);
        AWork(q);
        scope.Commit();
    }

private:
    TIBDatabase FDataBase;
    TIBTransaction FTransaction;
};

TTableDump DumpTable(const QString& AFileName, TKVPackageTable ATable,
                     const QString& AWhere = QString(), bool AWithReplTimestamp = false);
// Every data table and SYS_VAR (all columns of the main database's SYS_VAR).
QMap<QString, TTableDump> DumpDataBase(const QString& AFileName);
// The number of rows of a query's first column.
qint64 CountOf(const QString& AFileName, const QString& ASQL);

// Makes a package file with the ten tables (or only those of ATables when given) and runs
// ASQL in it, one statement after the other.
void MakePackageFile(const QString& AFileName, const QStringList& ASQL,
                     const QStringList& ACreateSQL = {});
// The header rows of a regular package of ADBId exported at 5 March 2016, 09:07.
QStringList RegularHeaderSQL(quint32 ADBId);

// What python3-xlrd reads of a workbook file's first sheet: its name "name", its row count
// "rows", the height of row 0 in twips "height", the widths of the first AColumns columns in
// 1/256 of a character "widths", and per cell of row 0 "cells": its "text", "bold", horizontal
// "h" and vertical "v" alignment and background palette index "bg" (as the file stores it, 8
// above ours). The test fails when xlrd cannot read the file.
QJsonObject XlrdHeaderDump(const QString& AFileName, int AColumns);

// Records the texts of the message boxes shown while it lives and answers them from Answers in
// order (OK when none is left).
class TMessageAnswers {
public:
    TMessageAnswers()
        : FScope([this](const TMessageDlgRequest& ARequest) {
              Messages << ARequest.Text;
              if (Answers.empty())
                  return int(mrOk);
              const int answer = Answers.front();
              Answers.pop_front();
              return answer;
          }) {}

    QStringList Messages;
    std::deque<int> Answers;

private:
    TMessageDlgResponderScope FScope;
};

// Accepts every file dialog shown while it lives with AFileName.
inline TKVFileDialogResponderScope AnswerFiles(const QString& AFileName) {
    return TKVFileDialogResponderScope([AFileName](const TKVFileDialogRequest&) {
        return TKVFileDialogAnswer{true, AFileName, 0};
    });
}

// Bytes of every value 0..255, twice, as a picture.
QByteArray TestPicture(int ASeed = 0);

// Fills a database of ADBId with a catalogue:
//   classes: 1 "Микросхемы" (root), 2 under 1, 3 under 2, 20 (root), 9 under 20, 5 under 9
//            (a class whose parent comes later in key order);
//   cases 1 (picture, drawing), 2 (no drawing); makers 1, 2; units 1, 2;
//   base parameters 1 (class 3, unit 1), 2 (class 3, no unit);
//   element types 1, 2 in class 3 (1 with a picture, case and maker; 2 without), 3 in class 5,
//   and one of DBID 1000 in class 3 that a package carries but an import does not take;
//   parameter values of types 1 and 2, pins of type 1, an analog of type 1 with analog type 2.
// Every row has its C_TIMESTAMP, so that an import writes it back unchanged.
void FillCatalogue(const QString& AFileName, quint32 ADBId);

class TPackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FProgramDir.isValid());
        ASSERT_TRUE(FFiles.isValid());
        SysTestSeams::SetDriveType(FProgramDir.path(), dtFixed);
        FModule = std::make_unique<TdmMain>(FProgramDir.path());
    }
    void TearDown() override {
        if (FModule && FModule->DBConnected()) {
            int error = 0;
            FModule->DataBaseDisconnect(error);
        }
        FModule.reset();
        SysTestSeams::Reset();
    }

    TdmMain& Module() { return *FModule; }

    // A fresh database of ADBId (kept for the test), filled with the catalogue when AFill.
    TTestDataBase& NewDataBase(quint32 ADBId, bool AFill = false);
    // Connects the data module to ADataBase (disconnecting another first).
    void Connect(const TTestDataBase& ADataBase);
    // A path in the test's folder.
    QString File(const QString& AName) const { return FFiles.filePath(AName); }

    // Exports the classes (DBID, ID) of the connected database into AFileName.
    bool Export(const QString& AFileName, const std::vector<std::pair<quint32, quint32>>& AClasses,
                TDateTime AExportDateTime = EncodeDateTime(2016, 3, 5, 9, 7, 0));
    // Imports AFileName into the connected database.
    bool Import(const QString& AFileName, bool ATestImport = false,
                std::function<void(TKVPackageTable)> AHook = {});

    TRecordingMonitor FMonitor;
    TTestUserInterface FUI;
    QTemporaryDir FProgramDir;
    QTemporaryDir FFiles;
    std::unique_ptr<TdmMain> FModule;
    std::vector<std::unique_ptr<TTestDataBase>> FDataBases;
};
