#include "exchange/frmImportPrice.h"

#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "exchange/KVPriceImport.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmSupplier.h"
#include "resources/KVResources.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVWidgets.h"
#include "shell/KVWorkbookGrid.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
// The picture of the import button among the main tool images.
constexpr int kImportImage = 4;
} // namespace

TfrmImportPrice::TfrmImportPrice(QWidget* AParent)
    : TKVWorkbookDialog({"frmImportPrice", "ImportPrice", "ImportPrice_PopupMenu",
                         "ImportPriceLog_Memo", "ImportPrice_Label", "ImportPrice_ProgressBar",
                         "ImportPrice_SpreadSheetBook", "ImportPrice_Notebook",
                         "ImportPriceMode_PopupMenu"},
                        AParent) {
    setWindowTitle(tr("Импорт прайсов поставщика"));

    FClass_ButtonEdit = new TKVButtonEdit(this);
    FClass_ButtonEdit->setObjectName(QStringLiteral("ImportPriceClass_ButtonEdit"));
    FSupplier_ButtonEdit = new TKVButtonEdit(this);
    FSupplier_ButtonEdit->setObjectName(QStringLiteral("ImportPriceSupplier_ButtonEdit"));
    for (TKVButtonEdit* edit : {FClass_ButtonEdit, FSupplier_ButtonEdit}) {
        edit->LineEdit()->setReadOnly(true);
        edit->LineEdit()->installEventFilter(this);
    }
    connect(FClass_ButtonEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmImportPrice::SelectClass_Click);
    connect(FSupplier_ButtonEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmImportPrice::SelectSupplier_Click);

    FSaveLog_Button = AddButton("SaveLog_Button", tr("&Сохран. журнал"), tr("Сохранить журнал"));
    FCreatePattern_Button = AddButton("CreatePattern_Button", tr("Со&здать шаблон"),
                                      tr("Создать шаблон для импорта"));
    FAddFunct_Button =
        AddButton("AddFunct_Button", tr("&Доп. функц."), tr("Дополнительные функции"));
    FImport_Button =
        AddButton("Import_Button", tr("&Импорт"), tr("Импортировать данные"), kImportImage);
    FImport_Button->setDefault(true);

    QStackedWidget* notebook = ModeNotebook();
    notebook->setMinimumSize(594, 240);

    auto* choices = new QFormLayout;
    choices->addRow(tr("Класс типов элементов"), FClass_ButtonEdit);
    choices->addRow(tr("Поставщик"), FSupplier_ButtonEdit);
    auto* main = new QWidget(this);
    auto* mainLayout = new QVBoxLayout(main);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addLayout(choices);
    mainLayout->addWidget(notebook, 1);
    SetMainWidget(main);

    auto* functMenu = new QMenu(this);
    functMenu->setObjectName(QStringLiteral("AddFunct_PopupMenu"));
    FpmiClearNames =
        AddMenuItem(functMenu, "pmiClearElementTypeNames", tr("Очистить названия типов элементов"));
    FAddFunct_Button->setMenu(functMenu);
    connect(FpmiClearNames, &QAction::triggered, this, &TfrmImportPrice::ClearElementTypeNames);

    auto* importMenu = new QMenu(this);
    importMenu->setObjectName(QStringLiteral("ImportMode_PopupMenu"));
    FpmiTestImport = AddMenuItem(importMenu, "pmiTestImport", tr("&Тестовый импорт"));
    FpmiImport = AddMenuItem(importMenu, "pmiImport", tr("&Импорт"));
    FImport_Button->setMenu(importMenu);
    connect(FpmiTestImport, &QAction::triggered, this, [this] { Import(true); });
    connect(FpmiImport, &QAction::triggered, this, [this] { Import(false); });

    connect(FSaveLog_Button, &QPushButton::clicked, this, &TfrmImportPrice::SaveLog_ButtonClick);
    connect(FCreatePattern_Button, &QPushButton::clicked, this, &TfrmImportPrice::CreatePattern);

    FImport_Button->setEnabled(false);
    FSaveLog_Button->setEnabled(false);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(793, 377)));
    resize(minimumSize());
}

