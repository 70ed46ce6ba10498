#pragma once

// The workbook dialogs of the data exchange: a workbook grid on the data page beside the log,
// the buttons "&Открыть", "&Сохранить" and "&Режим отобр." (whose drop-down switches between the
// grid and the log) at the top of the button column, and the empty template, which replaces a
// workbook that holds a table only after the user agreed.

#include "exchange/KVExchangeDialog.h"

#include <functional>

class TKVWorkbookGrid;
class TXlsWorkbook;

class TKVWorkbookDialog : public TKVExchangeDialog {
    Q_OBJECT
public:
    // The object names of the dialog's parts; the log, label and progress bar as
    // TKVExchangeDialog takes them.
    struct TNames {
        const char* Dialog;
        const char* HelpTopic;
        const char* PopupMenu;
        const char* Log;
        const char* Label;
        const char* Progress;
        const char* Grid;
        const char* Notebook;
        const char* ModeMenu;
    };
    explicit TKVWorkbookDialog(const TNames& ANames, QWidget* AParent = nullptr);

    TKVWorkbookGrid* SpreadSheetBook() const { return FSpreadSheetBook; }
    QPushButton* OpenButton() const { return FOpen_Button; }
    QPushButton* SaveButton() const { return FSave_Button; }
    QPushButton* ModeButton() const { return FMode_Button; }

    // Loads a workbook into the grid and shows the grid; a file that cannot be read is
    // reported and the grid keeps what it had. False then.
    bool OpenWorkbook(const QString& AFileName);
    // Writes the grid's workbook (with the edit in progress); a file that cannot be written
    // is reported. False then.
    bool SaveWorkbook(const QString& AFileName);

public slots:
    // Asks for a workbook and opens it.
    void Open_ButtonClick();
    // Shows the grid, asks for a file name (".xls" added when it has no extension) and, for a
    // file that exists, whether to replace it; then saves.
    void Save_ButtonClick();

protected:
    // Shows the grid and makes the template with AMake, after asking "Создать пустой шаблон?"
    // when the workbook holds a table (No keeps the workbook as it is).
    void CreateTemplate(const std::function<void(TXlsWorkbook&)>& AMake);

private:
    TKVWorkbookGrid* FSpreadSheetBook = nullptr;
    QPushButton* FOpen_Button = nullptr;
    QPushButton* FSave_Button = nullptr;
    QPushButton* FMode_Button = nullptr;
};
