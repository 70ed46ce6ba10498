#include "views/KVRecordCard.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/Win1251.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVRecordNotice.h"
#include "shell/KVWidgets.h"
#include "shell/frmItemInfo.h"
#include "shell/uHelpContext.h"
#include "shell/uMessage.h"
#include "views/KVPictureBox.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

bool Connected() {
    return dmMain && dmMain->DBConnected() && dmMain->MainIBDatabase.Connected();
}

// A label's text without its closing colon, as messages name the field.
QString FieldName(const QString& ALabel) {
    QString name = ALabel;
    if (name.endsWith(u':'))
        name.chop(1);
    return name;
}

} // namespace

TKVRecordCard::TKVRecordCard(TKVCardBook ABook, QWidget* AParent)
    : TKVCard(AParent), FCardBook(std::move(ABook)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    FToolBar = new QToolBar(this);
    FToolBar->setObjectName(FCardBook.Name + QStringLiteral("_ToolBar"));
    FToolBar->setIconSize(QSize(16, 16));
    connect(NewToolButton("Copy_ToolButton", tr("Копия"), tr("Создать копию"), 30),
            &QToolButton::clicked, this, &TKVRecordCard::Copy_ToolButtonClick);
    connect(NewToolButton("Save_ToolButton", tr("Сохранить"), tr("Сохранить"), 37),
            &QToolButton::clicked, this, &TKVRecordCard::Save_ToolButtonClick);
    connect(NewToolButton("SaveAndClose_ToolButton", tr("Сохр. и закр."), tr("Сохранить и закрыть"),
                          38),
            &QToolButton::clicked, this, &TKVRecordCard::SaveAndClose_ToolButtonClick);
    connect(NewToolButton("Close_ToolButton", tr("Закрыть"), tr("Закрыть без сохранения"), 39),
            &QToolButton::clicked, this, &TKVRecordCard::Close_ToolButtonClick);
    auto* divider = new QWidget(FToolBar);
    divider->setObjectName(QStringLiteral("Div0_Tools"));
    divider->setFixedWidth(8);
    FToolBar->addWidget(divider);
    connect(
        NewToolButton("ItemInfo_ToolButton", tr("Инфо"), tr("Подробная информация о записи"), 35),
        &QToolButton::clicked, this, &TKVRecordCard::ItemInfo_ToolButtonClick);
    layout->addWidget(FToolBar);

    auto* editors = new QWidget(this);
    FEditorsLayout = new QGridLayout(editors);
    FEditorsLayout->setContentsMargins(8, 8, 8, 8);
    FEditorsLayout->setColumnStretch(1, 1);
    layout->addWidget(editors);
    layout->addStretch(1);

    FPopupMenu = new QMenu(this);
    FPopupMenu->setObjectName(FCardBook.Name + QStringLiteral("Edit_PopupMenu"));
    QAction* help = FPopupMenu->addAction(MainToolIcon(46), tr("Помощь по карточке"));
    help->setObjectName(QStringLiteral("pmiHelpContext"));
    connect(help, &QAction::triggered, this, &TKVRecordCard::pmiHelpContextClick);

    resize(FCardBook.ClientSize);
}

TKVRecordCard::~TKVRecordCard() = default;

QToolButton* TKVRecordCard::NewToolButton(const char* AName, const QString& ACaption,
                                          const QString& AHint, int AImage) {
    return AddCaptionToolButton(FToolBar, AName, ACaption, AHint, AImage, QSize(75, 36));
}

QToolButton* TKVRecordCard::ToolButton(const QString& AName) const {
    return FToolBar->findChild<QToolButton*>(AName);
}

