#pragma once

// The editor of a user list: a text file of the program's folder with one entry per line
// (pin names, project categories). On a read-only program folder the list is shown but cannot
// be changed or saved, and the file's path is not shown.

#include "shell/KVDialog.h"

#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Writes the lines of a user list (or of icon descriptions) to AFileName. When that fails the
// error box "Ошибка при доступе к файлу %s. Код ошибки %d" shows the path and the system's
// error code, and the result is false; the old file is then unchanged.
bool SaveUserListFile(const QString& AFileName, const QStringList& ALines);

class TfrmUserListEdit : public TKVDialog {
    Q_OBJECT
public:
    // The most characters the user can bring into the list.
    static constexpr int MaxTextLength = 16384;

    // AFileName: the file's name in the program's folder; a file that exists fills the list.
    explicit TfrmUserListEdit(const QString& AFileName, QWidget* AParent = nullptr);

    const QString& FileName() const { return FFileName; }
    QPlainTextEdit* TextMemo() const { return FUserListText_Memo; }
    QLabel* FileNameLabel() const { return FFileName_Label; }
    QPushButton* SaveButton() const { return FSave_Button; }
    QPushButton* CancelButton() const { return FCancel_Button; }
    // The list's lines: a line break after the last line ends it and adds no entry.
    QStringList Lines() const;

    // "&Сохранить": writes the lines and closes with OK; a failed write keeps the dialog open.
    void Save_ButtonClick();

protected:
    void showEvent(QShowEvent* AEvent) override;

private:
    // Cuts what the user brought in beyond MaxTextLength.
    void MemoContentsChange(int APosition, int ACharsRemoved, int ACharsAdded);

    QString FFileName;
    QPlainTextEdit* FUserListText_Memo = nullptr;
    QLabel* FFileName_Label = nullptr;
    QPushButton* FSave_Button = nullptr;
    QPushButton* FCancel_Button = nullptr;
    bool FCutting = false;
};

// Shows the editor of the user list AFileName (a name in the program's folder) modally; 1 when
// the list was saved, 2 when cancelled.
int ShowUserListEditDlg(const QString& AFileName);
