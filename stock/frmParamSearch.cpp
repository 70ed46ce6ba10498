#include "stock/frmParamSearch.h"

#include "catalogue/KVElementTypeParams.h"
#include "catalogue/frmElementType.h"
#include "core/udmMain.h"
#include "refbooks/frmClass.h"
#include "resources/KVResources.h"
#include "shell/KVButtonEdit.h"
#include "shell/frmInputText.h"
#include "shell/frmListItemSelect.h"
#include "shell/uMessage.h"
#include "stock/frmParamSearchItemEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

std::unique_ptr<TKVParamSearchList> ParamSearchResultList;

namespace {

QPushButton* MakeButton(QWidget* AParent, const char* AName, const QString& AText,
                        const QString& AHint, int AGlyph) {
    auto* button = new QPushButton(AText, AParent);
    button->setObjectName(QLatin1String(AName));
    button->setToolTip(AHint);
    button->setAutoDefault(false);
    if (AGlyph >= 0 && dmMain)
        button->setIcon(dmMain->MainToolImgList.Icon(AGlyph));
    return button;
}

QString ProfileNameCaption() {
    return TfrmParamSearch::tr("Название профайла поиска");
}

} // namespace

TfrmParamSearch::TfrmParamSearch(QWidget* AParent)
    : TKVDialog(QStringLiteral("ElementParamSearch"), QStringLiteral("ParamSearch_PopupMenu"),
                AParent ? AParent : TKVDialog::OwnerWindow()) {
    setObjectName(QStringLiteral("frmParamSearch"));
    setWindowTitle(tr("Параметрический поиск по классу"));
    setWindowIcon(ResourceIcon(2221));

    FProfileCombo = new QComboBox(this);
    FProfileCombo->setObjectName(QStringLiteral("SelectPSP_ComboBox"));
    FClassEdit = new TKVButtonEdit(this);
    FClassEdit->setObjectName(QStringLiteral("ParamSearchClass_ButtonEdit"));
    FClassEdit->LineEdit()->setReadOnly(true);
    FUnionCombo = new QComboBox(this);
    FUnionCombo->setObjectName(QStringLiteral("ParamSearchType_ComboBox"));
    FAvailOnlyCheck = new QCheckBox(tr("Искать только элементы в наличии"), this);
    FAvailOnlyCheck->setObjectName(QStringLiteral("ParamSearchAvailOnly_CheckBox"));
    FListView = new QTreeWidget(this);
    FListView->setObjectName(QStringLiteral("ParamSearch_ListView"));
    FListView->setRootIsDecorated(false);
    FListView->setSelectionMode(QAbstractItemView::SingleSelection);
    FListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FListView->setHeaderLabels({tr("Параметр"), tr("Условие")});
    FListView->header()->resizeSection(0, 120);
    FListView->header()->resizeSection(1, 240);
    FListView->setMinimumWidth(370);

    FSaveButton = MakeButton(this, "SaveToDB_Button", tr("Со&хр. в БД"),
                             tr("Сохранить в профиль происка в БД"), 79);
    FDeleteFromDBButton = MakeButton(this, "DeleteFromDB_Button", tr("&Удал. из БД"),
                                     tr("Удалить профиль происка из БД"), 68);
    FRenameButton = MakeButton(this, "RenamePSP_Button", tr("&Переименовать"),
                               tr("Переименовать профиль поиска"), -1);
    FAddButton = MakeButton(this, "Add_Button", tr("&Добавить"), tr("Добавить условие"), 26);
    FEditButton = MakeButton(this, "Edit_Button", tr("&Изменить"), tr("Изменить условие"), 27);
    FDeleteButton = MakeButton(this, "Delete_Button", tr("&Удалить"), tr("Удалить условие"), 28);
    FFindButton = MakeButton(this, "Find_Button", tr("&Поиск"), tr("Выполнить поиск"), 54);
    FFindButton->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(tr("Профиль поиска"), FProfileCombo);
    form->addRow(tr("Класс элементов"), FClassEdit);
    form->addRow(tr("Условие отбора"), FUnionCombo);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(FAvailOnlyCheck);
    left->addWidget(FListView, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {FSaveButton, FDeleteFromDBButton, FRenameButton, FAddButton,
                                FEditButton, FDeleteButton})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(FFindButton);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(513, 273);
    CenterOnScreen(this);

    // The match rule, preset to "any".
    FUnionCombo->addItems({tr("Совпадение всех параметров"), tr("Совпадение любого из параметров")});
    FUnionCombo->setCurrentIndex(static_cast<int>(psuAny));
    LoadParamSearchProfileList();
    for (QPushButton* button : {FDeleteFromDBButton, FSaveButton, FRenameButton, FAddButton,
                                FEditButton, FDeleteButton, FFindButton})
        button->setEnabled(false);

    connect(FClassEdit, &TKVButtonEdit::ButtonClick, this, &TfrmParamSearch::SelectClassClick);
    connect(FProfileCombo, &QComboBox::currentIndexChanged, this, [this](int AIndex) {
        if (FPSPLoading || AIndex < 0 || FProfileCombo->count() == 0)
            return;
        LoadParamSearchProfileFromDB(AIndex);
        CheckParamSearchData();
    });
    connect(FUnionCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!FPSPLoading)
            ClearSelectedPSProfile();
    });
    connect(FListView, &QTreeWidget::itemSelectionChanged, this,
            &TfrmParamSearch::UpdateRowButtons);
    connect(FListView, &QTreeWidget::itemDoubleClicked, this, [this] { EditItem(); });
    connect(FSaveButton, &QPushButton::clicked, this, &TfrmParamSearch::SaveToDBClick);
    connect(FDeleteFromDBButton, &QPushButton::clicked, this,
            &TfrmParamSearch::DeleteFromDBClick);
    connect(FRenameButton, &QPushButton::clicked, this, &TfrmParamSearch::RenameClick);
    connect(FAddButton, &QPushButton::clicked, this, &TfrmParamSearch::AddItem);
    connect(FEditButton, &QPushButton::clicked, this, &TfrmParamSearch::EditItem);
    connect(FDeleteButton, &QPushButton::clicked, this, &TfrmParamSearch::DeleteItem);
    connect(FFindButton, &QPushButton::clicked, this, [this] { done(mrOk); });

    for (QWidget* widget : findChildren<QWidget*>())
        if (widget->focusPolicy() != Qt::NoFocus)
            widget->installEventFilter(this);
    FClassEdit->LineEdit()->installEventFilter(this);
}