TIBQuery& TKVRecordCard::Query() {
    if (!FQuery)
        FQuery = std::make_unique<TIBQuery>(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    return *FQuery;
}

// ------------------------------------------------------------------------------- editors

QLineEdit* TKVRecordCard::AddTextEditor(const char* AName, const QString& ALabel, int AMaxLength,
                                        bool ARequired) {
    auto* editor = new QLineEdit(this);
    editor->setObjectName(QLatin1String(AName));
    editor->setMaxLength(AMaxLength);
    connect(editor, &QLineEdit::textChanged, this, &TKVRecordCard::TextEditPropertiesChange);
    FTextEditors.push_back({editor, ALabel, AMaxLength, ARequired});
    AddEditorRow(ALabel, editor);
    return editor;
}

TKVButtonEdit* TKVRecordCard::AddLinkEditor(const char* AName, const QString& ALabel,
                                            TKVCardLink ALink) {
    auto* editor = new TKVButtonEdit(this);
    editor->setObjectName(QLatin1String(AName));
    editor->LineEdit()->setReadOnly(true);
    connect(editor, &TKVButtonEdit::ButtonClick, this, [this, editor] { LinkButtonClick(editor); });
    FLinkEditors.push_back({editor, std::move(ALink)});
    AddEditorRow(ALabel, editor);
    return editor;
}

TKVButtonEdit* TKVRecordCard::AddButtonTextEditor(const char* AName, const QString& ALabel,
                                                  int AMaxLength, const QString& AButtonHint) {
    auto* editor = new TKVButtonEdit(this);
    editor->setObjectName(QLatin1String(AName));
    editor->LineEdit()->setMaxLength(AMaxLength);
    editor->Button()->setToolTip(AButtonHint);
    connect(editor->LineEdit(), &QLineEdit::textChanged, this,
            &TKVRecordCard::TextEditPropertiesChange);
    FTextEditors.push_back({editor->LineEdit(), ALabel, AMaxLength});
    AddEditorRow(ALabel, editor);
    return editor;
}

QPlainTextEdit* TKVRecordCard::AddMemoEditor(const char* AName, const QString& ALabel,
                                             int AMaxLength) {
    auto* editor = new QPlainTextEdit(this);
    editor->setObjectName(QLatin1String(AName));
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setTabChangesFocus(true);
    connect(editor, &QPlainTextEdit::textChanged, this, &TKVRecordCard::TextEditPropertiesChange);
    FMemoEditors.push_back({editor, ALabel, AMaxLength});
    const int row = FEditorsLayout->rowCount();
    AddEditorRow(ALabel, editor);
    // The memo takes the height the card has left.
    if (QLayoutItem* label = FEditorsLayout->itemAtPosition(row, 0))
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FEditorsLayout->setRowStretch(row, 1);
    auto* outer = static_cast<QVBoxLayout*>(layout());
    outer->setStretch(outer->indexOf(FEditorsLayout->parentWidget()), 1);
    outer->setStretch(outer->count() - 1, 0); // the space under the editors
    return editor;
}

void TKVRecordCard::AddEditorRow(const QString& ALabel, QWidget* AEditor) {
    const int row = FEditorsLayout->rowCount();
    auto* label = new QLabel(ALabel, this);
    label->setBuddy(AEditor);
    FEditorsLayout->addWidget(label, row, 0);
    FEditorsLayout->addWidget(AEditor, row, 1);
    // Every editor shares the card's key handler (Enter and Del in link editors).
    AEditor->installEventFilter(this);
    if (auto* link = qobject_cast<TKVButtonEdit*>(AEditor))
        link->LineEdit()->installEventFilter(this);
    if (!FFirstEditor)
        FFirstEditor = AEditor;
}

void TKVRecordCard::SetEditorsReadOnly(bool AValue) {
    FEditorsReadOnly = AValue;
    for (const TTextEditor& text : FTextEditors)
        text.Editor->setReadOnly(AValue);
    for (const TMemoEditor& memo : FMemoEditors)
        memo.Editor->setReadOnly(AValue);
    for (const TLinkEditor& link : FLinkEditors)
        link.Editor->Button()->setEnabled(!AValue);
    if (FPicture)
        FPicture->Box->SetReadOnly(AValue);
}

QLineEdit* TKVRecordCard::NewRecordEditor() const {
    for (const TTextEditor& text : FTextEditors)
        if (text.Required)
            return text.Editor;
    return nullptr;
}

bool TKVRecordCard::CheckRequired(QLineEdit* AEditor) {
    if (!AEditor->text().trimmed().isEmpty())
        return true;
    AEditor->setFocus();
    return false;
}

bool TKVRecordCard::CheckEditorText(QWidget* AEditor, const QString& AText, const QString& ALabel,
                                    int AMaxLength) {
    QString message;
    QByteArray encoded;
    QString badChar;
    if (AText.size() > AMaxLength)
        message =
            tr("Значение поля «%1» длиннее %2 символов").arg(FieldName(ALabel)).arg(AMaxLength);
    else if (!TryToWin1251(AText, encoded, &badChar))
        message = tr("Значение поля «%1» содержит знак «%2», который нельзя сохранить в "
                     "базе данных")
                      .arg(FieldName(ALabel), badChar);
    if (message.isEmpty())
        return true;
    AEditor->setFocus();
    ShowMessageDlg(message, mdkWarning, mdbOK);
    return false;
}

bool TKVRecordCard::CheckTextEditors() {
    for (const TTextEditor& text : FTextEditors)
        if (!CheckEditorText(text.Editor, text.Editor->text(), text.Label, text.MaxLength))
            return false;
    for (const TMemoEditor& memo : FMemoEditors)
        if (!CheckEditorText(memo.Editor, memo.Editor->toPlainText(), memo.Label, memo.MaxLength))
            return false;
    return true;
}

const TKVRecordCard::TLinkEditor* TKVRecordCard::FindLink(const TKVButtonEdit* AEditor) const {
    for (const TLinkEditor& link : FLinkEditors)
        if (link.Editor == AEditor)
            return &link;
    return nullptr;
}

void TKVRecordCard::LinkButtonClick(TKVButtonEdit* AEditor) {
    const TLinkEditor* link = FindLink(AEditor);
    if (!link || ReadOnly() || !link->Link.Pick)
        return;
    TKVSelectedItemDBData picked;
    link->Link.Pick(picked);
    if (!picked.Select)
        return;
    if (link->Link.Set)
        link->Link.Set(picked.DBId, picked.Id, picked.Name);
    AEditor->setText(picked.Name);
    SetModifedData(true);
    if (link->Link.CheckDBId)
        CheckLinkDBId(picked.DBId);
}

void TKVRecordCard::LinkClear(TKVButtonEdit* AEditor) {
    const TLinkEditor* link = FindLink(AEditor);
    if (!link || !link->Link.Optional || ReadOnly())
        return;
    if (link->Link.Set)
        link->Link.Set(0, 0, QString());
    AEditor->setText(QString());
    SetModifedData(true);
}

void TKVRecordCard::CheckLinkDBId(quint32 APickedDBId) {
    const quint32 owner = Id() != 0 ? DBId() : (dmMain ? dmMain->CurrentDBId() : 0);
    if (!IsDBIdLinkAllowed(owner, APickedDBId))
        ShowMessageDlg(
            tr("Базовый объект не отвечает требованиям ссылочной иерархичности идентификаторов БД"),
            mdkWarning, mdbOK);
}

bool TKVRecordCard::AutoActionWanted(int AOption, const QString& AQuestion) {
    switch (IntToAutoActionMode(AOption)) {
    case aamAutomatic:
        return true;
    case aamAsk:
        return ShowMessageDlg(AQuestion, mdkConfirmation, mdbYes | mdbNo) == mrYes;
    case aamNotExecute:
        break;
    }
    return false;
}

void TKVRecordCard::ReportAutoActionCount(int AOption, int ACount) {
    if (IntToAutoActionMode(AOption) == aamAsk && ACount > 0)
        ShowMessageDlg(tr("Обновлено записей: %1").arg(ACount), mdkInformation, mdbOK);
}

void TKVRecordCard::SetTextOrNull(TIBParam& AParam, const QString& AText) {
    if (AText.isEmpty())
        AParam.Clear();
    else
        AParam.SetAsString(AText);
}

void TKVRecordCard::SetIconOrNull(TIBParam& AParam, qint32 AIconId) {
    if (AIconId < 0)
        AParam.Clear();
    else
        AParam.SetAsInteger(AIconId);
}

void TKVRecordCard::BindKey(TIBQuery& AQuery, quint32 ADBId, quint32 AId) const {
    if (FCardBook.KeyHasDBId)
        AQuery.ParamByName("VAR_DBID").SetAsInt64(ADBId);
    AQuery.ParamByName("VAR_ID").SetAsInt64(AId);
}

void TKVRecordCard::SetLinkOrNull(TIBParam& ADBIdParam, TIBParam& AIdParam, quint32 ADBId,
                                  quint32 AId) {
    if (AId == 0) {
        ADBIdParam.Clear();
        AIdParam.Clear();
    } else {
        ADBIdParam.SetAsInt64(ADBId);
        AIdParam.SetAsInt64(AId);
    }
}

bool TKVRecordCard::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        for (const TLinkEditor& link : FLinkEditors) {
            if (AObject != link.Editor && AObject != link.Editor->LineEdit())
                continue;
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                !(key->modifiers() & Qt::ControlModifier)) {
                LinkButtonClick(link.Editor);
                return true;
            }
            if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
                LinkClear(link.Editor);
                return true;
            }
        }
    }
    return TKVCard::eventFilter(AObject, AEvent);
}

