#include "shell/frmTDBAConnect.h"

#include "core/KVCommon.h"
#include "core/udmMain.h"
#include "platform/ib/IBDataBaseFile.h"
#include "platform/ib/IBQuery.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>

QString TDBADataBaseFileName;

TfrmTDBAConnect::TfrmTDBAConnect(QWidget* AParent)
    : TKVDialog(QStringLiteral("TDBAConnect"), QStringLiteral("TDBAConnect_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmTDBAConnect"));
    setWindowTitle(tr("Подключение к базе данных"));

    FThemDB_ListView = new QTreeWidget(this);
    FThemDB_ListView->setObjectName(QStringLiteral("ThemDB_ListView"));
    FThemDB_ListView->setRootIsDecorated(false);
    FThemDB_ListView->setItemsExpandable(false);
    FThemDB_ListView->setUniformRowHeights(true);
    FThemDB_ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    FThemDB_ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FThemDB_ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FThemDB_ListView->setHeaderLabels({tr("Файл БД"), tr("DBID"), tr("Описание БД")});
    FThemDB_ListView->header()->resizeSection(0, 200);
    FThemDB_ListView->header()->resizeSection(1, 100);
    FThemDB_ListView->header()->resizeSection(2, 250);

    F_frmOkCancel1 = new T_frmOkCancel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FThemDB_ListView, 1);
    layout->addWidget(F_frmOkCancel1);
    resize(617, 297);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(400, 200)));

    // No row is selected yet: a file chosen in an earlier showing must not be taken.
    TDBADataBaseFileName.clear();
    SearchDataBases();

    connect(FThemDB_ListView, &QTreeWidget::itemSelectionChanged, this,
            &TfrmTDBAConnect::ThemDB_ListViewSelectItem);
    connect(FThemDB_ListView, &QTreeWidget::itemDoubleClicked, this, &TfrmTDBAConnect::accept);
}

void TfrmTDBAConnect::SearchDataBases() {
    const QString appFolder = dmMain ? dmMain->AppFolder() : QDir::currentPath();
    const QString folder = !TDBADir.isEmpty() && QFileInfo(TDBADir).isDir() ? TDBADir : appFolder;
    FTDBAPath = QDir::cleanPath(folder);

    const QStringList files =
        QDir(FTDBAPath).entryList({QStringLiteral("*.fdb")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        const QString fileName = FTDBAPath + QLatin1Char('/') + name;
        FTDBAList << fileName;
        TTDBADataBaseInfo info;
        if (!ProbeDataBase(fileName, info) || !IsListedDataBase(info))
            continue;
        auto* item = new QTreeWidgetItem(FThemDB_ListView);
        item->setText(0, name);
        item->setText(1, QString::number(info.DBId));
        item->setText(2, info.Description);
    }
}

bool TfrmTDBAConnect::ProbeDataBase(const QString& AFileName, TTDBADataBaseInfo& AInfo) {
    AInfo = TTDBADataBaseInfo();
    // The engine writes to every file it opens: what is plainly no database stays unopened.
    if (IBCheckDataBaseFile(AFileName).FVerdict != fvDataBase)
        return false;
    try {
        TIBDatabase db;
        db.SetDatabaseName(AFileName);
        db.Params() << QStringLiteral("user_name=SYSDBA");
        db.Open();
        if (!IsUserDataBaseTableList(db.GetTableNames()))
            return false;
        // A read-only transaction: looking at a file never changes it.
        TIBTransaction tr(&db);
        tr.Params() = QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                  QStringLiteral("nowait"), QStringLiteral("read")};
        TIBQuery q(&db, &tr);
        TIBTransactionScope scope(tr);
        q.SetSQL(QStringLiteral("SELECT S_PARAM, V_INTEGER, V_STRING FROM SYS_VAR;"));
        q.Open();
        while (!q.Eof()) {
            const QString name = q.FieldByName("S_PARAM").AsString().trimmed().toUpper();
            if (name == QLatin1String("DBID"))
                AInfo.DBId = static_cast<quint32>(q.FieldByName("V_INTEGER").AsInt64());
            else if (name == QLatin1String("MAJORVERSION")) {
                AInfo.HasMajorVersion = true;
                AInfo.MajorVersion = q.FieldByName("V_INTEGER").AsInteger();
            } else if (name == QLatin1String("MINORVERSION")) {
                AInfo.HasMinorVersion = true;
                AInfo.MinorVersion = q.FieldByName("V_INTEGER").AsInteger();
            } else if (name == QLatin1String("BUILDVERSION")) {
                AInfo.HasBuildVersion = true;
                AInfo.BuildVersion = q.FieldByName("V_INTEGER").AsInteger();
            } else if (name == QLatin1String("DBDESCRIPTION"))
                AInfo.Description = q.FieldByName("V_STRING").AsString();
            q.Next();
        }
        q.Close();
        scope.Commit();
        db.Close();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TfrmTDBAConnect::IsListedDataBase(const TTDBADataBaseInfo& AInfo) {
    return AInfo.DBId != 0 && AInfo.HasMajorVersion && AInfo.HasMinorVersion &&
           AInfo.HasBuildVersion &&
           IsSupportedDBVersion(AInfo.MajorVersion, AInfo.MinorVersion, AInfo.BuildVersion);
}

void TfrmTDBAConnect::ThemDB_ListViewSelectItem() {
    const QList<QTreeWidgetItem*> selected = FThemDB_ListView->selectedItems();
    TDBADataBaseFileName =
        selected.isEmpty() ? QString() : FTDBAPath + QLatin1Char('/') + selected.first()->text(0);
}

void TfrmTDBAConnect::accept() {
    if (TDBADataBaseFileName.isEmpty()) {
        if (FThemDB_ListView->topLevelItemCount() == 0)
            ShowMessageDlg(tr("В папке \"%1\" не найдено баз данных, к которым можно "
                              "подключиться.")
                               .arg(QDir::toNativeSeparators(FTDBAPath)),
                           mdkWarning, mdbOK, 0);
        FThemDB_ListView->setFocus();
        return;
    }
    done(mrOk);
}

int ShowTDBAConnectDlg() {
    TfrmTDBAConnect dlg(TKVDialog::OwnerWindow());
    return dlg.exec();
}
