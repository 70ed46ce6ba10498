#pragma once

// The read-only window that gathers what is known of one element type on seven pages: general
// data with the type's or its case's picture, parameter values, pins, stock records, supplier
// prices, analogs and the projects that use it. A page whose list is empty cannot be chosen.
// The window keeps the column widths of its lists as layout rows.

#include "catalogue/KVElementTypeSummary.h"
#include "shell/KVMDIChild.h"

#include <array>

class QLabel;
class QStackedWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;
class TKVPictureBox;

class TfrmElementTypeSummary : public TKVMDIChild {
    Q_OBJECT
public:
    explicit TfrmElementTypeSummary(QWidget* AParent = nullptr);

    TKVChildKind ChildKind() const override { return ckListWindow; }

    // Loads the type and lays the window out; false (after the "not found" message) when the
    // type does not exist.
    bool Init(quint32 AElementTypeDBId, quint32 AElementTypeId);
    // Reads the type in one transaction; false when it failed or the type does not exist.
    bool LoadData();

    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    quint16 PinCount() const { return FSummary.General().PinCount; }
    const QString& CardName() const { return FCardName; }
    const TKVElementTypeSummary& Summary() const { return FSummary; }

    // --- Components, for tests
    // The page buttons 0 (GENERAL) to 6 (PROJECT), and Refresh.
    QToolButton* PageButton(int APage) const { return FPageButtons[static_cast<size_t>(APage)]; }
    QToolButton* RefreshButton() const { return FRefreshButton; }
    QStackedWidget* Notebook() const { return FNotebook; }
    // The list of a page (TKVSummaryPage).
    QTreeWidget* PageList(TKVSummaryPage APage) const { return FLists[APage]; }
    // The value label of the general page: 0 class ... 7 maker.
    QLabel* ValueLabel(int AIndex) const { return FValueLabels[static_cast<size_t>(AIndex)]; }
    TKVPictureBox* ViewArea() const { return FViewArea; }
    QToolButton* ViewElementButton() const { return FViewElementButton; }
    QToolButton* ViewCaseButton() const { return FViewCaseButton; }

    // --- Commands
    void SelectPage(int APage);
    // The picture toggles: the pressed one shows its picture.
    void ViewMode_ButtonClick(bool AElement);
    // GENERAL again, the data read again, the page buttons follow.
    void Refresh_ToolButtonClick();

    void LoadRBLocalConfig();
    void SaveRBLocalConfig();

    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

protected:
    void FormClose() override;

private:
    void FillWindow();
    void SetPartsActive();
    // Says that the type is gone and closes the window.
    void ReportNotFound();

    quint32 FElementTypeDBId = 0;
    quint32 FElementTypeId = 0;
    QString FCardName;
    TKVElementTypeSummary FSummary;

    QToolBar* FToolBar = nullptr;
    std::array<QToolButton*, 7> FPageButtons{};
    QToolButton* FRefreshButton = nullptr;
    QStackedWidget* FNotebook = nullptr;
    std::array<QLabel*, 8> FValueLabels{};
    TKVPictureBox* FViewArea = nullptr;
    QToolButton* FViewElementButton = nullptr;
    QToolButton* FViewCaseButton = nullptr;
    std::array<QTreeWidget*, KVSummaryPageCount> FLists{};
};

// Opens a new summary of the element type; nullptr without a main window or when the type does
// not exist (the user is told).
TfrmElementTypeSummary* OpenCardElementTypeSummary(quint32 AElementTypeDBId,
                                                   quint32 AElementTypeId);
// Brings the open summaries of the type to the front, or opens one.
void ShowElementTypeSummary(quint32 AElementTypeDBId, quint32 AElementTypeId);