void TKVRecordCard::contextMenuEvent(QContextMenuEvent* AEvent) {
    FPopupMenu->popup(AEvent->globalPos());
}

void TKVRecordCard::TextEditPropertiesChange() {
    SetModifedData(true);
}

// ------------------------------------------------------------------------- the record

bool TKVRecordCard::LinkedToRecord(TKVItemType, quint32, quint32) const {
    return false;
}

bool TKVRecordCard::BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    if (AItemType == CardItemType() && Id() != 0 && Id() == AId &&
        (!FCardBook.KeyHasDBId || DBId() == ADBId))
        return true;
    return LinkedToRecord(AItemType, ADBId, AId);
}

bool TKVRecordCard::ReadOnly() const {
    if (!dmMain)
        return TKVCard::ReadOnly();
    return dmMain->RecordReadOnly(FCardBook.KeyHasDBId, DBId(), Id());
}

bool TKVRecordCard::ReadNewRecord(TIBQuery&) {
    return true;
}

bool TKVRecordCard::LoadData(quint32 ACopyFromDBId, quint32 ACopyFromId) {
    if (!Connected())
        return false;
    bool found = false;
    TIBQuery& query = Query();
    if (Id() != 0 || ACopyFromId != 0) {
        const quint32 dbId = ACopyFromId != 0 ? ACopyFromDBId : DBId();
        const quint32 id = ACopyFromId != 0 ? ACopyFromId : Id();
        dmMain->ExecuteInTransaction([&] {
            query.Close();
            found = ReadRecord(query, dbId, id);
            query.Close();
        });
    } else {
        dmMain->ExecuteInTransaction([&] {
            query.Close();
            found = ReadNewRecord(query);
            query.Close();
        });
    }
    SetEditorsReadOnly(ReadOnly());
    FillEditors();
    if (FPicture)
        FPicture->Box->SetImage(FPicture->LoadedImage);
    if (Id() != 0) {
        SetCardName(RecordCardName());
    } else {
        SetCardName(FCardBook.NewRecordText);
        if (QLineEdit* editor = NewRecordEditor(); editor && ACopyFromId == 0) {
            editor->setText(FCardBook.NewRecordText);
            editor->selectAll();
            editor->setFocus();
        }
    }
    setWindowTitle(CardName());
    SetModifedData(false);
    return found;
}

