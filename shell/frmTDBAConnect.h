#pragma once

// The database folder picker: lists the valid user databases of one folder (option TDBADir, or
// the program's folder when that does not exist) with their DBID and description, and leaves
// the chosen one in TDBADataBaseFileName. It does not connect by itself.

#include "shell/KVDialog.h"

#include <QString>
#include <QStringList>

class QTreeWidget;
class T_frmOkCancel;

// The picker's folder, a '/' and the file name of the row selected last; empty while no row
// is selected.
extern QString TDBADataBaseFileName;

// What the probe of one file found.
struct TTDBADataBaseInfo {
    quint32 DBId = 0; // 0: no DBID (or a DBID of 0)
    bool HasMajorVersion = false;
    bool HasMinorVersion = false;
    bool HasBuildVersion = false;
    int MajorVersion = 0;
    int MinorVersion = 0;
    int BuildVersion = 0;
    QString Description;
};

class TfrmTDBAConnect : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmTDBAConnect(QWidget* AParent = nullptr);

    // The folder searched.
    const QString& TDBAPath() const { return FTDBAPath; }
    // Every *.fdb file found in the folder, listed or not.
    const QStringList& TDBAList() const { return FTDBAList; }
    QTreeWidget* ListView() const { return FThemDB_ListView; }
    T_frmOkCancel* OkCancel() const { return F_frmOkCancel1; }

    // OK needs a selected row: without one the list gets the focus and the dialog stays open
    // (an empty list says that the folder holds no database to connect to).
    void accept() override;

    // Opens AFileName read-only and reads its identity. False when the file cannot be opened,
    // is not a main database of the program or cannot be read; nothing is reported.
    static bool ProbeDataBase(const QString& AFileName, TTDBADataBaseInfo& AInfo);
    // Whether a probed file is offered: it has a DBID and a supported structure version.
    static bool IsListedDataBase(const TTDBADataBaseInfo& AInfo);

private:
    void SearchDataBases();
    void ThemDB_ListViewSelectItem();

    QStringList FTDBAList;
    QString FTDBAPath;
    QTreeWidget* FThemDB_ListView = nullptr;
    T_frmOkCancel* F_frmOkCancel1 = nullptr;
};

// Shows the folder picker modally; returns 1 for OK, 2 for Cancel.
int ShowTDBAConnectDlg();
