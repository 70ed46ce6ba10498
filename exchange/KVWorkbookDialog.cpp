#include "exchange/KVWorkbookDialog.h"

#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "exchange/KVWorkbookTemplate.h"
#include "shell/KVFileDialog.h"
#include "shell/KVWorkbookGrid.h"
#include "shell/uMessage.h"

#include <QFileInfo>
#include <QPushButton>

namespace {
// Pictures of the main tool images.
constexpr int kOpenImage = 36;
constexpr int kSaveImage = 37;

const QString kWorkbookFilter = QStringLiteral("Книга MS Excel 97-2003 (*.xls)");

QString ProgramFolder() {
    return dmMain ? dmMain->AppFolder() : QString();
}
} // namespace

TKVWorkbookDialog::TKVWorkbookDialog(const TNames& ANames, QWidget* AParent)
    : TKVExchangeDialog(QLatin1String(ANames.HelpTopic), QLatin1String(ANames.PopupMenu),
                        QLatin1String(ANames.Log), QLatin1String(ANames.Label),
                        QLatin1String(ANames.Progress), AParent) {
    setObjectName(QLatin1String(ANames.Dialog));
    FSpreadSheetBook = new TKVWorkbookGrid(this);
    FSpreadSheetBook->setObjectName(QLatin1String(ANames.Grid));

    FOpen_Button = AddButton("Open_Button", tr("&Открыть"), tr("Открыть прайс"), kOpenImage);
    FSave_Button = AddButton("Save_Button", tr("&Сохранить"), tr("Сохранить прайс"), kSaveImage);
    FMode_Button = AddButton("Mode_Button", tr("&Режим отобр."), tr("Выбор данных для импорта"));
    MakeModePages(FSpreadSheetBook, ANames.Notebook, FMode_Button, ANames.ModeMenu,
                  tr("&Выбор данных для импорта"), tr("&Журнал импорта"));

    connect(FOpen_Button, &QPushButton::clicked, this, &TKVWorkbookDialog::Open_ButtonClick);
    connect(FSave_Button, &QPushButton::clicked, this, &TKVWorkbookDialog::Save_ButtonClick);
}

bool TKVWorkbookDialog::OpenWorkbook(const QString& AFileName) {
    ShowModePage(true);
    try {
        FSpreadSheetBook->LoadFromFile(AFileName);
        return true;
    } catch (const Exception& e) {
        ShowExceptionBox(e);
        return false;
    }
}

bool TKVWorkbookDialog::SaveWorkbook(const QString& AFileName) {
    try {
        FSpreadSheetBook->SaveToFile(AFileName);
        return true;
    } catch (const Exception& e) {
        ShowExceptionBox(e);
        return false;
    }
}

void TKVWorkbookDialog::Open_ButtonClick() {
    QString fileName;
    if (KVOpenFileDialog(this, tr("Открыть"), kWorkbookFilter, ProgramFolder(), fileName))
        OpenWorkbook(fileName);
}

void TKVWorkbookDialog::Save_ButtonClick() {
    ShowModePage(true);
    QString fileName;
    if (!KVSaveFileDialog(this, tr("Сохранить"), kWorkbookFilter, ProgramFolder(), fileName))
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".xls");
    if (QFileInfo::exists(fileName) &&
        ShowMessageDlg(
            tr("Файл %1 уже существует. Заменить его?").arg(QFileInfo(fileName).fileName()),
            mdkConfirmation, mdbYes | mdbNo, 0) != mrYes)
        return;
    SaveWorkbook(fileName);
}

void TKVWorkbookDialog::CreateTemplate(const std::function<void(TXlsWorkbook&)>& AMake) {
    ShowModePage(true);
    FSpreadSheetBook->CommitEdit();
    TXlsWorkbook& book = FSpreadSheetBook->Workbook();
    if (WorkbookHoldsTable(book) &&
        ShowMessageDlg(tr("Создать пустой шаблон?"), mdkConfirmation, mdbYes | mdbNo, 0) != mrYes)
        return;
    AMake(book);
    FSpreadSheetBook->WorkbookChanged();
}
