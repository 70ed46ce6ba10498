#pragma once

// The list frame of the analogs of one element type (T_ELEMENT_ANALOG rows whose primary type
// is that type): the primary and the analog type's names, the four similarity grades by name
// and the note. The text filter keeps a row when either name matches it; the layout rows are
// kept per primary type. A change reported by an analog card is read again for the list's
// primary type only, so a relation moved to another primary type leaves the list.

#include "core/KVElementAnalog.h"
#include "views/KVListFrame.h"

class T_frmElementAnalog : public TKVBookListFrame<TKVElementAnalogList> {
    Q_OBJECT
public:
    explicit T_frmElementAnalog(QWidget* AParent = nullptr);

    // Sets the frame up (manage mode) in AMode for the primary type; only eansdmAnalogs reads
    // rows. The analog type's key is not used.
    void Init(TKVElementAnalogListSelectDataMode AMode, quint32 APrimaryElementTypeDBId,
              quint32 APrimaryElementTypeId, quint32 AAnalogElementTypeDBId,
              quint32 AAnalogElementTypeId);

    TKVElementAnalogListSelectDataMode ListSelectDataMode() const { return FMode; }
    quint32 PrimaryElementTypeDBId() const { return FPrimaryDBId; }
    quint32 PrimaryElementTypeId() const { return FPrimaryId; }
    QString PrimaryElementTypeName() const;
    TKVElementAnalogList* ElementAnalogList() const { return List(); }

    // The selected row's primary name, followed by " - " and its analog name when that is not
    // empty, on the clipboard; false without a selection.
    bool CopyName();

    // Names of the types changed elsewhere: the list keeps its own until it is refreshed.
    void ExternalUpdatePrimaryElementTypeName(const QString&) {}
    void ExternalUpdateAnalogElementTypeName(const QString&) {}

    // The window closes with its primary type.
    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

protected:
    std::unique_ptr<TKVElementAnalogList> NewList() const override;
    void LoadContext(TIBQuery& AQuery) override;
    QString CountSQL() const override;
    QString SelectSQL() const override;
    QString SelectOneSQL() const override;
    void BindContext(TIBQuery& AQuery) override;
    void CompleteRecord(TKVElementAnalog& ARecord) const override;
    TKVListRow MakeRow(const TKVElementAnalog& ARecord) const override;
    bool RecordMatchesText(const TKVElementAnalog& ARecord) const override;
    TLayoutKey LayoutContextKey() const override;
    std::optional<int> LayoutObjMode() const override;
    bool CardAvailable() const override { return true; }
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    QString ExportDataSetName() const override;

private:
    TKVElementAnalogListSelectDataMode FMode = eansdmAnalogs;
    quint32 FPrimaryDBId = 0;
    quint32 FPrimaryId = 0;
    quint32 FAnalogDBId = 0;
    quint32 FAnalogId = 0;
};
