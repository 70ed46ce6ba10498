#pragma once

// The card of an element class: name (required), description, parent class (picked from the
// class book; the class itself and its subtree are never offered) and the class icon, chosen
// among the images of the class image list with the user's descriptions of them.

#include "core/KVClass.h"
#include "refbooks/KVRecordCard.h"

#include <memory>

class QComboBox;

class TfrmClassEdit : public TKVRecordCard {
    Q_OBJECT
public:
    explicit TfrmClassEdit(QWidget* AParent = nullptr);
    ~TfrmClassEdit() override;

    quint32 DBId() const override { return FClass ? FClass->DBId() : 0; }
    quint32 Id() const override { return FClass ? FClass->Id() : 0; }
    quint32 ParentClassDBId() const { return FClass ? FClass->ParentDBId() : 0; }
    quint32 ParentClassId() const { return FClass ? FClass->ParentId() : 0; }
    const TKVClass* Class() const { return FClass.get(); }

    // The description of class icon AIndex: line AIndex of the user's list of icon
    // descriptions when it is there and not empty, else "Иконка " and the number.
    static QString IconDescription(int AIndex);

    QLineEdit* ClassName_TextEdit() const { return FNameEdit; }
    QLineEdit* ClassDesc_TextEdit() const { return FDescEdit; }
    TKVButtonEdit* ClassParentClass_ButtonEdit() const { return FParentEdit; }
    QComboBox* ClassIcon_ImageComboBox() const { return FIconCombo; }

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
    void SetEditorsReadOnly(bool AValue) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    void FillIconList();
    // Binds the parameters the UPDATE and the insert share (APrefix "VAR_" or "I_").
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const;

    std::unique_ptr<TKVClass> FClass;
    QLineEdit* FNameEdit = nullptr;
    QLineEdit* FDescEdit = nullptr;
    TKVButtonEdit* FParentEdit = nullptr;
    QComboBox* FIconCombo = nullptr;
};

// Opens the card of class (ADBId, AId), of a new class for (0, 0), or of a copy of (ADBId, AId)
// with ACreateCopyFlag. Returns the card; nullptr when the class was not found.
TfrmClassEdit* OpenCardClass(quint32 ADBId, quint32 AId, bool ACreateCopyFlag);
