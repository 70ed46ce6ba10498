#pragma once

// The card of a storage place: name (required), description, the list of its cells (free text,
// one cell per line), the parent place picked from the storage picker, and an icon from the
// storage image list. Places are keyed by ID alone, so only option ReadOnly and a read-only
// database make the card read-only.

#include "core/KVStorage.h"
#include "views/KVRecordCard.h"

#include <memory>

class QComboBox;
class QPlainTextEdit;

class TfrmStorageEdit : public TKVBookCard<TKVStorage> {
    Q_OBJECT
public:
    // The memo's limit, in characters.
    static constexpr int CellListMaxLength = 2047;

    explicit TfrmStorageEdit(QWidget* AParent = nullptr);

    quint32 ParentStorageId() const { return Row() ? Row()->ParentId() : 0; }
    const TKVStorage* Storage() const { return Row(); }

    QLineEdit* StorageName_TextEdit() const { return FNameEdit; }
    QLineEdit* StorageDesc_TextEdit() const { return FDescEdit; }
    QPlainTextEdit* StorageCellList_Memo() const { return FCellListMemo; }
    TKVButtonEdit* StorageParentStorage_ButtonEdit() const { return FParentEdit; }
    QComboBox* StorageIcon_ImageComboBox() const { return FIconCombo; }

    // The cell list as stored: every line of the memo followed by CR LF; empty for an empty
    // memo. A memo that ends with a line break has no empty last line.
    static QString CellListFromText(const QString& AText);
    // The memo's text of a stored cell list (lines split at CR LF, LF or CR).
    static QString TextFromCellList(const QString& ACellList);

    // The parent picker: the current parent preselected, the place itself and its subtree
    // hidden.
    void StorageParentStorage_ButtonEditPropertiesButtonClick();

protected:
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    void SetEditorsReadOnly(bool AValue) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    // Keeps the memo within its limit as the user types or pastes.
    void CellListMemoChange();

    QLineEdit* FNameEdit = nullptr;
    QLineEdit* FDescEdit = nullptr;
    QPlainTextEdit* FCellListMemo = nullptr;
    TKVButtonEdit* FParentEdit = nullptr;
    QComboBox* FIconCombo = nullptr;
};

// Opens the card of storage place AId, of a new place for 0, or of a copy of AId with
// ACreateCopyFlag. Returns the card; nullptr when the place was not found.
TfrmStorageEdit* OpenCardStorage(quint32 AId, bool ACreateCopyFlag);