bool TfrmParamSearch::ReadOnlyDB() const {
    return !dmMain || !dmMain->DBConnected() || dmMain->CurrentDBReadOnly();
}

// --------------------------------------------------------------------------- state

void TfrmParamSearch::CheckParamSearchData() {
    FAddButton->setEnabled(FPSClassId != 0);
    FSaveButton->setEnabled(!FConditions.empty() && !ReadOnlyDB());
    FFindButton->setEnabled(!FConditions.empty());
    UpdateRowButtons();
}

void TfrmParamSearch::UpdateRowButtons() {
    const bool selected = SelectedRow() >= 0;
    FEditButton->setEnabled(selected);
    FDeleteButton->setEnabled(selected);
}

void TfrmParamSearch::EnableProfileButtons(bool AEnable) {
    FDeleteFromDBButton->setEnabled(AEnable);
    FRenameButton->setEnabled(AEnable);
}

void TfrmParamSearch::SelectProfileSilently(int APSPIndex) {
    const bool loading = FPSPLoading;
    FPSPLoading = true;
    FProfileCombo->setCurrentIndex(APSPIndex);
    FPSPLoading = loading;
}

void TfrmParamSearch::ClearSelectedPSProfile() {
    SelectProfileSilently(-1);
    EnableProfileButtons(false);
}

void TfrmParamSearch::SetClass(quint32 ADBId, quint32 AId, const QString& AName) {
    FPSClassDBId = ADBId;
    FPSClassId = AId;
    FClassEdit->setText(AName);
}

// --------------------------------------------------------------------------- rows

int TfrmParamSearch::SelectedRow() const {
    const QList<QTreeWidgetItem*> items = FListView->selectedItems();
    return items.isEmpty() ? -1 : FListView->indexOfTopLevelItem(items.first());
}

int TfrmParamSearch::FindItemByBaseParam(quint32 ADBId, quint32 AId) const {
    for (size_t i = 0; i < FConditions.size(); ++i)
        if (FConditions[i].BaseParamDBId == ADBId && FConditions[i].BaseParamId == AId)
            return static_cast<int>(i);
    return -1;
}

