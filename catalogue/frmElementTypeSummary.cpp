#include "catalogue/frmElementTypeSummary.h"

#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "resources/KVResources.h"
#include "shell/uHelpContext.h"
#include "shell/ufrmMain.h"
#include "views/KVPictureBox.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr quint32 kIcon = 2130;
constexpr int kViewElementGlyph = 84;
constexpr int kViewCaseGlyph = 85;
const QString kColumnWidth = QStringLiteral("CW");

struct TPageButton {
    const char* Name;
    const char* Caption;
    const char* Hint;
};
const TPageButton kPageButtons[] = {{"General_ToolButton", "Общ. информ.", "Общая информация"},
                                    {"Param_ToolButton", "Параметры", "Параметры"},
                                    {"Pin_ToolButton", "Выводы", "Выводы"},
                                    {"Avail_ToolButton", "Наличие", "Наличие"},
                                    {"Supplier_ToolButton", "Поставщики", "Поставщики и цены"},
                                    {"Analog_ToolButton", "Аналоги", "Аналоги"},
                                    {"Project_ToolButton", "Проекты", "Использование в проектах"}};
const char* const kCaptions[] = {"Класс",  "Наименование",  "Описание",       "Маркировка",
                                 "Корпус", "Опис. корпуса", "Парам. корпуса", "Производитель"};

QString Tr(const char* AText) {
    return QCoreApplication::translate("TfrmElementTypeSummary", AText);
}

} // namespace