bool TKVRecordCard::Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    const bool copy = AId != 0 && ACreateCopyFlag;
    if (FPicture) {
        FPicture->LoadedImage.clear();
        FPicture->Loaded = false;
    }
    bool loaded;
    if (copy) {
        CreateRecord(0, 0);
        loaded = LoadData(ADBId, AId);
    } else {
        CreateRecord(ADBId, AId);
        loaded = LoadData(0, 0);
    }
    if (!loaded) {
        ShowObjectNotFound(ADBId, AId, FCardBook.KeyHasDBId);
        ForciblyCloseItem();
        return false;
    }
    ToolButton(QStringLiteral("Copy_ToolButton"))
        ->setEnabled(Id() != 0 && dmMain && dmMain->CanWriteDataBase());
    ToolButton(QStringLiteral("Save_ToolButton"))->setEnabled(!ReadOnly());
    ToolButton(QStringLiteral("SaveAndClose_ToolButton"))->setEnabled(!ReadOnly());
    ToolButton(QStringLiteral("ItemInfo_ToolButton"))->setEnabled(Id() != 0);
    if (FPicture) {
        FPicture->EnableView = FPicture->Loaded && !::HideImage;
        SetViewImageIndex(FPicture->Loaded ? kViewImageLoaded : kViewImageEmpty);
        UpdatePictureView();
    }
    return true;
}

void TKVRecordCard::UnInit() {
    FQuery.reset();
}

void TKVRecordCard::FormClose() {
    UnInit();
}

