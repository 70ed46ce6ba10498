#include "shell/frmAlias.h"

#include "core/KVCommon.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVFileDialog.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

QString AliasEditName;
QString AliasEditFileName;

TfrmAliasEdit::TfrmAliasEdit(QWidget* AParent)
    : TKVDialog(QStringLiteral("DBAlias"), QStringLiteral("AliasEdit_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmAliasEdit"));
    setWindowTitle(tr("Учетная запись"));

    FAliasName_Label = new QLabel(tr("Название"), this);
    FAliasName_Label->setObjectName(QStringLiteral("AliasName_Label"));
    FAliasName_TextEdit = new QLineEdit(this);
    FAliasName_TextEdit->setObjectName(QStringLiteral("AliasName_TextEdit"));
    FAliasName_TextEdit->setMaxLength(KVNameLength);
    FAliasName_Label->setBuddy(FAliasName_TextEdit);

    FDBFile_Label = new QLabel(tr("Файл базы данных"), this);
    FDBFile_Label->setObjectName(QStringLiteral("DBFile_Label"));
    FDBFile_ButtonEdit = new TKVButtonEdit(this);
    FDBFile_ButtonEdit->setObjectName(QStringLiteral("DBFile_ButtonEdit"));
    FDBFile_Label->setBuddy(FDBFile_ButtonEdit);

    F_frmOkCancel1 = new T_frmOkCancel(this);

    auto* fields = new QGridLayout;
    fields->addWidget(FAliasName_Label, 0, 0);
    fields->addWidget(FAliasName_TextEdit, 0, 1);
    fields->addWidget(FDBFile_Label, 1, 0);
    fields->addWidget(FDBFile_ButtonEdit, 1, 1);
    fields->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addWidget(F_frmOkCancel1);
    setTabOrder(FAliasName_TextEdit, FDBFile_ButtonEdit->LineEdit());

    resize(353, 121);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(353, 121)));

    connect(FDBFile_ButtonEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmAliasEdit::DBFile_ButtonEditButtonClick);
}

void TfrmAliasEdit::DBFile_ButtonEditButtonClick() {
    const QString current = FDBFile_ButtonEdit->text().trimmed();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).path();
    QString file;
    if (!KVOpenFileDialog(this, tr("Открыть базу данных"),
                          QStringLiteral("Korvant DataBase (*.fdb)"), folder, file) ||
        file.isEmpty())
        return;
    FDBFile_ButtonEdit->setText(file);
}

void TfrmAliasEdit::accept() {
    if (FAliasName_TextEdit->text().trimmed().isEmpty()) {
        FAliasName_TextEdit->setFocus();
        return;
    }
    if (FDBFile_ButtonEdit->text().trimmed().isEmpty()) {
        FDBFile_ButtonEdit->setFocus();
        return;
    }
    AliasEditName = FAliasName_TextEdit->text();
    AliasEditFileName = FDBFile_ButtonEdit->text();
    done(mrOk);
}

int ShowAliasEditDlg(const QString& AName, const QString& AFileName) {
    TfrmAliasEdit dlg(TKVDialog::OwnerWindow());
    dlg.NameEdit()->setText(AName);
    dlg.FileEdit()->setText(AFileName);
    return dlg.exec();
}