TfrmElementTypeSummary::TfrmElementTypeSummary(QWidget* AParent) : TKVMDIChild(AParent) {
    setObjectName(QStringLiteral("frmElementTypeSummary"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FToolBar = new QToolBar(this);
    FToolBar->setObjectName(QStringLiteral("ElementTypeSummary_ToolBar"));
    FToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(FToolBar);
    for (size_t i = 0; i < FPageButtons.size(); ++i) {
        auto* button = new QToolButton(FToolBar);
        button->setObjectName(QLatin1String(kPageButtons[i].Name));
        button->setText(Tr(kPageButtons[i].Caption));
        button->setToolTip(Tr(kPageButtons[i].Hint));
        button->setCheckable(true);
        button->setAutoRaise(true);
        FToolBar->addWidget(button);
        connect(button, &QToolButton::clicked, this,
                [this, i] { SelectPage(static_cast<int>(i)); });
        FPageButtons[i] = button;
    }
    FToolBar->addSeparator();
    FRefreshButton = new QToolButton(FToolBar);
    FRefreshButton->setObjectName(QStringLiteral("Refresh_ToolButton"));
    FRefreshButton->setText(tr("Обновить"));
    FRefreshButton->setToolTip(tr("Обновить данные"));
    FRefreshButton->setAutoRaise(true);
    FToolBar->addWidget(FRefreshButton);
    connect(FRefreshButton, &QToolButton::clicked, this,
            &TfrmElementTypeSummary::Refresh_ToolButtonClick);

    FNotebook = new QStackedWidget(this);
    FNotebook->setObjectName(QStringLiteral("ElementTypeSummary_Notebook"));
    layout->addWidget(FNotebook, 1);

    // GENERAL: the caption/value pairs on a white panel, the picture area to the right.
    auto* general = new QWidget(FNotebook);
    general->setObjectName(QStringLiteral("GENERAL"));
    general->setAutoFillBackground(true);
    QPalette white = general->palette();
    white.setColor(QPalette::Window, Qt::white);
    general->setPalette(white);
    auto* generalLayout = new QHBoxLayout(general);
    auto* labels = new QGridLayout;
    QFont valueFont = font();
    valueFont.setPointSize(valueFont.pointSize() + 2);
    for (size_t i = 0; i < FValueLabels.size(); ++i) {
        auto* caption = new QLabel(Tr(kCaptions[i]), general);
        auto* value = new QLabel(general);
        value->setObjectName(QStringLiteral("Value%1_Label").arg(i));
        value->setFont(valueFont);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(220);
        value->setMaximumWidth(300);
        labels->addWidget(caption, static_cast<int>(i), 0, Qt::AlignTop);
        labels->addWidget(value, static_cast<int>(i), 1, Qt::AlignTop);
        FValueLabels[i] = value;
    }
    labels->setRowStretch(static_cast<int>(FValueLabels.size()), 1);
    generalLayout->addLayout(labels, 1);
    auto* pictureColumn = new QVBoxLayout;
    auto* toggles = new QHBoxLayout;
    const auto makeToggle = [&](const char* AName, const QString& AHint, int AGlyph) {
        auto* button = new QToolButton(general);
        button->setObjectName(QLatin1String(AName));
        button->setToolTip(AHint);
        button->setCheckable(true);
        if (dmMain)
            button->setIcon(dmMain->MainToolImgList.Icon(AGlyph));
        toggles->addWidget(button);
        return button;
    };
    FViewElementButton =
        makeToggle("ViewElement_Button", tr("Внешний вид типа элемента"), kViewElementGlyph);
    FViewCaseButton = makeToggle("ViewCase_Button", tr("Внешний вид корпуса"), kViewCaseGlyph);
    toggles->addStretch(1);
    connect(FViewElementButton, &QToolButton::clicked, this,
            [this] { ViewMode_ButtonClick(true); });
    connect(FViewCaseButton, &QToolButton::clicked, this, [this] { ViewMode_ButtonClick(false); });
    pictureColumn->addLayout(toggles);
    FViewArea = new TKVPictureBox(QStringLiteral("ViewArea"), QSize(300, 307), general);
    FViewArea->SetReadOnly(true);
    pictureColumn->addWidget(FViewArea);
    pictureColumn->addStretch(1);
    generalLayout->addLayout(pictureColumn);
    FNotebook->addWidget(general);

    const char* const pageNames[] = {"PARAM", "PIN", "AVAIL", "SUPPLIER", "ANALOG", "PROJECT"};
    for (int page = 0; page < KVSummaryPageCount; ++page) {
        auto* list = new QTreeWidget(FNotebook);
        list->setObjectName(QLatin1String(pageNames[page]));
        list->setRootIsDecorated(false);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setUniformRowHeights(true);
        const auto columns = TKVElementTypeSummary::Columns(static_cast<TKVSummaryPage>(page));
        QStringList captions;
        for (const auto& column : columns)
            captions << column.Caption;
        list->setHeaderLabels(captions);
        for (int c = 0; c < static_cast<int>(columns.size()); ++c)
            list->setColumnWidth(c, columns[static_cast<size_t>(c)].Width);
        FLists[static_cast<size_t>(page)] = list;
        FNotebook->addWidget(list);
    }

    setContextMenuPolicy(Qt::CustomContextMenu);
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("ElementTypeSummary_PopupMenu"));
    QAction* help = menu->addAction(tr("Помощь по карточке"));
    help->setObjectName(QStringLiteral("pmiHelpContext"));
    connect(help, &QAction::triggered, this,
            [] { ShowHelpTopic(QStringLiteral("CardElementTypeSummary")); });
    connect(this, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& APos) { menu->popup(mapToGlobal(APos)); });
    setMinimumSize(649, 361);
}

bool TfrmElementTypeSummary::Init(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    if (AElementTypeId == 0 || !LoadData()) {
        ReportNotFound();
        return false;
    }
    SetPartsActive();
    SelectPage(0);
    LoadRBLocalConfig();
    return true;
}

bool TfrmElementTypeSummary::LoadData() {
    if (!dmMain || !dmMain->DBConnected() || FElementTypeId == 0)
        return false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    bool found = false;
    if (!dmMain->ExecuteInTransaction(
            [&] { found = FSummary.Load(query, FElementTypeDBId, FElementTypeId); }))
        return false;
    if (found)
        FillWindow();
    return found;
}

