#pragma once

// The file dialogs of the program: asking for the name of a file to open or to save, with a
// caption, a filter and a start folder. Tests install a responder that answers in place of the
// user, so no test ever shows a real file dialog.
//
// Filters are written as Qt writes them: entries separated by ";;", each a description with
// its patterns in brackets ("Книга MS Excel 97-2003 (*.xls);;Веб-страница (*.html)"). The
// filter the user chose is given back as its index, from 0.

#include <QString>

#include <functional>

class QWidget;

enum TKVFileDialogKind { fdkOpen, fdkSave };

// What a responder is asked.
struct TKVFileDialogRequest {
    TKVFileDialogKind Kind = fdkOpen;
    QString Caption;
    QString Filter;
    int FilterIndex = 0;
    QString Folder;
    QString FileName; // the proposed name
};

// What a responder answers: Accepted false for a cancelled dialog.
struct TKVFileDialogAnswer {
    bool Accepted = false;
    QString FileName;
    int FilterIndex = 0;
};

using TKVFileDialogResponder = std::function<TKVFileDialogAnswer(const TKVFileDialogRequest&)>;

// Installs a responder that answers every file dialog; an empty function restores the real
// dialogs. Returns the responder installed before.
TKVFileDialogResponder SetFileDialogResponder(TKVFileDialogResponder AResponder);

// Installs a responder for the lifetime of the object and restores the previous one after.
class TKVFileDialogResponderScope {
public:
    explicit TKVFileDialogResponderScope(TKVFileDialogResponder AResponder)
        : FPrevious(SetFileDialogResponder(std::move(AResponder))) {}
    ~TKVFileDialogResponderScope() { SetFileDialogResponder(std::move(FPrevious)); }
    TKVFileDialogResponderScope(const TKVFileDialogResponderScope&) = delete;
    TKVFileDialogResponderScope& operator=(const TKVFileDialogResponderScope&) = delete;

private:
    TKVFileDialogResponder FPrevious;
};

// Asks for the name of an existing file to open. AFileName: the proposed name in, the chosen
// one out; AFilterIndex (optional): the preset filter in, the chosen one out. False when the
// user cancelled; the arguments are then unchanged.
bool KVOpenFileDialog(QWidget* AParent, const QString& ACaption, const QString& AFilter,
                      const QString& AFolder, QString& AFileName, int* AFilterIndex = nullptr);

// Asks for the name of a file to save. The dialog does not ask whether to replace a file
// that exists (callers ask in their own words) and adds no extension. The arguments as above.
bool KVSaveFileDialog(QWidget* AParent, const QString& ACaption, const QString& AFilter,
                      const QString& AFolder, QString& AFileName, int* AFilterIndex = nullptr);