void TfrmParamSearch::AppendRow(const TKVParamSearchData& AData, const QString& ACaption) {
    FConditions.push_back(AData);
    FListView->addTopLevelItem(new QTreeWidgetItem);
    SetRow(static_cast<int>(FConditions.size()) - 1, AData, ACaption);
}

void TfrmParamSearch::SetRow(int ARow, const TKVParamSearchData& AData, const QString& ACaption) {
    FConditions[static_cast<size_t>(ARow)] = AData;
    QTreeWidgetItem* item = FListView->topLevelItem(ARow);
    item->setText(0, ACaption);
    item->setText(1, KVElementTypeParams::CriterionText(AData));
}

void TfrmParamSearch::RemoveRow(int ARow) {
    FConditions.erase(FConditions.begin() + ARow);
    delete FListView->takeTopLevelItem(ARow);
}

void TfrmParamSearch::ClearRows() {
    FConditions.clear();
    FListView->clear();
}

// --------------------------------------------------------------------------- class

void TfrmParamSearch::SelectClassClick() {
    TKVSelectedItemDBData selected;
    SelectClass(FPSClassDBId, FPSClassId, 0, 0, selected);
    if (!selected.Select)
        return;
    const bool other = selected.DBId != FPSClassDBId || selected.Id != FPSClassId;
    if (other && !FConditions.empty()) {
        if (ShowMessageDlg(tr("Будут удалены все уже добавленные условия поиска. Продожить?"),
                           mdkConfirmation, mdbYes | mdbNo) == mrYes) {
            SetClass(selected.DBId, selected.Id, selected.Name);
            ClearSelectedPSProfile();
            ClearRows();
        }
    } else {
        SetClass(selected.DBId, selected.Id, selected.Name);
        ClearSelectedPSProfile();
    }
    CheckParamSearchData();
}

void TfrmParamSearch::ClearClass() {
    if (!FConditions.empty()) {
        if (ShowMessageDlg(tr("Будут удалены все уже добавленные условия поиска. Продожить?"),
                           mdkConfirmation, mdbYes | mdbNo) != mrYes)
            return;
        ClearRows();
    }
    SetClass(0, 0, QString());
    ClearSelectedPSProfile();
    CheckParamSearchData();
}

// --------------------------------------------------------------------------- conditions

void TfrmParamSearch::AddItem() {
    if (FPSClassId == 0)
        return;
    TKVParamSearchItemValue value;
    value.PSClassDBId = FPSClassDBId;
    value.PSClassId = FPSClassId;
    if (ShowParamSearchItemDlg(value) == mrOk) {
        const TKVParamSearchItemValue& result = ParamSearchItemValue;
        const int row = FindItemByBaseParam(result.BaseParamDBId, result.BaseParamId);
        if (row < 0) {
            AppendRow(result, result.BaseParamName);
            ClearSelectedPSProfile();
        } else if (ShowMessageDlg(
                       tr("Условия поиска по этому параметру уже заданы, заменить их на новые?"),
                       mdkConfirmation, mdbYes | mdbNo) == mrYes) {
            SetRow(row, result, result.BaseParamName);
            ClearSelectedPSProfile();
        }
    }
    CheckParamSearchData();
}

void TfrmParamSearch::EditItem() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    TKVParamSearchItemValue value;
    static_cast<TKVParamSearchData&>(value) = FConditions[static_cast<size_t>(row)];
    value.PSClassDBId = FPSClassDBId;
    value.PSClassId = FPSClassId;
    value.BaseParamName = FListView->topLevelItem(row)->text(0);
    if (ShowParamSearchItemDlg(value) == mrOk) {
        const TKVParamSearchItemValue& result = ParamSearchItemValue;
        const int found = FindItemByBaseParam(result.BaseParamDBId, result.BaseParamId);
        if (found < 0 || found == row) {
            SetRow(row, result, result.BaseParamName);
        } else if (ShowMessageDlg(
                       tr("Условия поиска по этому параметру уже заданы, заменить их на новые?"),
                       mdkConfirmation, mdbYes | mdbNo) == mrYes) {
            SetRow(found, result, result.BaseParamName);
            RemoveRow(row);
        }
    }
    ClearSelectedPSProfile();
    CheckParamSearchData();
}