void TKVRecordCard::showEvent(QShowEvent* AEvent) {
    TKVCard::showEvent(AEvent);
    if (!focusWidget() && FFirstEditor)
        FFirstEditor->setFocus();
}

bool TKVRecordCard::CheckData() {
    if (ReadOnly())
        return false;
    for (const TTextEditor& text : FTextEditors)
        if (text.Required && !CheckRequired(text.Editor))
            return false;
    if (!CheckEditors() || !CheckTextEditors())
        return false;
    TDateTime created;
    TDateTime updated;
    if (Id() != 0) {
        created = RecordCreateDateTime();
        updated = Now();
    } else {
        created = Now();
        updated = 0;
    }
    StoreEditors(created, updated);
    return true;
}

bool TKVRecordCard::UpdateData() {
    if (!Connected())
        return false;
    TIBQuery& query = Query();
    bool found = true;
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.Close();
        // The record is gone (deleted elsewhere): nothing was written, and saying so beats
        // reporting a save that did not happen.
        found = ExecUpdate(query) > 0;
        query.Close();
    });
    if (ok && !found)
        ShowMessageDlg(tr("Запись не найдена в базе данных: возможно, она была удалена. "
                          "Изменения не сохранены."),
                       mdkError, mdbOK);
    if (ok && found)
        RecordCommitted();
    return ok && found;
}

bool TKVRecordCard::InsertData() {
    if (!Connected())
        return false;
    TIBQuery& query = Query();
    quint32 newDBId = 0;
    quint32 newId = 0;
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.Close();
        ExecInsert(query);
        newId = static_cast<quint32>(query.FieldByName("O_ID").AsInt64());
        if (FCardBook.KeyHasDBId)
            newDBId = static_cast<quint32>(query.FieldByName("O_DBID").AsInt64());
        query.Close();
    });
    // The record takes its key only once the row is committed: a failed commit must not
    // leave the card bound to a row that does not exist.
    if (ok) {
        SetRecordKey(newDBId, newId);
        RecordCommitted();
    }
    return ok;
}

void TKVRecordCard::RefreshRB() {
    NotifyRecordChanged(CardItemType(), DBId(), Id(), iatChange);
}

void TKVRecordCard::OpenCopy() {
    if (FCardBook.OpenCopy)
        FCardBook.OpenCopy(DBId(), Id());
}

bool TKVRecordCard::SaveItem() {
    if (!CheckData())
        return false;
    const bool ok = Id() != 0 ? UpdateData() : InsertData();
    SetCardName(RecordCardName());
    SetModifedData(!ok);
    if (ok) {
        RefreshRB();
        if (frmMain && Registered())
            frmMain->SetNameMDIForm(this);
    }
    ToolButton(QStringLiteral("Copy_ToolButton"))->setEnabled(ok);
    ToolButton(QStringLiteral("ItemInfo_ToolButton"))->setEnabled(ok);
    return ok;
}

void TKVRecordCard::ItemInfo() {
    ShowItemInfoDlg(FCardBook.ItemType, DBId(), Id());
}

void TKVRecordCard::Copy_ToolButtonClick() {
    if (Id() != 0)
        OpenCopy();
}

void TKVRecordCard::SaveAndClose_ToolButtonClick() {
    if (SaveItem())
        CloseWindow();
}

void TKVRecordCard::pmiHelpContextClick() {
    ShowHelpTopic(FCardBook.HelpTopic);
}

void TKVRecordCard::ShowCard() {
    ShowMDIChild();
    QMdiSubWindow* sub = SubWindow();
    if (!sub)
        return;
    // A single border that cannot be resized, with the system menu and the minimise button.
    sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    FitCard();
    sub->show();
    // The editors' heights are final once they are shown: the picture box goes below them.
    if (FPicture)
        UpdatePictureView();
}

void TKVRecordCard::FitCard() {
    const QSize client = CardClientSize();
    QMdiSubWindow* sub = SubWindow();
    if (!sub) {
        resize(client);
        return;
    }
    const QMargins frame = sub->contentsMargins();
    const QSize size(client.width() + frame.left() + frame.right(),
                     client.height() + frame.top() + frame.bottom());
    // The card's size, or what the tool bar and the editors need when that is more.
    FitWindowToContent(sub, size, size, QSize(0, 0), true);
}

// ------------------------------------------------------------------------- the picture

namespace {

// Below the last editor, and below the picture box.
constexpr int kPictureGap = 9;

} // namespace

