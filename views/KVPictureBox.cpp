#include "views/KVPictureBox.h"

#include "core/KVPicture.h"
#include "shell/KVFileDialog.h"
#include "shell/KVWidgets.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {

// The image of the pop-up item that loads a picture.
constexpr int kOpenImageImage = 36;

} // namespace

TKVPictureBox::TKVPictureBox(const QString& AName, const QSize& ABoxSize, QWidget* AParent)
    : QLabel(AParent) {
    setObjectName(AName + QStringLiteral("_Image"));
    setFixedSize(ABoxSize);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);

    FPopupMenu = new QMenu(this);
    FPopupMenu->setObjectName(AName + QStringLiteral("Image_PopupMenu"));
    FpmiOpenImage =
        FPopupMenu->addAction(MainToolIcon(kOpenImageImage), tr("&Загрузить изображение"));
    FpmiOpenImage->setObjectName(QStringLiteral("pmiOpenImage"));
    FpmiOpenImage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FpmiOpenImage->setShortcutContext(Qt::WidgetShortcut);
    addAction(FpmiOpenImage);
    connect(FpmiOpenImage, &QAction::triggered, this, &TKVPictureBox::LoadFromFile);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& APos) { FPopupMenu->popup(mapToGlobal(APos)); });
    ShowImage();
}

void TKVPictureBox::SetImage(const QByteArray& AImage) {
    FImage = AImage;
    ShowImage();
}

void TKVPictureBox::SetReadOnly(bool AValue) {
    FReadOnly = AValue;
    FpmiOpenImage->setEnabled(!AValue);
}

void TKVPictureBox::ShowImage() {
    if (FImage.isEmpty()) {
        setText(tr("Нет изображения"));
        return;
    }
    const QImage image = DecodePicture(FImage);
    if (image.isNull())
        // The stored bytes stay as they are; only the box cannot show them.
        setText(tr("Изображение не читается"));
    else
        setPixmap(QPixmap::fromImage(image));
}

bool TKVPictureBox::LoadFromFile() {
    if (FReadOnly)
        return false;
    QString fileName;
    if (!KVOpenFileDialog(this, tr("Открыть изображение"), tr("JPEG (*.jpeg *.jpg)"), QString(),
                          fileName))
        return false;
    return LoadFile(fileName);
}

bool TKVPictureBox::LoadFile(const QString& AFileName) {
    if (FReadOnly)
        return false;
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessageDlg(tr("Не удалось прочитать файл «%1».").arg(QFileInfo(AFileName).fileName()),
                       mdkError, mdbOK);
        return false;
    }
    const QByteArray stored = PictureToStore(file.readAll());
    if (stored.isEmpty()) {
        ShowMessageDlg(
            tr("Файл «%1» не является изображением JPEG.").arg(QFileInfo(AFileName).fileName()),
            mdkError, mdbOK);
        return false;
    }
    FImage = stored;
    ShowImage();
    emit ImageChanged();
    return true;
}

bool TKVPictureBox::Clear() {
    if (FReadOnly || FImage.isEmpty())
        return false;
    FImage.clear();
    ShowImage();
    emit ImageChanged();
    return true;
}

void TKVPictureBox::mouseDoubleClickEvent(QMouseEvent* AEvent) {
    if (AEvent->button() == Qt::LeftButton) {
        LoadFromFile();
        return;
    }
    QLabel::mouseDoubleClickEvent(AEvent);
}

void TKVPictureBox::keyPressEvent(QKeyEvent* AEvent) {
    if (AEvent->key() == Qt::Key_Delete && AEvent->modifiers() == Qt::NoModifier) {
        Clear();
        return;
    }
    QLabel::keyPressEvent(AEvent);
}
