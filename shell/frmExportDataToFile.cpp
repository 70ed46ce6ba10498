#include "shell/frmExportDataToFile.h"

#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/sys/Win1251.h"
#include "resources/KVResources.h"
#include "shell/KVFileDialog.h"
#include "shell/KVShellUserInterface.h"
#include "shell/KVWidgets.h"
#include "shell/uHelpContext.h"
#include "shell/uMessage.h"

#include <QAbstractItemModel>
#include <QAbstractTableModel>
#include <QApplication>
#include <QBrush>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QMenu>
#include <QSaveFile>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

const QString TfrmExportDataToFile::SiteUrl = QStringLiteral("https://korvant.example/");

namespace {

// Styles of the preview: the header row and the rows' first column.
TXlsCellStyle HeaderCellStyle() {
    TXlsCellStyle style;
    style.FFontStyle = xfsBold;
    style.FHorzAlign = xhaLeft;
    style.FVertAlign = xvaCenter;
    style.FBackground = 14;
    style.FBorderColor = 0;
    return style;
}

TXlsCellStyle CaptionCellStyle() {
    TXlsCellStyle style;
    style.FHorzAlign = xhaLeft;
    style.FVertAlign = xvaCenter;
    style.FBackground = 1;
    return style;
}

// A text as page content: the markup characters & < > " as entities, and every character that
// the page's code page (Windows-1251) lacks as a numeric character reference, so that any name
// reaches the page intact and none can change its markup.
QString HtmlText(const QString& AText) {
    bool markup = false;
    bool ascii = true;
    for (const QChar c : AText) {
        if (c == u'&' || c == u'<' || c == u'>' || c == u'"')
            markup = true;
        else if (c.unicode() >= 0x80)
            ascii = false;
    }
    QByteArray encoded;
    const bool representable = ascii || TryToWin1251(AText, encoded);
    if (!markup && representable)
        return AText;

    QString result;
    result.reserve(AText.size() + 16);
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const QChar c = AText.at(i);
        switch (c.unicode()) {
        case u'&':
            result += QStringLiteral("&amp;");
            continue;
        case u'<':
            result += QStringLiteral("&lt;");
            continue;
        case u'>':
            result += QStringLiteral("&gt;");
            continue;
        case u'"':
            result += QStringLiteral("&quot;");
            continue;
        default:
            break;
        }
        if (representable || c.unicode() < 0x80) {
            result += c;
            continue;
        }
        char32_t codePoint = c.unicode();
        qsizetype length = 1;
        if (c.isHighSurrogate() && i + 1 < AText.size() && AText.at(i + 1).isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(c, AText.at(i + 1));
            length = 2;
        } else if (c.isSurrogate()) {
            codePoint = 0xFFFD; // half of a pair: not a character
        }
        QByteArray single;
        if (length == 1 && codePoint == c.unicode() && TryToWin1251(QString(c), single))
            result += c;
        else
            result += QStringLiteral("&#%1;").arg(static_cast<quint32>(codePoint));
        i += length - 1;
    }
    return result;
}

// The seven font declarations of the page's style rules, bold or normal.
QStringList FontDeclarations(bool ABold) {
    return {QStringLiteral("font-family: Verdana, Arial, Helvetica, sans-serif;"),
            QStringLiteral("font-size: 8pt;"),
            QStringLiteral("font-style: normal;"),
            QStringLiteral("line-height: normal;"),
            ABold ? QStringLiteral("font-weight: bold;") : QStringLiteral("font-weight: normal;"),
            QStringLiteral("font-variant: normal;"),
            QStringLiteral("text-transform: none;")};
}

