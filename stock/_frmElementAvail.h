#pragma once

// The list frame of the stock: stock records (T_ELEMENT_AVAIL) chosen in one of seven modes
// (all records, an element-type name mask, one storage place, one element type, a nominal-value
// search, a revision-date search, a marking mask), with the count (a "~" in front of an
// approximate one), the need, the count reserved by projects of every state, the nominal value,
// the storage place, the cell and the revision time (the later of creation and update).
//
// Beyond the list pattern: five client filters (class, storage place, case, mount type, types
// that can be drawn), the revision-date and nominal captions of the search windows, and the
// commands that open the windows of the record's element type (its summary and case drawing,
// each through the opener its window registered), the web search by the record's name and
// adding it to the favourites.

#include "core/KVElementAvail.h"
#include "views/KVListFrame.h"

class T_frmElementAvail : public TKVBookListFrame<TKVElementAvailList> {
    Q_OBJECT
public:
    explicit T_frmElementAvail(QWidget* AParent = nullptr);
    ~T_frmElementAvail() override;

    // Sets the frame up in AMode; the criteria the mode does not use are 0, empty strings and
    // eanstEqual. A mode outside the seven shows an error and leaves the frame empty and inert.
    void Init(bool AActionState, TKVElementAvailListSelectDataMode AMode, quint32 AElementTypeDBId,
              quint32 AElementTypeId, quint32 AStorageId, const QString& ATypeNameStr,
              const QString& AMarkingStr, TKVElementAvailNominalSearchType ANominalSearchType,
              double ANominalSearchValue1, double ANominalSearchValue2,
              quint32 ANominalSearchUnitDBId, quint32 ANominalSearchUnitId, TDateTime ARevDateBegin,
              TDateTime ARevDateEnd);

    // --- What the list was opened on, read by other windows to find an open list
    TKVElementAvailListSelectDataMode ListSelectDataMode() const { return FMode; }
    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    // The names read by the load: the element type's (mode easdmOnElementType), the storage
    // place's (easdmOnStorage), the search unit's prefix (easdmOnNominal); empty otherwise.
    QString ElementTypeName() const;
    quint32 StorageId() const { return FStorageId; }
    QString StorageName() const;
    const QString& ElementTypeNameStr() const { return FTypeNameStr; }
    const QString& ElementTypeMarkingStr() const { return FMarkingStr; }
    TKVElementAvailNominalSearchType NominalSearchType() const { return FNominalSearchType; }
    double NominalSearchValue1() const { return FNominalSearchValue1; }
    double NominalSearchValue2() const { return FNominalSearchValue2; }
    quint32 NominalSearchUnitDBId() const { return FNominalSearchUnitDBId; }
    quint32 NominalSearchUnitId() const { return FNominalSearchUnitId; }
    QString NominalSearchUnitPrefix() const;
    TDateTime RevDateBegin() const { return FRevDateBegin; }
    TDateTime RevDateEnd() const { return FRevDateEnd; }

    TKVElementAvailList* ElementAvailList() const { return List(); }

    // Caption parts of the search windows: "равно 10 кОм", "от 1 до 2"; "от 01.02.2024 до
    // 05.02.2024 * по хранилищу". Empty outside their modes.
    QString GetSubTitleForSearchNominal() const;
    QString GetSubTitleForSearchRevDate() const;

    // --- The client filters
    bool FiltredOnClass() const { return ClientFilterOn(FClassFilter); }
    bool FiltredOnStorage() const { return ClientFilterOn(FStorageFilter); }
    bool FiltredOnCaseType() const { return ClientFilterOn(FCaseFilter); }
    bool FiltredOnCaseMountType() const { return ClientFilterOn(FMountTypeFilter); }
    bool FiltredOnPttVisual() const { return ClientFilterOn(FPttVisualFilter); }
    // The client filters' indexes (for ClientFilterItem and pmiClientFilterClick).
    enum TFilter { fClass, fStorage, fCase, fMountType, fPttVisual };
    int FilterIndex(TFilter AFilter) const;

    // --- Commands on the selected record
    void OpenReferenceBook_ElementTypeSummary();
    void OpenCaseVisual();
    void SearchInWeb();
    void AddToFavorite();

    // --- Stock operations (stock/_frmElementAvailOps.cpp)
    // A new count for the selected record, asked in the count dialog; an emptied record may
    // move to the storage place for empty records.
    void ChangeCount();
    // Moves every empty record to the storage place for empty records; the number moved.
    quint32 MoveEmptyToSpecStorage();
    void pmiAddFunct_MoveEmptyClick();
    // Adds the selected record to a project in work, picked in the project picker.
    void AddToProject();
    // Every open stock window reads the record again / reloads.
    static void RefreshElementAvailInRB(quint32 AElementAvailId);
    static void RefreshAllElementAvailRB();

    // The window of one storage place or one element type closes with that record.
    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

    // The text of a number as the list shows it.
    static QString NumberText(double AValue);

protected:
    std::unique_ptr<TKVElementAvailList> NewList() const override;
    void LoadContext(TIBQuery& AQuery) override;
    QString CountSQL() const override;
    QString SelectSQL() const override;
    QString SelectOneSQL() const override;
    void BindContext(TIBQuery& AQuery) override;
    TKVListRow MakeRow(const TKVElementAvail& ARecord) const override;
    bool RecordMatchesText(const TKVElementAvail& ARecord) const override;
    TLayoutKey LayoutContextKey() const override;
    std::optional<int> LayoutObjMode() const override { return static_cast<int>(FMode); }
    bool CardAvailable() const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void AddExtraCommands(QMenu* AMenu) override;

private:
    // The condition of the mode over alias TEA (and TET for the masks), to follow "WHERE ".
    QString ModeCondition() const;
    bool HasRevDateBegin() const;
    bool HasRevDateEnd() const;
    const TKVElementAvail* SelectedRecord() const;
    // The stock operations' commands.
    void AddStockOperations(QMenu* AMenu);

    bool FInited = false;
    TKVElementAvailListSelectDataMode FMode = easdmAll;
    quint32 FElementTypeDBId = 0;
    quint32 FElementTypeId = 0;
    quint32 FStorageId = 0;
    QString FTypeNameStr;
    QString FMarkingStr;
    QString FtmpSQLPatternStr;
    TKVElementAvailNominalSearchType FNominalSearchType = eanstEqual;
    double FNominalSearchValue1 = 0;
    double FNominalSearchValue2 = 0;
    quint32 FNominalSearchUnitDBId = 0;
    quint32 FNominalSearchUnitId = 0;
    TDateTime FRevDateBegin = 0;
    TDateTime FRevDateEnd = 0;

    int FClassFilter = -1;
    int FStorageFilter = -1;
    int FCaseFilter = -1;
    int FMountTypeFilter = -1;
    int FPttVisualFilter = -1;
    QString FFilterClassName;
    quint32 FFilterClassDBId = 0;
    quint32 FFilterClassId = 0;
    QString FFilterStorageName;
    quint32 FFilterStorageId = 0;
    QString FFilterCaseTypeName;
    quint32 FFilterCaseTypeDBId = 0;
    quint32 FFilterCaseTypeId = 0;
    TKVCaseMountType FFilterCaseMountType = cmtUnknown;
};
