#pragma once

// The record card of every table: the window in which one record is created, copied, viewed and
// edited. It loads its record (or the copy source) with the table's one-row SELECT, shows it in
// labelled editors, applies the read-only rule, marks its caption, checks what was typed, saves
// with the table's UPDATE or its INSERT_ procedure, and then reports the change to every open
// window (NotifyRecordChanged), so lists that show such records read it again. The save
// question and the forced close come from TKVCard.
//
// A card gives:
// - as data (TKVCardBook): component names, key shape, item type, the text of a new record,
//   the help topic, the client size, its SELECT, UPDATE and INSERT_ statements and the opener
//   of a copy;
// - through TKVBookCard<TRow>: the record object, read by the table's row reader; the fields of
//   its statements (BindFields);
// - its editors, made with AddTextEditor / AddLinkEditor / AddEditorRow, and FillEditors,
//   CheckEditors (required editors and values that must parse), StoreEditors;
// - where it has them: the names of a new record's context (ReadNewRecord), statements that
//   follow its own (ExecUpdate), RecordCardName, NewRecordEditor and the records it is linked
//   to (LinkedToRecord: the card closes when one of them is deleted).
// Text editors made with AddTextEditor (and AddButtonTextEditor, AddMemoEditor) are limited to
// their column's length, and CheckData refuses, with a message, a text that is longer or holds a
// character the database cannot keep.

#include "core/KVCommon.h"
#include "core/KVRowReaders.h"
#include "platform/ib/IBQuery.h"
#include "resources/KVResources.h"
#include "shell/KVCard.h"
#include "shell/ufrmMain.h"

#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <type_traits>
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
    // The one-row SELECT of a key (:VAR_DBID, :VAR_ID), the UPDATE of the record (every field
    // as :VAR_ and the column, U_TIMESTAMP, the key) and the EXECUTE PROCEDURE of its INSERT_
    // procedure (every field as :I_ and the column, I_C_TIMESTAMP).
    QString SelectSQL;
    QString UpdateSQL;
    QString InsertSQL;
    // Opens a card on a copy of the record of the key.
    std::function<void(quint32 ADBId, quint32 AId)> OpenCopy;
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
    // The card's own stored record, or a record it is linked to.
    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

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
    // Reports the saved record to every open window (lists of its kind read it again).
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
    // Values that must parse (a message) beyond the required editors, which are checked
    // first; false keeps the card as it is.
    virtual bool CheckEditors() { return true; }
    // Copies the editors into the record with the given times.
    virtual void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) = 0;
    virtual TDateTime RecordCreateDateTime() const = 0;
    // The name of a stored record shown in the caption.
    virtual QString RecordCardName() const = 0;
    // The editor that shows the new-record text of a new record: the first required text
    // editor (nullptr: none).
    virtual QLineEdit* NewRecordEditor() const;
    // Opens a card on a copy of this record (the book's OpenCopy).
    virtual void OpenCopy();

    // A labelled text editor limited to AMaxLength characters; its changes mark the card. A
    // required editor may not stay empty (after trimming): a save then puts the focus on the
    // first empty one, with no message.
    QLineEdit* AddTextEditor(const char* AName, const QString& ALabel, int AMaxLength,
                             bool ARequired = false);
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
    // An icon index: NULL for -1 (none).
    static void SetIconOrNull(TIBParam& AParam, qint32 AIconId);
    // The key parameters :VAR_DBID (records keyed by (DBID, ID)) and :VAR_ID.
    void BindKey(TIBQuery& AQuery, quint32 ADBId, quint32 AId) const;

    bool eventFilter(QObject* AObject, QEvent* AEvent) override;
    void contextMenuEvent(QContextMenuEvent* AEvent) override;
    void FormClose() override;
    void showEvent(QShowEvent* AEvent) override;

private:
    struct TTextEditor {
        QLineEdit* Editor;
        QString Label;
        int MaxLength;
        bool Required = false;
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

// The card over one row class TRow: it holds the record, reads it with the table's row reader
// and the book's SELECT, and writes it with the book's UPDATE and INSERT_ statements, whose
// fields the card binds (BindFields, with the prefix "VAR_" or "I_").
template <class TRow> class TKVBookCard : public TKVRecordCard {
public:
    quint32 DBId() const override {
        if constexpr (requires(const TRow& ARow) { ARow.DBId(); })
            return FRow ? FRow->DBId() : 0;
        else
            return 0;
    }
    quint32 Id() const override { return FRow ? FRow->Id() : 0; }

protected:
    using TKVRecordCard::TKVRecordCard;

    TRow* Row() const { return FRow.get(); }
    // A card whose records need more than their key to be made replaces CreateRecord with this.
    void SetRow(std::unique_ptr<TRow> ARow) { FRow = std::move(ARow); }

    // Binds every field of the record that the UPDATE and the INSERT_ procedure share.
    virtual void BindFields(TIBQuery& AQuery, const QString& APrefix) const = 0;

    void CreateRecord([[maybe_unused]] quint32 ADBId, [[maybe_unused]] quint32 AId) override {
        // Rows made from more than their key are made by the card's own CreateRecord.
        if constexpr (std::is_constructible_v<TRow, quint32, quint32>)
            FRow = std::make_unique<TRow>(ADBId, AId);
        else if constexpr (std::is_constructible_v<TRow, quint32>)
            FRow = std::make_unique<TRow>(AId);
    }
    bool ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) override {
        AQuery.SetSQL(Book().SelectSQL);
        BindKey(AQuery, ADBId, AId);
        AQuery.Open();
        if (AQuery.Eof())
            return false;
        ReadRow(AQuery, *FRow);
        return true;
    }
    int ExecUpdate(TIBQuery& AQuery) override {
        AQuery.SetSQL(Book().UpdateSQL);
        BindFields(AQuery, QStringLiteral("VAR_"));
        AQuery.ParamByName(QStringLiteral("VAR_U_TIMESTAMP")).SetAsDateTime(FRow->UpdateDateTime());
        BindKey(AQuery, DBId(), Id());
        AQuery.ExecSQL();
        return AQuery.RowsAffected();
    }
    void ExecInsert(TIBQuery& AQuery) override {
        AQuery.SetSQL(Book().InsertSQL);
        BindFields(AQuery, QStringLiteral("I_"));
        AQuery.ParamByName(QStringLiteral("I_C_TIMESTAMP")).SetAsDateTime(FRow->CreateDateTime());
        AQuery.ExecSQL();
    }
    void SetRecordKey(quint32 ADBId, quint32 AId) override {
        if constexpr (requires(TRow & ARow) { ARow.SetPKey(ADBId, AId); })
            FRow->SetPKey(ADBId, AId);
        else
            FRow->SetPKey(AId);
    }
    TDateTime RecordCreateDateTime() const override { return FRow->CreateDateTime(); }
    QString RecordCardName() const override {
        if constexpr (requires(const TRow& ARow) { ARow.Name(); })
            return FRow->Name();
        else
            return QString();
    }

private:
    std::unique_ptr<TRow> FRow;
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