// The head of the page up to and with the empty line after the table's start.
QStringList HtmlHead(const QString& ATitle) {
    QStringList lines = {
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\""),
        QStringLiteral("\"http://www.w3.org/TR/html4/loose.dtd\">"),
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral(
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"),
        QStringLiteral("<title>") + HtmlText(ATitle) + QStringLiteral("</title>"),
        QStringLiteral("<style type=\"text/css\">")};

    const auto rule = [&](const QString& ASelector, const QStringList& ADeclarations) {
        lines << ASelector;
        lines << ADeclarations;
        lines.last() += u'}';
    };
    const QStringList normal = FontDeclarations(false);
    const QStringList plainColour = {QStringLiteral("color: #000000;"),
                                     QStringLiteral("text-decoration: none;")};
    rule(QStringLiteral("body {"), normal + plainColour +
                                       QStringList{QStringLiteral("margin: 0px;"),
                                                   QStringLiteral("background-color: #FFFFFF;")});
    rule(QStringLiteral("table {"), normal + plainColour);
    rule(QStringLiteral("td {"), normal + plainColour);
    rule(QStringLiteral("th {"), normal + plainColour);
    rule(QStringLiteral(".table_head {"),
         FontDeclarations(true) + plainColour +
             QStringList{QStringLiteral("background-color: #CCCCCC;"),
                         QStringLiteral("border-top-width: 1px;"),
                         QStringLiteral("border-right-width: 1px;"),
                         QStringLiteral("border-bottom-width: 1px;"),
                         QStringLiteral("border-left-width: 1px;"),
                         QStringLiteral("border-top-style: solid;"),
                         QStringLiteral("border-right-style: solid;"),
                         QStringLiteral("border-bottom-style: solid;"),
                         QStringLiteral("border-left-style: solid;"),
                         QStringLiteral("border-top-color: #FFFFFF;"),
                         QStringLiteral("border-right-color: #666666;"),
                         QStringLiteral("border-bottom-color: #666666;"),
                         QStringLiteral("border-left-color: #FFFFFF;")});
    rule(QStringLiteral(".table_item {"),
         normal + plainColour +
             QStringList{QStringLiteral("border-right-width: 1px;"),
                         QStringLiteral("border-bottom-width: 1px;"),
                         QStringLiteral("border-top-style: none;"),
                         QStringLiteral("border-right-style: solid;"),
                         QStringLiteral("border-bottom-style: solid;"),
                         QStringLiteral("border-left-style: none;"),
                         QStringLiteral("border-right-color: #CCCCCC;"),
                         QStringLiteral("border-bottom-color: #CCCCCC;")});
    const auto link = [&](const QString& ASelector, const QString& AColour, bool AUnderline) {
        rule(ASelector,
             normal + QStringList{QStringLiteral("color: %1;").arg(AColour),
                                  AUnderline ? QStringLiteral("text-decoration: underline;")
                                             : QStringLiteral("text-decoration: none;")});
    };
    link(QStringLiteral("a:link {"), QStringLiteral("#0033CC"), false);
    link(QStringLiteral("a:visited {"), QStringLiteral("#993366"), false);
    link(QStringLiteral("a:hover {"), QStringLiteral("#0033CC"), true);
    link(QStringLiteral("a:active {"), QStringLiteral("#0033CC"), true);

    lines << QStringLiteral("</style>") << QStringLiteral("</head>") << QStringLiteral("<body>")
          << QStringLiteral("<table border=\"0\" cellpadding=\"2\" cellspacing=\"0\">")
          << QString();
    return lines;
}

// Writes lines to a file that appears under its name only when complete.
class THtmlWriter {
public:
    explicit THtmlWriter(const QString& AFileName) : FFile(AFileName) {
        if (!FFile.open(QIODevice::WriteOnly))
            Fail();
    }
    void Write(const QStringList& ALines) {
        const QByteArray bytes =
            ToWin1251(ALines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        if (FFile.write(bytes) != bytes.size())
            Fail();
    }
    void Commit() {
        if (!FFile.commit())
            Fail();
    }

private:
    [[noreturn]] void Fail() {
        const QString reason = FFile.errorString();
        FFile.cancelWriting();
        throw EInOutError(QObject::tr("Не удалось записать файл «%1»: %2")
                              .arg(QDir::toNativeSeparators(FFile.fileName()), reason));
    }

    QSaveFile FFile;
};

} // namespace

// ---------------------------------------------------------------------------------------------

TKVExportData ExportDataFromModel(const QAbstractItemModel& AModel, const QHeaderView* AHeader,
                                  const QString& ADataSetName) {
    TKVExportData data;
    data.DataSetName = ADataSetName;

    const int columnCount = AModel.columnCount();
    const bool useHeader = AHeader != nullptr && AHeader->count() == columnCount;
    std::vector<int> columns; // model columns in the order shown
    columns.reserve(static_cast<size_t>(columnCount));
    for (int visual = 0; visual < columnCount; ++visual) {
        const int logical = useHeader ? AHeader->logicalIndex(visual) : visual;
        columns.push_back(logical);
        TKVExportColumn column;
        column.Caption = AModel.headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
        if (useHeader)
            column.Width = AHeader->isSectionHidden(logical) ? 0 : AHeader->sectionSize(logical);
        data.Columns.push_back(std::move(column));
    }

    const std::function<void(const QModelIndex&)> addRows = [&](const QModelIndex& AParent) {
        const int rowCount = AModel.rowCount(AParent);
        for (int row = 0; row < rowCount; ++row) {
            QStringList texts;
            texts.reserve(columnCount);
            for (const int column : columns)
                texts << AModel.index(row, column, AParent).data(Qt::DisplayRole).toString();
            data.Items.push_back(std::move(texts));
            const QModelIndex first = AModel.index(row, 0, AParent);
            if (AModel.hasChildren(first))
                addRows(first);
        }
    };
    addRows(QModelIndex());
    return data;
}