void TfrmImportPrice::SetClass(quint32 AClassDBId, quint32 AClassId, const QString& AName) {
    FClassDBId = AClassDBId;
    FClassId = AClassId;
    FClass_ButtonEdit->setText(AClassDBId == 0 && AClassId == 0 ? QString() : AName);
    FImport_Button->setEnabled(FSupplierId != 0);
}

void TfrmImportPrice::SetSupplier(quint32 ASupplierId, const QString& AName) {
    FSupplierId = ASupplierId;
    FSupplier_ButtonEdit->setText(ASupplierId == 0 ? QString() : AName);
    FImport_Button->setEnabled(FSupplierId != 0);
}

void TfrmImportPrice::SelectClass_Click() {
    TKVSelectedItemDBData selected;
    SelectClass(FClassDBId, FClassId, 0, 0, selected);
    if (selected.Select)
        SetClass(selected.DBId, selected.Id, selected.Name);
}

void TfrmImportPrice::SelectSupplier_Click() {
    TKVSelectedLocalItemDBData selected;
    SelectSupplier(FSupplierId, selected);
    if (selected.Select)
        SetSupplier(selected.Id, selected.Name);
}

bool TfrmImportPrice::eventFilter(QObject* AWatched, QEvent* AEvent) {
    if (AEvent->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(AEvent)->key();
        const bool isClass = AWatched == FClass_ButtonEdit->LineEdit();
        const bool isSupplier = AWatched == FSupplier_ButtonEdit->LineEdit();
        if (isClass || isSupplier) {
            if (key == Qt::Key_Delete) {
                if (isClass)
                    SetClass(0, 0, QString());
                else
                    SetSupplier(0, QString());
                return true;
            }
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (isClass)
                    SelectClass_Click();
                else
                    SelectSupplier_Click();
                return true;
            }
        }
    }
    return TKVExchangeDialog::eventFilter(AWatched, AEvent);
}

void TfrmImportPrice::SaveLog_ButtonClick() {
    ShowModePage(false);
    SaveLog(QString());
}

void TfrmImportPrice::CreatePattern() {
    const QString currency = dmMain ? dmMain->CurrencyName() : QString();
    CreateTemplate([&currency](TXlsWorkbook& ABook) { MakePriceTemplate(ABook, currency); });
}

void TfrmImportPrice::ClearElementTypeNames() {
    SpreadSheetBook()->CommitEdit();
    TXlsSheet* sheet = SpreadSheetBook()->ActiveSheet();
    if (sheet == nullptr)
        return;
    TWaitCursor wait;
    ::ClearElementTypeNames(*sheet, this);
    SpreadSheetBook()->WorkbookChanged();
}

bool TfrmImportPrice::ImportPriceData(bool ATestImport) {
    ClearLog();
    FSkippedCount = 0;
    if (!dmMain)
        return true;
    SpreadSheetBook()->CommitEdit();
    TWaitCursor wait;
    TKVPriceImporter importer(*dmMain, *this);
    importer.SetClass(FClassDBId, FClassId);
    importer.SetSupplier(FSupplierId);
    const bool result = importer.ImportPriceData(SpreadSheetBook()->ActiveSheet(), ATestImport);
    FSkippedCount = importer.SkippedCount();
    return result;
}

void TfrmImportPrice::Import(bool ATestImport) {
    ShowModePage(false);
    const bool result = ImportPriceData(ATestImport);
    FSaveLog_Button->setEnabled(true);
    if (result) {
        ShowMessageDlg(tr("Импорт данных завершен успешно"), mdkInformation, mdbOK, 0);
    } else {
        QString text = tr("Импорт данных завершен с ошибками");
        if (FSkippedCount > 0)
            text += tr(" (пропущено записей: %1)").arg(FSkippedCount);
        ShowMessageDlg(text, mdkError, mdbOK, 0);
    }
}

int ShowImportPriceDlg() {
    TfrmImportPrice dlg(TKVDialog::OwnerWindow());
    dlg.setWindowIcon(ResourceIcon(2032));
    TKVDialog::CenterOnScreen(&dlg);
    return dlg.exec();
}
