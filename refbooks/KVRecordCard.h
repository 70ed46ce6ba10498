#pragma once

// The record card of every book: the window in which one record is created, copied, viewed and
// edited. It loads its record (or the copy source) with the book's one-row SELECT, shows it in
// labelled editors, applies the read-only rule, marks its caption, checks what was typed, saves
// with the book's UPDATE or its INSERT_ procedure, and then reports the change to the open list
// windows of the book. The save question and the forced close come from TKVCard.
//
// A book gives:
// - as data (TKVCardBook): component names, key shape, item type, the text of a new record,
//   the help topic, the client size;
// - its record object and the SQL steps: CreateRecord, ReadRecord (one-row SELECT),
//   ReadNewRecord (context names of a new record), ExecUpdate, ExecInsert (the procedure's
//   parameters; the base reads O_ID and O_DBID);
// - its editors, made with AddTextEditor / AddLinkEditor / AddEditorRow, and FillEditors,
//   CheckEditors (required editors and values that must parse), StoreEditors;
// - RecordCardName, NewRecordEditor, OpenCopy (its opener with the copy flag), the lists its
//   saves refresh (RefreshesList) and the records it is linked to (LinkedToRecord).
// Text editors made with AddTextEditor (and AddButtonTextEditor, AddMemoEditor) are limited to
// their column's length, and CheckData refuses, with a message, a text that is longer or holds a
// character the database cannot keep.

#include "core/KVCommon.h"
#include "resources/KVResources.h"
#include "shell/KVCard.h"
#include "shell/ufrmMain.h"

#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QGridLayout;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QToolBar;
class QToolButton;
class TIBParam;
class TIBQuery;
class TKVButtonEdit;
class TKVListHost;

struct TKVCardBook {
    // Component names: Name + "_ToolBar", Name + "Edit_PopupMenu".
    QString Name;
    bool KeyHasDBId = true;
    TKVItemType ItemType = itUnknown;
    // The card name of a new or copied record.
    QString NewRecordText;
    QString HelpTopic;
    // The window's client size, the least it opens at (the card cannot be resized).
    QSize ClientSize{377, 213};
};

// A link editor: a record of another book chosen through its picker.
struct TKVCardLink {
    // Runs the picker with the current link preselected.
    std::function<void(TKVSelectedItemDBData& AResult)> Pick;
    // Stores a link in the record: key and display text (key 0 and empty text: no link).
    std::function<void(quint32 ADBId, quint32 AId, const QString& AName)> Set;
    // Del clears the link.
    bool Optional = true;
    // A picked record is tested against the DBID hierarchy (records keyed by ID alone have
    // no DBID to test).
    bool CheckDBId = true;
};

class TKVRecordCard : public TKVCard {
    Q_OBJECT
public:
    ~TKVRecordCard() override;

    const TKVCardBook& Book() const { return FCardBook; }
    TKVItemType CardItemType() const { return FCardBook.ItemType; }
    // The record's key; 0 while it is new or a copy not yet saved.
    virtual quint32 DBId() const = 0;
    virtual quint32 Id() const = 0;
    // Whether the record refers to the record (AItemType, ADBId, AId) of another book: a
    // card closed when that record is deleted.
    virtual bool LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const;

    // Option ReadOnly, a read-only database, and for records keyed by (DBID, ID): a stored
    // system record (DBID 0) without option BLIMod, a stored record of another database
    // without option NSIMod.
    bool ReadOnly() const override;

    // Loads the record: (ACopyFromDBId, ACopyFromId) is the source of a copy, (0, 0) none.
    bool LoadData(quint32 ACopyFromDBId, quint32 ACopyFromId);
    // Opens the record (ADBId, AId), a new record for (0, 0), or a copy of (ADBId, AId).
    // When the record is not found the card says so and closes: false.
    bool Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag);
    void UnInit();
    bool CheckData();
    bool UpdateData();
    bool InsertData();
    // Reports the saved record to the open list windows of the book.
    void RefreshRB();
    bool SaveItem() override;
    void ItemInfo();

    // Places the card in the main window's workspace at its fixed size: the book's, or what
    // the tool bar and the editors need when that is more.
    void ShowCard();

    // --- Components
    QToolBar* ToolBar() const { return FToolBar; }
    QToolButton* ToolButton(const QString& AName) const;
    QMenu* PopupMenu() const { return FPopupMenu; }

    // --- Event handlers
    void TextEditPropertiesChange();
    void Copy_ToolButtonClick();
    void Save_ToolButtonClick() { SaveItem(); }
    void SaveAndClose_ToolButtonClick();
    void Close_ToolButtonClick() { ForciblyCloseItem(); }
    void ItemInfo_ToolButtonClick() { ItemInfo(); }
    void pmiHelpContextClick();
    // The button of a link editor (also Enter in it).
    void LinkButtonClick(TKVButtonEdit* AEditor);
    // Del in a link editor.
    void LinkClear(TKVButtonEdit* AEditor);