// ---------------------------------------------------------------------------------------------

TfrmExportDataToFile::TfrmExportDataToFile(QWidget* AParent) : QDialog(AParent) {
    setObjectName(QStringLiteral("frmExportDataToFile"));
    setWindowTitle(tr("Экспорт данных в файл"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(800, 400);
    setMinimumSize(400, 200);

    FGrid = new TKVWorkbookGrid(this);
    FGrid->SheetTabs()->hide();
    Workbook().AddSheet(QStringLiteral("Лист1"));
    FGrid->WorkbookChanged();

    FToolBar = new QToolBar(this);
    FToolBar->setObjectName(QStringLiteral("ParamSearch_ToolBar"));
    FToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    FToolBar->setMovable(false);

    const auto toolIcon = [](int AIndex) {
        return dmMain != nullptr ? dmMain->MainToolImgList.Icon(AIndex) : QIcon();
    };

    FSelColButton = new QToolButton(FToolBar);
    FSelColButton->setObjectName(QStringLiteral("SelCol_ToolButton"));
    FSelColButton->setText(tr("Выбор полей"));
    FSelColButton->setToolTip(tr("Выбор полей для экспорта"));
    FSelColButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    FSelColButton->setPopupMode(QToolButton::MenuButtonPopup);
    FSelColButton->setMinimumSize(72, 36);
    FSelColButton->setEnabled(false);
    FToolBar->addWidget(FSelColButton);

    FToolBar->addSeparator()->setObjectName(QStringLiteral("Div0_Tools"));

    FSaveButton = new QToolButton(FToolBar);
    FSaveButton->setObjectName(QStringLiteral("Save_ToolButton"));
    FSaveButton->setText(tr("Сохранить"));
    FSaveButton->setToolTip(tr("Сохранить данные в файл"));
    FSaveButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    FSaveButton->setIcon(toolIcon(37));
    FSaveButton->setMinimumSize(72, 36);
    FToolBar->addWidget(FSaveButton);
    ShowAllToolBarCommands(FToolBar);
    connect(FSaveButton, &QToolButton::clicked, this, &TfrmExportDataToFile::Save_ToolButtonClick);

    FGrid->View()->setObjectName(QStringLiteral("ExportDataToFile_SpreadSheet"));
    FGrid->View()->setFont(QFont(QStringLiteral("Tahoma")));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FToolBar);
    layout->addWidget(FGrid, 1);

    FPopupMenu = new QMenu(this);
    FPopupMenu->setObjectName(QStringLiteral("ExportDataToFile_PopupMenu"));
    FHelpAction = FPopupMenu->addAction(toolIcon(46), tr("&Помощь"));
    FHelpAction->setObjectName(QStringLiteral("pmiHelpContext"));
    FHelpAction->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(FHelpAction); // F1 anywhere in the window
    connect(FHelpAction, &QAction::triggered, this, &TfrmExportDataToFile::pmiHelpContextClick);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& APos) { FPopupMenu->popup(mapToGlobal(APos)); });
}

TfrmExportDataToFile::~TfrmExportDataToFile() = default;

void TfrmExportDataToFile::LoadDataFromTable(const std::vector<TKVExportColumn>& AColumns,
                                             const std::vector<QStringList>& AItems) {
    const TWaitCursor wait;
    FGrid->CommitEdit();
    Workbook().Clear();
    TXlsSheet& sheet = Workbook().AddSheet(QStringLiteral("Лист1"));

    FColumnsCount = static_cast<int>(AColumns.size());
    const TXlsCellStyle headerStyle = HeaderCellStyle();
    for (int i = 0; i < FColumnsCount; ++i) {
        const TKVExportColumn& column = AColumns[static_cast<size_t>(i)];
        sheet.SetColumnWidth(i, std::max(0, column.Width));
        sheet.SetCellStyle(i, 0, headerStyle);
        sheet.SetCellText(i, 0, column.Caption);
    }

    FItemsCount = static_cast<int>(AItems.size());
    const TXlsCellStyle captionStyle = CaptionCellStyle();
    for (int r = 0; r < FItemsCount; ++r) {
        const QStringList& texts = AItems[static_cast<size_t>(r)];
        sheet.SetCellStyle(0, r + 1, captionStyle);
        for (int j = 0; j < texts.size(); ++j)
            sheet.SetCellText(j, r + 1, texts.at(j));
    }

    FGrid->WorkbookChanged();
}

