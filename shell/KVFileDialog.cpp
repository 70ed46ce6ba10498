#include "shell/KVFileDialog.h"

#include <QFileDialog>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

TKVFileDialogResponder gResponder;

bool RunFileDialog(const TKVFileDialogRequest& ARequest, QWidget* AParent, QString& AFileName,
                   int* AFilterIndex) {
    TKVFileDialogAnswer answer;
    if (gResponder) {
        // A copy: the responder may install another one while it answers.
        const TKVFileDialogResponder responder = gResponder;
        answer = responder(ARequest);
    } else {
        QFileDialog dialog(AParent, ARequest.Caption, ARequest.Folder);
        dialog.setAcceptMode(ARequest.Kind == fdkSave ? QFileDialog::AcceptSave
                                                      : QFileDialog::AcceptOpen);
        dialog.setFileMode(ARequest.Kind == fdkSave ? QFileDialog::AnyFile
                                                    : QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        const QStringList filters = ARequest.Filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            if (ARequest.FilterIndex >= 0 && ARequest.FilterIndex < filters.size())
                dialog.selectNameFilter(filters.at(ARequest.FilterIndex));
        }
        if (!ARequest.FileName.isEmpty())
            dialog.selectFile(ARequest.FileName);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            answer.Accepted = true;
            answer.FileName = dialog.selectedFiles().constFirst();
            answer.FilterIndex =
                std::max<int>(0, int(filters.indexOf(dialog.selectedNameFilter())));
        }
    }
    if (!answer.Accepted || answer.FileName.isEmpty())
        return false;
    AFileName = answer.FileName;
    if (AFilterIndex != nullptr)
        *AFilterIndex = answer.FilterIndex;
    return true;
}

bool FileDialog(TKVFileDialogKind AKind, QWidget* AParent, const QString& ACaption,
                const QString& AFilter, const QString& AFolder, QString& AFileName,
                int* AFilterIndex) {
    TKVFileDialogRequest request;
    request.Kind = AKind;
    request.Caption = ACaption;
    request.Filter = AFilter;
    request.FilterIndex = AFilterIndex != nullptr ? *AFilterIndex : 0;
    request.Folder = AFolder;
    request.FileName = AFileName;
    return RunFileDialog(request, AParent, AFileName, AFilterIndex);
}

} // namespace

TKVFileDialogResponder SetFileDialogResponder(TKVFileDialogResponder AResponder) {
    return std::exchange(gResponder, std::move(AResponder));
}

bool KVOpenFileDialog(QWidget* AParent, const QString& ACaption, const QString& AFilter,
                      const QString& AFolder, QString& AFileName, int* AFilterIndex) {
    return FileDialog(fdkOpen, AParent, ACaption, AFilter, AFolder, AFileName, AFilterIndex);
}

bool KVSaveFileDialog(QWidget* AParent, const QString& ACaption, const QString& AFilter,
                      const QString& AFolder, QString& AFileName, int* AFilterIndex) {
    return FileDialog(fdkSave, AParent, ACaption, AFilter, AFolder, AFileName, AFilterIndex);
}
