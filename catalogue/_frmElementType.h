#pragma once

// The list frame of the catalogue: element types (T_ELEMENT_TYPE) chosen in one of seven modes
// (a name mask, a class with or without its base-parameter columns, a maker, a supplier's
// prices, a parametric search, a marking mask), with the class icon, marking, the first line
// of the description, the case and the maker. In the modes with base-parameter columns each
// type shows its value of every base parameter of the class; the parametric search keeps the
// types that fail its profile loaded but hidden.
//
// Beyond the list pattern: four client filters (a case, a mount type, types that can be drawn,
// types with parameter values), the commands that open the windows of the selected type (its
// card, parameters, pins, prices, stock, analogs, summary and case drawing: each through the
// opener its window registered, and offered only once it did), the web search by the type's
// name, adding it to the favourites, and the description of a parameter column shown by a
// right click on its header.

#include "core/KVBaseParam.h"
#include "core/KVElementType.h"
#include "core/KVParamSearch.h"
#include "views/KVListFrame.h"

class QMenu;
class QLabel;

class T_frmElementType : public TKVBookListFrame<TKVElementTypeList> {
    Q_OBJECT
public:
    explicit T_frmElementType(QWidget* AParent = nullptr);
    ~T_frmElementType() override;

    // Sets the frame up in AMode; the criteria the mode does not use are 0, empty or nullptr.
    // The frame keeps a copy of the search profile.
    void Init(bool AActionState, TKVElementTypeListSelectDataMode AMode, quint32 AETClassDBId,
              quint32 AETClassId, quint32 AMakerDBId, quint32 AMakerId, quint32 ASupplierId,
              const QString& ATypeNameStr, const QString& AMarkingStr,
              const TKVParamSearchList* AParamSearchList);

    // --- What the list was opened on, read by other windows to find an open list
    TKVElementTypeListSelectDataMode ListSelectDataMode() const { return FMode; }
    quint32 ETClassDBId() const;
    quint32 ETClassId() const;
    QString ETClassName() const;
    quint32 MakerDBId() const;
    quint32 MakerId() const;
    QString MakerName() const;
    quint32 SupplierId() const;
    QString SupplierName() const;
    QString ElementTypeNameStr() const;
    QString ElementMarkingStr() const;

    TKVElementTypeList* ElementTypeList() const { return List(); }
    // The base parameters shown as columns (modes 2 and 5).
    const TKVBaseParamList& BPList() const { return FBPList; }
    const TKVParamSearchList& ParamSearchList() const { return FParamSearchList; }

    // --- The client filters
    bool FiltredOnCaseType() const { return ClientFilterOn(FCaseFilter); }
    const QString& FilterCaseTypeName() const { return FFilterCaseTypeName; }
    quint32 FilterCaseTypeDBId() const { return FFilterCaseTypeDBId; }
    quint32 FilterCaseTypeId() const { return FFilterCaseTypeId; }
    bool FiltredOnCaseMountType() const { return ClientFilterOn(FMountTypeFilter); }
    TKVCaseMountType FilterCaseMountType() const { return FFilterCaseMountType; }
    bool FiltredOnPttVisual() const { return ClientFilterOn(FPttVisualFilter); }
    bool FiltredOnParam() const { return ClientFilterOn(FParamFilter); }

    // --- Commands on the selected type
    void OpenReferenceBook_Params();
    void OpenReferenceBook_PinsAssign();
    void OpenReferenceBook_ElementSupplier();
    void OpenReferenceBook_ElementAvail();
    void OpenReferenceBook_ElementAnalog();
    void OpenReferenceBook_ElementTypeSummary();
    void OpenCaseVisual();
    // Asks for a site of the web-search list and opens the search for the type's name there.
    void SearchInWeb();
    // Adds the type to the favourites and says whether it did.
    void AddToFavorite();
    // Binds the unbound parameter values of the type (AElementTypeId not 0) or of every type of
    // the list (0) to the base parameters of the list's class (none outside the class modes),
    // in one transaction; returns the number of values bound, 0 when the run failed (and was
    // rolled back) or the database may not be changed.
    int ParamRebinding(quint32 AElementTypeDBId, quint32 AElementTypeId);
    // The two commands under "Дополнительные функции": the selected type, every type; each
    // says how many values it bound.
    void pmiAddFunct_ParamRebindingClick();
    void pmiAddFunct_ParamRebindingAllItemClick();

