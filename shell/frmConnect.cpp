#include "shell/frmConnect.h"

#include "core/udmMain.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVFileDialog.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

QString ConnectDataBaseFileName;

TfrmConnect::TfrmConnect(QWidget* AParent)
    : TKVDialog(QStringLiteral("Connect"), QStringLiteral("Connect_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmConnect"));
    setWindowTitle(tr("Подключение к базе данных"));

    FAlias_Label = new QLabel(tr("Учетная запись"), this);
    FAlias_Label->setObjectName(QStringLiteral("Alias_Label"));
    FAlias_ImageComboBox = new QComboBox(this);
    FAlias_ImageComboBox->setObjectName(QStringLiteral("Alias_ImageComboBox"));
    FAlias_Label->setBuddy(FAlias_ImageComboBox);

    FDataBase_Label = new QLabel(tr("База данных"), this);
    FDataBase_Label->setObjectName(QStringLiteral("DataBase_Label"));
    FDatabase_ButtonEdit = new TKVButtonEdit(this);
    FDatabase_ButtonEdit->setObjectName(QStringLiteral("Database_ButtonEdit"));
    FDataBase_Label->setBuddy(FDatabase_ButtonEdit);

    F_frmOkCancel1 = new T_frmOkCancel(this);

    auto* fields = new QGridLayout;
    fields->addWidget(FAlias_Label, 0, 0);
    fields->addWidget(FAlias_ImageComboBox, 0, 1);
    fields->addWidget(FDataBase_Label, 1, 0);
    fields->addWidget(FDatabase_ButtonEdit, 1, 1);
    fields->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addWidget(F_frmOkCancel1);
    setTabOrder(FAlias_ImageComboBox, FDatabase_ButtonEdit->LineEdit());

    resize(393, 121);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(393, 121)));

    if (dmMain) {
        TKVDataBase& db = dmMain->DataBase();
        if (!db.AliasEmpty())
            for (db.AliasFirst(); !db.AliasEof(); db.AliasNext()) {
                TKVDataBaseAlias alias;
                if (db.AliasGetRecord(alias))
                    FAlias_ImageComboBox->addItem(alias.Name, alias.FileName);
            }
        FDatabase_ButtonEdit->setText(dmMain->LastDataBaseFileName());
    }
    FAlias_ImageComboBox->setCurrentIndex(-1);

    connect(FAlias_ImageComboBox, &QComboBox::currentIndexChanged, this,
            &TfrmConnect::Alias_ImageComboBoxChange);
    connect(FDatabase_ButtonEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmConnect::Database_ButtonEditButtonClick);
}

void TfrmConnect::Alias_ImageComboBoxChange(int AIndex) {
    if (AIndex >= 0)
        FDatabase_ButtonEdit->setText(FAlias_ImageComboBox->itemData(AIndex).toString());
}

void TfrmConnect::Database_ButtonEditButtonClick() {
    const QString current = FDatabase_ButtonEdit->text().trimmed();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).path();
    QString file;
    if (!KVOpenFileDialog(this, tr("Открыть базу данных"),
                          QStringLiteral("Korvant DataBase (*.fdb)"), folder, file) ||
        file.isEmpty())
        return;
    FDatabase_ButtonEdit->setText(file);
    FAlias_ImageComboBox->setCurrentIndex(-1);
}

void TfrmConnect::accept() {
    ConnectDataBaseFileName = FDatabase_ButtonEdit->text().trimmed();
    if (ConnectDataBaseFileName.isEmpty()) {
        FDatabase_ButtonEdit->setFocus();
        return;
    }
    done(mrOk);
}

int ShowConnectDlg() {
    TfrmConnect dlg(TKVDialog::OwnerWindow());
    return dlg.exec();
}