TKVPictureBox* TKVRecordCard::AddPicture(const QString& AName, const QSize& ABoxSize, int AMinTop) {
    FPicture = std::make_unique<TPicture>();
    FPicture->MinTop = AMinTop;

    auto* divider = new QWidget(FToolBar);
    divider->setObjectName(QStringLiteral("Div1_Tools"));
    divider->setFixedWidth(8);
    FToolBar->addWidget(divider);
    QToolButton* view =
        NewToolButton("View_ToolButton", tr("Вн. вид"), tr("Внешний вид"), kViewImageEmpty);
    view->setCheckable(true);
    connect(view, &QToolButton::clicked, this, &TKVRecordCard::View_ToolButtonClick);
    FPicture->ViewButton = view;

    // Under the editors, before the space that ends the card.
    FPicture->Panel = new QWidget(this);
    auto* panel = new QVBoxLayout(FPicture->Panel);
    // The space under the box belongs to the panel, so that no editor that takes the height
    // left over (a memo) grows into it.
    panel->setContentsMargins(FEditorsLayout->contentsMargins().left(), 0, 0, kPictureGap);
    FPicture->Box = new TKVPictureBox(AName, ABoxSize, FPicture->Panel);
    connect(FPicture->Box, &TKVPictureBox::ImageChanged, this, &TKVRecordCard::PictureChanged);
    panel->addWidget(FPicture->Box, 0, Qt::AlignLeft | Qt::AlignTop);
    auto* outer = static_cast<QVBoxLayout*>(layout());
    outer->insertWidget(outer->count() - 1, FPicture->Panel);
    FPicture->Panel->hide();
    return FPicture->Box;
}

QByteArray TKVRecordCard::ImageData() const {
    return FPicture ? FPicture->Box->Image() : QByteArray();
}

void TKVRecordCard::ReadPicture(TIBQuery& AQuery) {
    if (!FPicture)
        return;
    const TIBField& image = AQuery.FieldByName("B_IMAGE");
    FPicture->Loaded = !image.IsNull();
    FPicture->LoadedImage = FPicture->Loaded ? image.AsBytes() : QByteArray();
}

void TKVRecordCard::BindPicture(TIBParam& AParam) const {
    const QByteArray image = ImageData();
    if (image.isEmpty())
        AParam.Clear();
    else
        AParam.SetAsBytes(image);
}

void TKVRecordCard::SetViewImageIndex(int AIndex) {
    FPicture->ViewImageIndex = AIndex;
    FPicture->ViewButton->setIcon(MainToolIcon(AIndex));
}

void TKVRecordCard::PictureChanged() {
    // Loading a picture does not show the box; the button tells that one is there.
    SetViewImageIndex(ImageData().isEmpty() ? kViewImageEmpty : kViewImageLoaded);
    SetModifedData(true);
}

void TKVRecordCard::View_ToolButtonClick() {
    if (!FPicture)
        return;
    FPicture->EnableView = !FPicture->EnableView;
    UpdatePictureView();
}

int TKVRecordCard::EditorsBottom() const {
    // The tool bar and the editors stand at their preferred heights from the top.
    return FToolBar->sizeHint().height() + FEditorsLayout->parentWidget()->sizeHint().height();
}

int TKVRecordCard::LastEditorBottom() const {
    return EditorsBottom() - FEditorsLayout->contentsMargins().bottom();
}

int TKVRecordCard::PictureTop() const {
    return std::max(FPicture->MinTop, LastEditorBottom() + kPictureGap);
}

QSize TKVRecordCard::CardClientSize() const {
    if (!FPicture)
        return FCardBook.ClientSize;
    const int bottom =
        FPicture->EnableView ? PictureTop() + FPicture->Box->height() : LastEditorBottom();
    return {FCardBook.ClientSize.width(), bottom + kPictureGap};
}

void TKVRecordCard::UpdatePictureView() {
    FPicture->ViewButton->setChecked(FPicture->EnableView);
    if (FPicture->EnableView) {
        QMargins margins = FPicture->Panel->layout()->contentsMargins();
        margins.setTop(PictureTop() - EditorsBottom());
        FPicture->Panel->layout()->setContentsMargins(margins);
    }
    FPicture->Panel->setVisible(FPicture->EnableView);
    FitCard();
}