    // The window of one class's, maker's or supplier's types closes with that record.
    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

    // --- The description of a parameter column (a right click on its header, manage mode,
    // modes 2 and 5): the texts it shows, empty before the first.
    void ShowBaseParamInfo(int AColumn, const QPoint& AGlobalPos);
    const QString& BPPIName() const { return FBPPIName; }
    const QString& BPPIDescription() const { return FBPPIDescription; }
    const QString& BPPIParamValTypeText() const { return FBPPIParamValTypeText; }
    const QString& BPPIParamSearch() const { return FBPPIParamSearch; }
    QMenu* BPInfoPopupMenu() const { return FBPInfoMenu; }

protected:
    std::unique_ptr<TKVElementTypeList> NewList() const override;
    void LoadContext(TIBQuery& AQuery) override;
    QString CountSQL() const override;
    QString SelectSQL() const override;
    QString SelectOneSQL() const override;
    void BindContext(TIBQuery& AQuery) override;
    void LoadRecordDetails() override;
    void ReadRecordDetails(TIBQuery& AQuery, const TKVDBKey& AKey) override;
    void BuildDataColumns() override;
    void CompleteRecord(TKVElementType& ARecord) const override;
    TKVListRow MakeRow(const TKVElementType& ARecord) const override;
    bool RecordMatchesText(const TKVElementType& ARecord) const override;
    bool RecordHidden(const TKVElementType& ARecord) const override;
    TLayoutKey LayoutContextKey() const override;
    std::optional<int> LayoutObjMode() const override { return static_cast<int>(FMode); }
    bool CardAvailable() const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void AddExtraCommands(QMenu* AMenu) override;
    QString ExportDataSetName() const override;

private:
    // The class of the modes with base-parameter columns: the list's, or the profile's.
    TKVDBKey ParamClassKey() const;
    bool HasParamColumns() const {
        return FMode == etsdmOnClassWithBaseParam || FMode == etsdmOnParamSearch;
    }
    bool AvailOnly() const { return FMode == etsdmOnParamSearch && FParamSearchList.AvailOnly(); }
    // The condition of the mode over alias TET.
    QString ModeCondition() const;
    // The selected type's row; nullptr without a selection.
    const TKVElementType* SelectedRecord() const;
    // Runs the opener of tag TTag with the selected type's key.
    template <class TTag> void OpenForSelected();
    // "Обновлено записей: N", or that nothing was bound.
    static void ReportRebinding(int ACount);

    TKVElementTypeListSelectDataMode FMode = etsdmOnClass;
    quint32 FClassDBId = 0;
    quint32 FClassId = 0;
    quint32 FMakerDBId = 0;
    quint32 FMakerId = 0;
    quint32 FSupplierId = 0;
    QString FTypeNameStr;
    QString FMarkingStr;
    QString FtmpSQLPatternStr;
    TKVBaseParamList FBPList{0, 0};
    TKVParamSearchList FParamSearchList;

    int FCaseFilter = -1;
    int FMountTypeFilter = -1;
    int FPttVisualFilter = -1;
    int FParamFilter = -1;
    QString FFilterCaseTypeName;
    quint32 FFilterCaseTypeDBId = 0;
    quint32 FFilterCaseTypeId = 0;
    TKVCaseMountType FFilterCaseMountType = cmtUnknown;

    QString FBPPIName;
    QString FBPPIDescription;
    QString FBPPIParamValTypeText;
    QString FBPPIParamSearch;
    QMenu* FBPInfoMenu = nullptr;
    QLabel* FBPInfoLabel = nullptr;
};
