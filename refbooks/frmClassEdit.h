#pragma once

// The card of an element class: name (required), description, parent class (picked from the
// class book; the class itself and its subtree are never offered) and the class icon, chosen
// among the images of the class image list with the user's descriptions of them.

#include "core/KVClass.h"
#include "views/KVRecordCard.h"

#include <memory>

class QComboBox;

class TfrmClassEdit : public TKVBookCard<TKVClass> {
    Q_OBJECT
public:
    explicit TfrmClassEdit(QWidget* AParent = nullptr);

    quint32 ParentClassDBId() const { return Row() ? Row()->ParentDBId() : 0; }
    quint32 ParentClassId() const { return Row() ? Row()->ParentId() : 0; }
    const TKVClass* Class() const { return Row(); }

    // The description of class icon AIndex: line AIndex of the user's list of icon
    // descriptions when it is there and not empty, else "Иконка " and the number.
    static QString IconDescription(int AIndex);

    QLineEdit* ClassName_TextEdit() const { return FNameEdit; }
    QLineEdit* ClassDesc_TextEdit() const { return FDescEdit; }
    TKVButtonEdit* ClassParentClass_ButtonEdit() const { return FParentEdit; }
    QComboBox* ClassIcon_ImageComboBox() const { return FIconCombo; }

protected:
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    void SetEditorsReadOnly(bool AValue) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    void FillIconList();

    QLineEdit* FNameEdit = nullptr;
    QLineEdit* FDescEdit = nullptr;
    TKVButtonEdit* FParentEdit = nullptr;
    QComboBox* FIconCombo = nullptr;
};

// Opens the card of class (ADBId, AId), of a new class for (0, 0), or of a copy of (ADBId, AId)
// with ACreateCopyFlag. Returns the card; nullptr when the class was not found.
TfrmClassEdit* OpenCardClass(quint32 ADBId, quint32 AId, bool ACreateCopyFlag);
