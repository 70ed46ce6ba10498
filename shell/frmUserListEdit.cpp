#include "shell/frmUserListEdit.h"

#include "core/udmMain.h"
#include "shell/uMessage.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
// The save picture of the main tool images.
constexpr int kSaveImage = 37;
} // namespace

bool SaveUserListFile(const QString& AFileName, const QStringList& ALines) {
    int error = 0;
    if (TdmMain::WriteUserListFile(AFileName, ALines, error))
        return true;
    ShowMessageDlg(QCoreApplication::translate("TfrmUserListEdit",
                                               "Ошибка при доступе к файлу %1. Код ошибки %2")
                       .arg(AFileName)
                       .arg(error),
                   mdkError, mdbOK, 0);
    return false;
}

TfrmUserListEdit::TfrmUserListEdit(const QString& AFileName, QWidget* AParent)
    : TKVDialog(QStringLiteral("UserListEdit"), QStringLiteral("UserListEdit_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmUserListEdit"));
    setWindowTitle(tr("Пользовательский список"));
    const bool readOnly = !dmMain || dmMain->AppDriveReadOnly();

    FUserListText_Memo = new QPlainTextEdit(this);
    FUserListText_Memo->setObjectName(QStringLiteral("UserListText_Memo"));
    FUserListText_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FUserListText_Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    FUserListText_Memo->setTabChangesFocus(true);

    FFileName_Label = new QLabel(this);
    FFileName_Label->setObjectName(QStringLiteral("FileName_Label"));
    FFileName_Label->setTextFormat(Qt::PlainText);

    FSave_Button = new QPushButton(tr("&Сохранить"), this);
    FSave_Button->setObjectName(QStringLiteral("Save_Button"));
    FSave_Button->setDefault(true);
    if (dmMain)
        FSave_Button->setIcon(dmMain->MainToolImgList.Icon(kSaveImage));
    FCancel_Button = new QPushButton(tr("&Отмена"), this);
    FCancel_Button->setObjectName(QStringLiteral("Cancel_Button"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FFileName_Label, 1);
    buttons->addWidget(FSave_Button);
    buttons->addWidget(FCancel_Button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FUserListText_Memo, 1);
    layout->addLayout(buttons);
    resize(393, 217);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(393, 217)));

    FFileName = (dmMain ? dmMain->AppFolder() : QString()) + AFileName;
    FUserListText_Memo->setPlainText(TdmMain::ReadUserListFile(FFileName).join(QLatin1Char('\n')));
    FFileName_Label->setText(readOnly ? QString() : FFileName);
    FUserListText_Memo->setReadOnly(readOnly);
    FSave_Button->setEnabled(!readOnly);

    connect(FUserListText_Memo->document(), &QTextDocument::contentsChange, this,
            &TfrmUserListEdit::MemoContentsChange);
    connect(FSave_Button, &QPushButton::clicked, this, &TfrmUserListEdit::Save_ButtonClick);
    connect(FCancel_Button, &QPushButton::clicked, this, &TfrmUserListEdit::reject);
    FUserListText_Memo->setFocus();
}

QStringList TfrmUserListEdit::Lines() const {
    const QString text = FUserListText_Memo->toPlainText();
    if (text.isEmpty())
        return QStringList();
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TfrmUserListEdit::Save_ButtonClick() {
    if (!dmMain || dmMain->AppDriveReadOnly())
        return;
    if (SaveUserListFile(FFileName, Lines()))
        done(mrOk);
}

void TfrmUserListEdit::MemoContentsChange(int APosition, int, int ACharsAdded) {
    // A file longer than the limit is shown whole; only what the user adds is cut.
    if (FCutting || ACharsAdded <= 0)
        return;
    const int excess = FUserListText_Memo->toPlainText().size() - MaxTextLength;
    if (excess <= 0)
        return;
    const int cut = qMin(excess, ACharsAdded);
    FCutting = true;
    QTextCursor cursor(FUserListText_Memo->document());
    cursor.setPosition(APosition + ACharsAdded - cut);
    cursor.setPosition(APosition + ACharsAdded, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    FCutting = false;
}

void TfrmUserListEdit::showEvent(QShowEvent* AEvent) {
    TKVDialog::showEvent(AEvent);
    CenterOnScreen(this);
}

int ShowUserListEditDlg(const QString& AFileName) {
    TfrmUserListEdit dlg(AFileName, TKVDialog::OwnerWindow());
    return dlg.exec();
}
