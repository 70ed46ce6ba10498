#pragma once

// The card of a maker: name (required), the address of its web site, which the card's button
// opens, and a description.

#include "core/KVMaker.h"
#include "refbooks/KVRecordCard.h"

#include <memory>

class QPlainTextEdit;

class TfrmMakerEdit : public TKVRecordCard {
    Q_OBJECT
public:
    explicit TfrmMakerEdit(QWidget* AParent = nullptr);
    ~TfrmMakerEdit() override;

    quint32 DBId() const override { return FMaker ? FMaker->DBId() : 0; }
    quint32 Id() const override { return FMaker ? FMaker->Id() : 0; }
    const TKVMaker* Maker() const { return FMaker.get(); }

    QLineEdit* MakerName_TextEdit() const { return FNameEdit; }
    TKVButtonEdit* MakerUrl_ButtonEdit() const { return FUrlEdit; }
    QPlainTextEdit* MakerDesc_Memo() const { return FDescMemo; }

    // The web address editor's button: opens the address as the editor holds it.
    void MakerUrl_ButtonEditPropertiesButtonClick();

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    bool ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) override;
    int ExecUpdate(TIBQuery& AQuery) override;
    void ExecInsert(TIBQuery& AQuery) override;
    void SetRecordKey(quint32 ADBId, quint32 AId) override;
    void FillEditors() override;
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    TDateTime RecordCreateDateTime() const override;
    QString RecordCardName() const override;
    QLineEdit* NewRecordEditor() const override { return FNameEdit; }
    void OpenCopy() override;
    bool RefreshesList(const TKVListHost& AHost) const override;

private:
    // Binds the parameters the UPDATE and the insert share (APrefix "VAR_" or "I_").
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const;

    std::unique_ptr<TKVMaker> FMaker;
    QLineEdit* FNameEdit = nullptr;
    TKVButtonEdit* FUrlEdit = nullptr;
    QPlainTextEdit* FDescMemo = nullptr;
};

// Opens the card of maker (ADBId, AId), of a new maker for (0, 0), or of a copy of
// (ADBId, AId) with ACreateCopyFlag. Returns the card; nullptr when the maker was not found.
TfrmMakerEdit* OpenCardMaker(quint32 ADBId, quint32 AId, bool ACreateCopyFlag);