void TfrmParamSearch::DeleteItem() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    RemoveRow(row);
    ClearSelectedPSProfile();
    CheckParamSearchData();
}

// --------------------------------------------------------------------------- profiles

void TfrmParamSearch::LoadParamSearchProfileList() {
    FPSPLoading = true;
    FProfileCombo->clear();
    FPSPList.clear();
    TKVSearchProfiles::LoadList(FPSPList);
    for (const TKVSearchProfileEntry& entry : FPSPList)
        FProfileCombo->addItem(entry.Name);
    FProfileCombo->setCurrentIndex(-1);
    FPSPLoading = false;
}

bool TfrmParamSearch::LoadParamSearchProfileFromDB(int APSPIndex) {
    if (APSPIndex < 0 || APSPIndex >= static_cast<int>(FPSPList.size()))
        return false;
    FPSPLoading = true;
    ClearRows();
    TKVSearchProfile profile;
    const bool ok = TKVSearchProfiles::Load(FPSPList[static_cast<size_t>(APSPIndex)].Id, profile);
    if (ok) {
        if (profile.UnionIndex >= 0)
            FUnionCombo->setCurrentIndex(profile.UnionIndex);
        FProfileCombo->setCurrentIndex(APSPIndex);
        EnableProfileButtons(!ReadOnlyDB());
        SetClass(profile.ClassDBId, profile.ClassId, profile.ClassName);
        for (const TKVSearchProfileCondition& condition : profile.Conditions)
            AppendRow(condition.Data, condition.Caption);
    }
    FPSPLoading = false;
    return ok;
}

QString TfrmParamSearch::AskProfileName(const QString& APreset, quint32 AExceptId) {
    if (ShowInputTextDlg(ProfileNameCaption(), APreset, TKVSearchProfiles::NameMaxLength,
                         false) != mrOk)
        return QString();
    const QString name = InputTextValue;
    if (name.trimmed().isEmpty()) {
        ShowMessageDlg(tr("Название профайла поиска не задано."), mdkWarning, mdbOK);
        return QString();
    }
    if (TKVSearchProfiles::NameInUse(name, AExceptId)) {
        ShowMessageDlg(tr("Профайл поиска с названием «%1» уже есть. Задайте другое название.")
                           .arg(name.trimmed()),
                       mdkWarning, mdbOK);
        return QString();
    }
    return name;
}

void TfrmParamSearch::SaveToDBClick() {
    if (ReadOnlyDB())
        return;
    bool asNew = FPSPList.empty();
    if (!asNew) {
        const int answer = ShowMessageDlg(tr("Сохранить условия поиска в новом профайле?"),
                                          mdkConfirmation, mdbYes | mdbNo);
        if (answer == mrYes) {
            asNew = true;
        } else if (answer == mrNo) {
            QStringList names;
            for (int i = 0; i < FProfileCombo->count(); ++i)
                names << FProfileCombo->itemText(i);
            if (SelectListItemFromStrings(tr("Список профайлов поиска"), &names, -1, true) ==
                mrOk)
                UpdateParamSearchProfileInDB(SelectedListItemIndex);
            CheckParamSearchData();
            return;
        } else {
            return;
        }
    }
    const QString name = AskProfileName(FClassEdit->text(), 0);
    if (!name.isEmpty())
        SaveParamSearchProfileToDB(name);
    CheckParamSearchData();
}

bool TfrmParamSearch::SaveParamSearchProfileToDB(const QString& APSPName) {
    if (APSPName.isEmpty() || FPSClassId == 0 || ReadOnlyDB())
        return false;
    quint32 id = 0;
    if (!TKVSearchProfiles::SaveNew(APSPName, FPSClassDBId, FPSClassId,
                                    FUnionCombo->currentIndex(), FConditions, id))
        return false;
    FPSPList.push_back({id, APSPName.left(TKVSearchProfiles::NameMaxLength)});
    FPSPLoading = true;
    FProfileCombo->addItem(FPSPList.back().Name);
    FProfileCombo->setCurrentIndex(FProfileCombo->count() - 1);
    FPSPLoading = false;
    EnableProfileButtons(!ReadOnlyDB());
    FAddButton->setEnabled(true);
    return true;
}

