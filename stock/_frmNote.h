#pragma once

// The list frame of the notes (T_NOTE): each row shows the first line of a note with its marker
// picture and its creation date. The text filter and the copied name work on the first line;
// the note itself is edited in its card. Deleting a note closes its open cards.

#include "core/KVNote.h"
#include "views/KVListFrame.h"

class T_frmNote : public TKVBookListFrame<TKVNoteList> {
    Q_OBJECT
public:
    explicit T_frmNote(QWidget* AParent = nullptr);

    // The notes list always runs in manage mode.
    void Init() { TKVListFrame::Init(true); }

    TKVNoteList* NoteList() const { return List(); }

protected:
    TKVListRow MakeRow(const TKVNote& ARecord) const override;
    bool RecordMatchesText(const TKVNote& ARecord) const override;
    // The list keeps the first line of a note only.
    void CompleteRecord(TKVNote& ARecord) const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
};