void TfrmExportDataToFile::ExportTableDataToHTML(const QString& AFileName) {
    if (FDataTreeType)
        return;
    FGrid->CommitEdit();
    const TWaitCursor wait;
    const TXlsSheet& sheet = Sheet();

    THtmlWriter writer(AFileName);
    writer.Write(HtmlHead(FDataSetName));

    QStringList lines{QStringLiteral("<tr>")};
    for (int c = 0; c < FColumnsCount; ++c) {
        lines
            << QStringLiteral("<td width=\"%1\" class=\"table_head\">").arg(sheet.ColumnWidth(c)) +
                   HtmlText(sheet.CellText(c, 0)) + QStringLiteral("</td>");
    }
    lines << QStringLiteral("</tr>");
    writer.Write(lines);

    for (int r = 0; r < FItemsCount; ++r) {
        lines = QStringList{QStringLiteral("<tr>")};
        for (int c = 0; c < FColumnsCount; ++c) {
            const QString text = sheet.CellText(c, r + 1);
            lines << QStringLiteral("<td class=\"table_item\">") +
                         (text.isEmpty() ? QStringLiteral("&nbsp;") : HtmlText(text)) +
                         QStringLiteral("</td>");
        }
        lines << QStringLiteral("</tr>");
        writer.Write(lines);
    }

    writer.Write({QStringLiteral("</table>"),
                  QStringLiteral("<p>Справочные данные экспортированы из программы ") +
                      QStringLiteral("<a href=\"") + SiteUrl +
                      QStringLiteral("\" target=\"_blank\">Корвант</a>") +
                      QStringLiteral(".<br />"),
                  QStringLiteral("Больше справочной информации Вы можете найти на сайте.</p>"),
                  QStringLiteral("</body>"), QStringLiteral("</html>")});
    writer.Commit();
}

QString ExportTargetFileName(const QString& AFileName, TKVExportFileType AChosenType,
                             TKVExportFileType& AFileType) {
    const QString suffix = QFileInfo(AFileName).suffix().toLower();
    if (suffix == QLatin1String("xls")) {
        AFileType = eftWorkbook;
        return AFileName;
    }
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        AFileType = eftWebPage;
        return AFileName;
    }
    AFileType = AChosenType;
    return AFileName +
           (AChosenType == eftWebPage ? QStringLiteral(".html") : QStringLiteral(".xls"));
}

QString ExportFileBaseName(const QString& AText) {
    QString name = AText.simplified();
    for (QChar& c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = u'_';
    // A name of dots alone would name a folder.
    if (name.count(u'.') == name.size())
        return QString();
    return name;
}

namespace {
// The folder of the last file an export saved in this run.
QString gSaveFolder;
} // namespace

QString TfrmExportDataToFile::SaveFolder() {
    return !gSaveFolder.isEmpty() && QFileInfo(gSaveFolder).isDir() ? gSaveFolder
                                                                    : QDir::homePath();
}

void TfrmExportDataToFile::SetSaveFolder(const QString& AFolder) {
    gSaveFolder = AFolder;
}

void TfrmExportDataToFile::Save_ToolButtonClick() {
    FGrid->CommitEdit();
    // The dialog proposes the list's name with the extension of the type it starts with.
    QString fileName = FFileName.isEmpty() ? QString() : FFileName + QStringLiteral(".xls");
    int chosen = eftWorkbook;
    if (!KVSaveFileDialog(this, tr("Экспортировать данные в файл"),
                          tr("Книга MS Excel 97-2003 (*.xls);;Веб-страница (*.html)"), SaveFolder(),
                          fileName, &chosen))
        return;
    TKVExportFileType fileType = eftWorkbook;
    fileName =
        ExportTargetFileName(fileName, chosen == eftWebPage ? eftWebPage : eftWorkbook, fileType);

    if (QFileInfo::exists(fileName) &&
        ShowMessageDlg(tr("Файл %1 уже существует. Заменить его?").arg(fileName), mdkWarning,
                       mdbYes | mdbNo) != mrYes)
        return;

    try {
        if (fileType == eftWebPage) {
            ExportTableDataToHTML(fileName);
        } else {
            const TWaitCursor wait;
            Workbook().SaveToFile(fileName);
        }
        SetSaveFolder(QFileInfo(fileName).absolutePath());
    } catch (const Exception& e) {
        ShowExceptionBox(e);
    }
}

void TfrmExportDataToFile::pmiHelpContextClick() {
    ShowHelpTopic(QStringLiteral("ExportDataToFile"));
}

int ShowExportDataToFileDlg(const TKVExportData& AData) {
    TfrmExportDataToFile dialog(TKVShellUserInterface::ApplicationMainWindow());
    dialog.setWindowIcon(ResourceIcon(2010));
    dialog.resize(800, 400);
    dialog.SetDataTreeType(false);
    dialog.SetDataSetName(AData.DataSetName);
    dialog.SetFileName(AData.FileName.isEmpty() ? AData.DataSetName : AData.FileName);
    dialog.LoadDataFromTable(AData.Columns, AData.Items);
    return dialog.exec();
}