bool TfrmParamSearch::UpdateParamSearchProfileInDB(int APSPIndex) {
    if (APSPIndex < 0 || APSPIndex >= static_cast<int>(FPSPList.size()) || ReadOnlyDB())
        return false;
    if (!TKVSearchProfiles::Overwrite(FPSPList[static_cast<size_t>(APSPIndex)].Id, FPSClassDBId,
                                      FPSClassId, FUnionCombo->currentIndex(), FConditions))
        return false;
    SelectProfileSilently(APSPIndex);
    return true;
}

void TfrmParamSearch::RenameClick() {
    const int index = FProfileCombo->currentIndex();
    if (index < 0 || index >= static_cast<int>(FPSPList.size()))
        return;
    const QString name = AskProfileName(FPSPList[static_cast<size_t>(index)].Name,
                                        FPSPList[static_cast<size_t>(index)].Id);
    if (!name.isEmpty())
        RenameParamSearchProfileInDB(name, index);
}

bool TfrmParamSearch::RenameParamSearchProfileInDB(const QString& APSPName, int APSPIndex) {
    if (APSPIndex < 0 || APSPIndex >= static_cast<int>(FPSPList.size()) || ReadOnlyDB())
        return false;
    TKVSearchProfileEntry& entry = FPSPList[static_cast<size_t>(APSPIndex)];
    if (!TKVSearchProfiles::Rename(entry.Id, APSPName))
        return false;
    entry.Name = APSPName.left(TKVSearchProfiles::NameMaxLength);
    FPSPLoading = true;
    FProfileCombo->setItemText(APSPIndex, entry.Name);
    FPSPLoading = false;
    SelectProfileSilently(APSPIndex);
    return true;
}

void TfrmParamSearch::DeleteFromDBClick() {
    const int index = FProfileCombo->currentIndex();
    if (index < 0)
        return;
    DeleteParamSearchProfileFromDB(index);
    SetClass(0, 0, QString());
    ClearRows();
    ClearSelectedPSProfile();
    CheckParamSearchData();
}

bool TfrmParamSearch::DeleteParamSearchProfileFromDB(int APSPIndex) {
    if (APSPIndex < 0 || APSPIndex >= static_cast<int>(FPSPList.size()) || ReadOnlyDB())
        return false;
    if (!TKVSearchProfiles::Delete(FPSPList[static_cast<size_t>(APSPIndex)].Id))
        return false;
    FPSPList.erase(FPSPList.begin() + APSPIndex);
    FPSPLoading = true;
    FProfileCombo->removeItem(APSPIndex);
    FPSPLoading = false;
    return true;
}

// --------------------------------------------------------------------------- search

bool TfrmParamSearch::BuildParamSearchList() {
    if (FConditions.empty() || ParamSearchResultList)
        return false;
    ParamSearchResultList = std::make_unique<TKVParamSearchList>();
    ParamSearchResultList->SetPSClassData(FPSClassDBId, FPSClassId);
    ParamSearchResultList->SetAvailOnly(FAvailOnlyCheck->isChecked());
    ParamSearchResultList->SetParamSearchUnion(FUnionCombo->currentIndex() == 0 ? psuMatchAll
                                                                                : psuAny);
    for (const TKVParamSearchData& data : FConditions)
        ParamSearchResultList->AddData(data);
    return true;
}

void TfrmParamSearch::done(int AResult) {
    if (AResult == mrOk && !BuildParamSearchList())
        return;
    TKVDialog::done(AResult);
}

bool TfrmParamSearch::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            done(mrOk);
            return true;
        case Qt::Key_Escape:
            done(mrCancel);
            return true;
        case Qt::Key_Delete:
            if (AObject == FClassEdit->LineEdit()) {
                ClearClass();
                return true;
            }
            if (AObject == FListView) {
                DeleteItem();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return TKVDialog::eventFilter(AObject, AEvent);
}

void RunParamSearch() {
    if (!ParamSearchResultList)
        return;
    const std::unique_ptr<TKVParamSearchList> list = std::move(ParamSearchResultList);
    OpenRBElementTypeOnParamSearch(*list);
}

int ShowParamSearchDlg() {
    TfrmParamSearch dialog;
    const int result = dialog.exec();
    if (result == mrOk)
        RunParamSearch();
    return result;
}
