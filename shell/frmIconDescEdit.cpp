#include "shell/frmIconDescEdit.h"

#include "core/udmMain.h"
#include "shell/frmInputText.h"
#include "shell/frmUserListEdit.h"
#include "shell/uMessage.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// The save picture of the main tool images.
constexpr int kSaveImage = 37;
// The longest description.
constexpr int kMaxDescLength = 255;
} // namespace

// The delegate of the descriptions: it keeps the in-place editor while one is open, so that
// saving takes what is being typed.
class TIconDescDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* AParent, const QStyleOptionViewItem& AOption,
                          const QModelIndex& AIndex) const override {
        FEditor = QStyledItemDelegate::createEditor(AParent, AOption, AIndex);
        return FEditor;
    }
    // Hands the open editor's text to its row and closes the editor.
    void CommitEditor() {
        if (!FEditor)
            return;
        QWidget* editor = FEditor;
        FEditor = nullptr;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

private:
    mutable QPointer<QWidget> FEditor;
};

TfrmIconDescEdit::TfrmIconDescEdit(const QString& AFileName, quint32 AIconsListIndex,
                                   QWidget* AParent)
    : TKVDialog(QStringLiteral("IconDescEdit"), QStringLiteral("IconDescEdit_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmIconDescEdit"));
    setWindowTitle(tr("Описания иконок"));
    FReadOnly = !dmMain || dmMain->AppDriveReadOnly();

    FIconDesc_ListView = new QTreeWidget(this);
    FIconDesc_ListView->setObjectName(QStringLiteral("IconDesc_ListView"));
    FIconDesc_ListView->setHeaderHidden(true);
    FIconDesc_ListView->setColumnCount(1);
    FIconDesc_ListView->setColumnWidth(0, 260);
    FIconDesc_ListView->setRootIsDecorated(false);
    FIconDesc_ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    FIconDesc_ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The double click belongs to the input dialog; in place, a description is edited by a
    // click on the selected row or by F2.
    FIconDesc_ListView->setEditTriggers(FReadOnly ? QAbstractItemView::NoEditTriggers
                                                  : QAbstractItemView::SelectedClicked |
                                                        QAbstractItemView::EditKeyPressed);
    FIconDesc_ListView->installEventFilter(this);
    FDelegate = new TIconDescDelegate(FIconDesc_ListView);
    FIconDesc_ListView->setItemDelegate(FDelegate);

    FFileName_Label = new QLabel(this);
    FFileName_Label->setObjectName(QStringLiteral("FileName_Label"));
    FFileName_Label->setTextFormat(Qt::PlainText);

    FSave_Button = new QPushButton(tr("&Сохранить"), this);
    FSave_Button->setObjectName(QStringLiteral("Save_Button"));
    FSave_Button->setDefault(true);
    FSave_Button->setEnabled(!FReadOnly);
    if (dmMain)
        FSave_Button->setIcon(dmMain->MainToolImgList.Icon(kSaveImage));
    FCancel_Button = new QPushButton(tr("&Отмена"), this);
    FCancel_Button->setObjectName(QStringLiteral("Cancel_Button"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FFileName_Label, 1);
    buttons->addWidget(FSave_Button);
    buttons->addWidget(FCancel_Button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FIconDesc_ListView, 1);
    layout->addLayout(buttons);
    resize(393, 217);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(393, 217)));

    FFileName = (dmMain ? dmMain->AppFolder() : QString()) + AFileName;
    FIconsListIndex = AIconsListIndex;
    LoadIconDescList();
    FFileName_Label->setText(FReadOnly ? QString() : FFileName);

    connect(FIconDesc_ListView, &QTreeWidget::itemDoubleClicked, this,
            &TfrmIconDescEdit::IconDesc_ListViewDblClick);
    connect(FSave_Button, &QPushButton::clicked, this, &TfrmIconDescEdit::Save_ButtonClick);
    connect(FCancel_Button, &QPushButton::clicked, this, &TfrmIconDescEdit::reject);
    FIconDesc_ListView->setFocus();
}

const TKVImageList* TfrmIconDescEdit::IconsList() const {
    if (!dmMain)
        return nullptr;
    switch (FIconsListIndex) {
    case ClassIconsListIndex:
        return &dmMain->ElementClassImgList;
    case ProjectIconsListIndex:
        return &dmMain->ProjectImgList;
    default:
        return nullptr;
    }
}

void TfrmIconDescEdit::LoadIconDescList() {
    FIconDescList = TdmMain::ReadUserListFile(FFileName);
    FIconDesc_ListView->clear();
    const TKVImageList* icons = IconsList();
    if (!icons)
        return;
    FIconDesc_ListView->setIconSize(icons->TileSize());
    for (int i = 0; i < icons->Count(); ++i) {
        auto* item = new QTreeWidgetItem(FIconDesc_ListView);
        item->setIcon(0, icons->Icon(i));
        item->setText(0, i < FIconDescList.size() ? FIconDescList[i] : QString());
        if (!FReadOnly)
            item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

QStringList TfrmIconDescEdit::Descriptions() const {
    QStringList lines;
    for (int i = 0; i < FIconDesc_ListView->topLevelItemCount(); ++i)
        lines << FIconDesc_ListView->topLevelItem(i)->text(0);
    return lines;
}

void TfrmIconDescEdit::IconDesc_ListViewDblClick() {
    QTreeWidgetItem* item = FIconDesc_ListView->currentItem();
    if (!item || !item->isSelected())
        return;
    if (ShowInputTextDlg(tr("Название иконки"), item->text(0), kMaxDescLength, false) == mrOk)
        item->setText(0, InputTextValue);
}

void TfrmIconDescEdit::Save_ButtonClick() {
    if (FReadOnly)
        return;
    // A description still being edited in place counts (the button's shortcut leaves the
    // focus in the editor).
    FDelegate->CommitEditor();
    if (SaveUserListFile(FFileName, Descriptions()))
        done(mrOk);
}

bool TfrmIconDescEdit::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AObject == FIconDesc_ListView && AEvent->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(AEvent)->key() == Qt::Key_Delete &&
        static_cast<QKeyEvent*>(AEvent)->modifiers() == Qt::NoModifier) {
        if (QTreeWidgetItem* item = FIconDesc_ListView->currentItem(); item && item->isSelected())
            item->setText(0, QString());
        return true;
    }
    return TKVDialog::eventFilter(AObject, AEvent);
}

void TfrmIconDescEdit::showEvent(QShowEvent* AEvent) {
    TKVDialog::showEvent(AEvent);
    CenterOnScreen(this);
}

int ShowIconDescEditDlg(const QString& AFileName, quint32 AIconsListIndex) {
    TfrmIconDescEdit dlg(AFileName, AIconsListIndex, TKVDialog::OwnerWindow());
    return dlg.exec();
}
