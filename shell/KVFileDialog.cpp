#include "shell/KVFileDialog.h"

#include <QFileDialog>

#include <utility>

namespace {
TFileDialogResponder gResponder;
} // namespace

TFileDialogResponder SetFileDialogResponder(TFileDialogResponder AResponder) {
    return std::exchange(gResponder, std::move(AResponder));
}

QString ShowOpenFileDialog(QWidget* AParent, const QString& ACaption, const QString& ADirectory,
                           const QString& AFilter) {
    if (gResponder) {
        // A copy: the responder may install another responder while it runs.
        const TFileDialogResponder responder = gResponder;
        return responder({ACaption, ADirectory, AFilter});
    }
    return QFileDialog::getOpenFileName(AParent, ACaption, ADirectory, AFilter);
}
