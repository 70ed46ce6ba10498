#pragma once

// The pins of one element type (T_PIN): the list frame T_frmPin with the pin number, designation,
// description and pin type, and its window TfrmPin, whose caption shows the type's name and
// the pin count of its case, so the user can compare it with the rows listed. The number
// column sorts as numbers; the filter tests designations only. The list closes with its element
// type.

#include "core/KVPin.h"
#include "views/KVListFrame.h"
#include "views/KVListHost.h"

class T_frmPin : public TKVBookListFrame<TKVPinList> {
    Q_OBJECT
public:
    explicit T_frmPin(QWidget* AParent = nullptr);

    // Opens the list on the pins of the element type.
    void Init(quint32 AElementTypeDBId, quint32 AElementTypeId);

    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    const QString& ElementTypeName() const { return FElementTypeName; }
    // The pin count of the element type's case; 0 without a case.
    quint16 PinCount() const { return FPinCount; }
    TKVPinList* PinList() const { return List(); }
    // "<type> - Выводы (<case pin count>)".
    QString Caption() const;

    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

protected:
    std::unique_ptr<TKVPinList> NewList() const override;
    TKVListRow MakeRow(const TKVPin& ARecord) const override;
    bool RecordMatchesText(const TKVPin& ARecord) const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void LoadContext(TIBQuery& AQuery) override;
    void BindContext(TIBQuery& AQuery) override;
    void LoadRecordDetails() override;
    TLayoutKey LayoutContextKey() const override {
        return TKVDBKey{FElementTypeDBId, FElementTypeId};
    }
    QString ExportDataSetName() const override;

private:
    quint32 FElementTypeDBId = 0;
    quint32 FElementTypeId = 0;
    QString FElementTypeName;
    quint16 FPinCount = 0;
};

class TfrmPin : public TKVBookHost<T_frmPin> {
    Q_OBJECT
public:
    explicit TfrmPin(QWidget* AParent = nullptr);
};

// Opens a new pin list of the element type; nullptr without a main window.
TfrmPin* OpenRBPin(quint32 AElementTypeDBId, quint32 AElementTypeId);
// Brings the open pin lists of the element type to the front, or opens one.
void ShowPinsOfElementType(quint32 AElementTypeDBId, quint32 AElementTypeId);
