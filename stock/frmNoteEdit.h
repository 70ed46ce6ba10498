#pragma once

// The card of a note (T_NOTE): a free text of at most 16384 characters in a memo that fills the
// card, and an optional coloured marker chosen from the "Маркер" button's menu (its first item,
// without a picture, removes the marker). The card can be resized. A note whose text holds
// nothing but blanks cannot be saved; a longer text than the column holds is refused with a
// message, never cut.

#include "core/KVNote.h"
#include "views/KVRecordCard.h"

class QMenu;
class QPlainTextEdit;
class QToolButton;

class TfrmNoteEdit : public TKVBookCard<TKVNote> {
    Q_OBJECT
public:
    static constexpr int MaxTextLength = 16384;

    explicit TfrmNoteEdit(QWidget* AParent = nullptr);

    // The card of note AId, of a new note for 0, or of a copy of AId with ACreateCopyFlag; false
    // when the note was not found (the card closed).
    bool Init(quint32 AId, bool ACreateCopyFlag);
    bool Init(quint32, quint32 AId, bool ACreateCopyFlag) { return Init(AId, ACreateCopyFlag); }

    const TKVNote* Note() const { return Row(); }

    // Places the card in the workspace; unlike other cards it can be resized.
    void ShowNoteCard();

    // --- Marker
    void Marker_ToolButtonClick();
    // A marker item chosen: ATag 0..15 a marker, anything else none.
    void pmiNoteMarkerEditClick(int ATag);

    // --- Components
    QPlainTextEdit* NoteText_Memo() const { return FMemo; }
    QToolButton* Marker_ToolButton() const { return FMarkerButton; }
    QMenu* NoteEditMarker_PopupMenu() const { return FMarkerMenu; }

protected:
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    bool ReadNewRecord(TIBQuery& AQuery) override;
    void FillEditors() override;
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    QString RecordCardName() const override;
    void SetEditorsReadOnly(bool AValue) override;

private:
    void BuildMarkerMenu();

    QPlainTextEdit* FMemo = nullptr;
    QToolButton* FMarkerButton = nullptr;
    QMenu* FMarkerMenu = nullptr;
};

// Opens the card of note AId, of a new note for 0, or of a copy of AId with ACreateCopyFlag;
// nullptr when the note was not found.
TfrmNoteEdit* OpenCardNote(quint32 AId, bool ACreateCopyFlag);
