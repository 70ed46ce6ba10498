#pragma once

// The picture box of the cards that keep a picture of their record (a case, an element type):
// the JPEG bytes as the database stores them, shown in a box of fixed size. A double click (or
// the box's pop-up item, Ctrl+O) loads a picture from a file, scaled to fit 300 × 300 when it
// is larger and kept byte for byte when it fits; Del removes it. A read-only box ignores both.
// Every change is signalled, so the card marks itself modified.

#include <QByteArray>
#include <QLabel>
#include <QString>

class QAction;
class QMenu;

class TKVPictureBox : public QLabel {
    Q_OBJECT
public:
    // AName names the box (AName + "_Image") and its pop-up menu (AName + "Image_PopupMenu").
    TKVPictureBox(const QString& AName, const QSize& ABoxSize, QWidget* AParent = nullptr);

    // The JPEG bytes; empty without a picture.
    const QByteArray& Image() const { return FImage; }
    // Shows the bytes as they are (a record's stored picture); no change is signalled.
    void SetImage(const QByteArray& AImage);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool AValue);

    // Loads a picture from a file chosen in the file dialog; false when nothing was loaded
    // (read-only, cancelled, or a file that is not a JPEG picture: the user is told).
    bool LoadFromFile();
    // Loads the picture of a file; the user is told when it cannot be read or is no JPEG.
    bool LoadFile(const QString& AFileName);
    // Removes the picture; false when read-only or there is none.
    bool Clear();

    QAction* pmiOpenImage() const { return FpmiOpenImage; }
    QMenu* PopupMenu() const { return FPopupMenu; }

signals:
    // The picture was loaded or removed by the user.
    void ImageChanged();

protected:
    void mouseDoubleClickEvent(QMouseEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;

private:
    void ShowImage();

    QByteArray FImage;
    bool FReadOnly = false;
    QMenu* FPopupMenu = nullptr;
    QAction* FpmiOpenImage = nullptr;
};