void TfrmElementTypeSummary::FillWindow() {
    const TKVSummaryGeneral& general = FSummary.General();
    const QString values[] = {general.ClassName,  general.TypeName, general.Description,
                              general.Marking,    general.CaseName, general.CaseDescription,
                              general.CaseParams, general.MakerName};
    for (size_t i = 0; i < FValueLabels.size(); ++i) {
        QLabel* label = FValueLabels[i];
        label->setText(values[i]);
        // A value wider than its label shows whole in its hint.
        label->setToolTip(label->fontMetrics().horizontalAdvance(values[i]) > label->maximumWidth()
                              ? values[i]
                              : QString());
    }
    FViewElementButton->setEnabled(!general.ElementImage.isEmpty());
    FViewCaseButton->setEnabled(!general.CaseImage.isEmpty());
    FViewElementButton->setChecked(false);
    FViewCaseButton->setChecked(false);
    FViewArea->SetImage(QByteArray());
    if (!general.ElementImage.isEmpty())
        ViewMode_ButtonClick(true);
    else if (!general.CaseImage.isEmpty())
        ViewMode_ButtonClick(false);

    FCardName = general.TypeName + QStringLiteral(" - ") + tr("Сводная информация");
    setWindowTitle(FCardName);

    for (int page = 0; page < KVSummaryPageCount; ++page) {
        QTreeWidget* list = FLists[static_cast<size_t>(page)];
        list->clear();
        QList<QTreeWidgetItem*> items;
        for (const QStringList& row : FSummary.Rows(static_cast<TKVSummaryPage>(page)))
            items << new QTreeWidgetItem(row);
        list->addTopLevelItems(items);
    }
}

void TfrmElementTypeSummary::SetPartsActive() {
    for (int page = 0; page < KVSummaryPageCount; ++page)
        FPageButtons[static_cast<size_t>(page) + 1]->setEnabled(
            FSummary.PageLoaded(static_cast<TKVSummaryPage>(page)));
    FPageButtons[0]->setEnabled(true);
    FRefreshButton->setEnabled(true);
}

void TfrmElementTypeSummary::SelectPage(int APage) {
    for (size_t i = 0; i < FPageButtons.size(); ++i)
        FPageButtons[i]->setChecked(static_cast<int>(i) == APage);
    FNotebook->setCurrentIndex(APage);
}

void TfrmElementTypeSummary::ViewMode_ButtonClick(bool AElement) {
    FViewElementButton->setChecked(AElement);
    FViewCaseButton->setChecked(!AElement);
    const TKVSummaryGeneral& general = FSummary.General();
    FViewArea->SetImage(AElement ? general.ElementImage : general.CaseImage);
}

void TfrmElementTypeSummary::Refresh_ToolButtonClick() {
    SelectPage(0);
    if (!LoadData()) {
        // A failed read leaves the window as it was; a type deleted meanwhile closes it.
        if (dmMain && dmMain->DBConnected() && !FSummary.Found())
            ReportNotFound();
        return;
    }
    SetPartsActive();
}

void TfrmElementTypeSummary::ReportNotFound() {
    ShowObjectNotFound(FElementTypeDBId, FElementTypeId);
    if (Registered())
        CloseWindow();
}

void TfrmElementTypeSummary::LoadRBLocalConfig() {
    if (!dmMain || !dmMain->DBConnected() || !::LocalConfig)
        return;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral(
            "SELECT OBJ_MODE, V_PARAMID, V_INTEGER FROM CFG_LOCAL WHERE S_PARAM = :VAR_S_PARAM "
            "AND OBJ_TYPE = :VAR_OBJ_TYPE AND OBJ_MODE IS NOT NULL ORDER BY OBJ_MODE;"));
        query.ParamByName(QStringLiteral("VAR_S_PARAM")).SetAsString(kColumnWidth);
        query.ParamByName(QStringLiteral("VAR_OBJ_TYPE"))
            .SetAsInteger(ObjTypeToInt(otElementTypeSummary));
        query.Open();
        while (!query.Eof()) {
            const qint64 page = query.FieldByName("OBJ_MODE").AsInt64();
            const qint64 column = query.FieldByName("V_PARAMID").AsInt64();
            const qint64 width = query.FieldByName("V_INTEGER").AsInt64();
            if (page >= 0 && page < KVSummaryPageCount &&
                FSummary.PageLoaded(static_cast<TKVSummaryPage>(page)) && column >= 0 &&
                width > 0 && width < 100000) {
                QTreeWidget* list = FLists[static_cast<size_t>(page)];
                if (column < list->columnCount())
                    list->setColumnWidth(static_cast<int>(column), static_cast<int>(width));
            }
            query.Next();
        }
        query.Close();
    });
}

