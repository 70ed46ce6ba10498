#include "stock/frmNote.h"

TfrmNote::TfrmNote(QWidget* AParent)
    : TKVBookHost({QSize(292, 153), QSize(300, 180)}, AParent) {}

TfrmNote* OpenRBNote() {
    return OpenListHost<TfrmNote>(
        2012, [](T_frmNote& AFrame) { AFrame.Init(); },
        [](T_frmNote&) { return TfrmNote::tr("Заметки"); });
}