protected:
    explicit TKVRecordCard(TKVCardBook ABook, QWidget* AParent = nullptr);

    // --- The book's record and SQL
    // Makes the record object with the key (context keys are the book's own fields).
    virtual void CreateRecord(quint32 ADBId, quint32 AId) = 0;
    // Runs the one-row SELECT of the key and fills the record; false when no row came.
    virtual bool ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) = 0;
    // A new record: reads the names of its context; false when the context is missing.
    virtual bool ReadNewRecord(TIBQuery& AQuery);
    // Runs the UPDATE of the record (and the book's follow-up statements); returns the number
    // of rows the record's own UPDATE changed (0: the row is gone).
    virtual int ExecUpdate(TIBQuery& AQuery) = 0;
    // Runs the INSERT_ procedure; its O_ID (and O_DBID) are read after.
    virtual void ExecInsert(TIBQuery& AQuery) = 0;
    // Gives the saved new record its key.
    virtual void SetRecordKey(quint32 ADBId, quint32 AId) = 0;
    // The save of the record (UPDATE or insert) has been committed; values the card remembers
    // from the stored record follow only here, so a rolled-back save leaves them as they were.
    virtual void RecordCommitted() {}

    // --- The book's editors
    virtual void FillEditors() = 0;
    // Required editors (the first empty one gets the focus, no message) and values that
    // must parse (a message); false keeps the card as it is.
    virtual bool CheckEditors() = 0;
    // Copies the editors into the record with the given times.
    virtual void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) = 0;
    virtual TDateTime RecordCreateDateTime() const = 0;
    // The name of a stored record shown in the caption.
    virtual QString RecordCardName() const = 0;
    // The editor that shows the new-record text of a new record (nullptr: none).
    virtual QLineEdit* NewRecordEditor() const { return nullptr; }
    // Opens a card on a copy of this record.
    virtual void OpenCopy() = 0;
    // Whether a save of this card refreshes the rows of AHost.
    virtual bool RefreshesList(const TKVListHost& AHost) const = 0;

    // A labelled text editor limited to AMaxLength characters; its changes mark the card.
    QLineEdit* AddTextEditor(const char* AName, const QString& ALabel, int AMaxLength);
    // A labelled link editor: read-only text with a button that runs ALink.Pick.
    TKVButtonEdit* AddLinkEditor(const char* AName, const QString& ALabel, TKVCardLink ALink);
    // A labelled text editor with an ellipsis button (hint AButtonHint) whose click the book
    // handles: the text is typed, limited and checked as AddTextEditor's, and the button works
    // on a read-only card too.
    TKVButtonEdit* AddButtonTextEditor(const char* AName, const QString& ALabel, int AMaxLength,
                                       const QString& AButtonHint);
    // A labelled memo with a vertical scroll bar; a text longer than AMaxLength characters is
    // refused by CheckData as a text editor's is.
    QPlainTextEdit* AddMemoEditor(const char* AName, const QString& ALabel, int AMaxLength);
    // A labelled editor of another kind; the book connects its change signal to
    // TextEditPropertiesChange and handles its read-only state in SetEditorsReadOnly.
    void AddEditorRow(const QString& ALabel, QWidget* AEditor);
    // Makes every editor read-only (link buttons do nothing then).
    virtual void SetEditorsReadOnly(bool AValue);
    // The first empty (after trimming) editor gets the focus: false.
    static bool CheckRequired(QLineEdit* AEditor);
    // Shows the DBID-hierarchy warning when the record may not refer to a record of
    // APickedDBId.
    void CheckLinkDBId(quint32 APickedDBId);
    // Statement parameters of a record: an empty optional text is NULL, and so are both halves
    // of an unset link (ID 0).
    static void SetTextOrNull(TIBParam& AParam, const QString& AText);
    static void SetLinkOrNull(TIBParam& ADBIdParam, TIBParam& AIdParam, quint32 ADBId, quint32 AId);

    bool eventFilter(QObject* AObject, QEvent* AEvent) override;
    void contextMenuEvent(QContextMenuEvent* AEvent) override;
    void FormClose() override;
    void showEvent(QShowEvent* AEvent) override;

private:
    struct TTextEditor {
        QLineEdit* Editor;
        QString Label;
        int MaxLength;
    };
    struct TLinkEditor {
        TKVButtonEdit* Editor;
        TKVCardLink Link;
    };
    QToolButton* NewToolButton(const char* AName, const QString& ACaption, const QString& AHint,
                               int AImage);
    bool CheckTextEditors();
    // A text of at most AMaxLength characters that the database can keep; else a message
    // naming the field, and AEditor gets the focus: false.
    static bool CheckEditorText(QWidget* AEditor, const QString& AText, const QString& ALabel,
                                int AMaxLength);
    const TLinkEditor* FindLink(const TKVButtonEdit* AEditor) const;
    TIBQuery& Query();

    TKVCardBook FCardBook;
    std::unique_ptr<TIBQuery> FQuery; // Name + "Edit_IBQuery"
    bool FEditorsReadOnly = false;
    QToolBar* FToolBar = nullptr;
    QGridLayout* FEditorsLayout = nullptr;
    QMenu* FPopupMenu = nullptr;
    std::vector<TTextEditor> FTextEditors;
    struct TMemoEditor {
        QPlainTextEdit* Editor;
        QString Label;
        int MaxLength;
    };
    std::vector<TMemoEditor> FMemoEditors;
    std::vector<TLinkEditor> FLinkEditors;
    QWidget* FFirstEditor = nullptr;
};

// The shared body of a book's card opener: Init, then the card is placed in the workspace.
// Returns the card, nullptr when it closed at once (record not found) or no main window exists.
template <class TCard, class... TArgs>
TCard* OpenRecordCard(quint32 AIconResource, quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                      TArgs&&... AContext) {
    if (!frmMain)
        return nullptr;
    auto card = std::make_unique<TCard>();
    card->setWindowIcon(ResourceIcon(AIconResource));
    if (!card->Init(ADBId, AId, ACreateCopyFlag, std::forward<TArgs>(AContext)...))
        return nullptr;
    TCard* placed = card.release(); // the workspace owns it from here
    placed->ShowCard();
    return placed;
}