void TfrmElementTypeSummary::SaveRBLocalConfig() {
    if (!dmMain || !dmMain->DBConnected() || !::LocalConfig || !dmMain->CanWriteDataBase())
        return;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral(
            "UPDATE OR INSERT INTO CFG_LOCAL (OBJ_TYPE, OBJ_DBID, OBJ_ID, OBJ_MODE, S_PARAM, "
            "V_PARAMID, V_INTEGER) VALUES (:VAR_OBJ_TYPE, NULL, NULL, :VAR_OBJ_MODE, "
            ":VAR_S_PARAM, :VAR_V_PARAMID, :VAR_V_INTEGER) MATCHING (OBJ_TYPE, OBJ_DBID, OBJ_ID, "
            "OBJ_MODE, S_PARAM, V_PARAMID);"));
        for (int page = 0; page < KVSummaryPageCount; ++page) {
            if (!FSummary.PageLoaded(static_cast<TKVSummaryPage>(page)))
                continue;
            const QTreeWidget* list = FLists[static_cast<size_t>(page)];
            for (int column = 0; column < list->columnCount(); ++column) {
                query.ParamByName(QStringLiteral("VAR_OBJ_TYPE"))
                    .SetAsInteger(ObjTypeToInt(otElementTypeSummary));
                query.ParamByName(QStringLiteral("VAR_OBJ_MODE")).SetAsInteger(page);
                query.ParamByName(QStringLiteral("VAR_S_PARAM")).SetAsString(kColumnWidth);
                query.ParamByName(QStringLiteral("VAR_V_PARAMID")).SetAsInteger(column);
                query.ParamByName(QStringLiteral("VAR_V_INTEGER"))
                    .SetAsInteger(list->columnWidth(column));
                query.ExecSQL();
            }
        }
    });
}

bool TfrmElementTypeSummary::BoundToRecord(TKVItemType AItemType, quint32 ADBId,
                                           quint32 AId) const {
    return AItemType == itElementType && ADBId == FElementTypeDBId && AId == FElementTypeId;
}

void TfrmElementTypeSummary::FormClose() {
    SaveRBLocalConfig();
}

TfrmElementTypeSummary* OpenCardElementTypeSummary(quint32 AElementTypeDBId,
                                                   quint32 AElementTypeId) {
    if (!frmMain)
        return nullptr;
    auto window = std::make_unique<TfrmElementTypeSummary>();
    window->setWindowIcon(ResourceIcon(kIcon));
    if (!window->Init(AElementTypeDBId, AElementTypeId))
        return nullptr;
    TfrmElementTypeSummary* placed = window.release(); // the workspace owns it from here
    placed->ShowMDIChild();
    if (QMdiSubWindow* sub = placed->SubWindow())
        sub->adjustSize();
    return placed;
}

void ShowElementTypeSummary(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    if (frmMain && frmMain->BringToFrontMDIChildren<TfrmElementTypeSummary>(
                       [&](const TfrmElementTypeSummary& AWindow) {
                           return AWindow.ElementTypeDBId() == AElementTypeDBId &&
                                  AWindow.ElementTypeId() == AElementTypeId;
                       }))
        return;
    OpenCardElementTypeSummary(AElementTypeDBId, AElementTypeId);
}
