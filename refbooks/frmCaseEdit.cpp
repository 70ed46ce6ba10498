#include "refbooks/frmCaseEdit.h"

#include "core/KVPicture.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "shell/KVFileDialog.h"
#include "shell/KVWidgets.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr int kClientWidth = 377;
// The picture box: its size, its left edge and the top it keeps below short editors.
constexpr QSize kImageBoxSize(361, 308);
constexpr int kImageLeft = 8;
constexpr int kImageTop = 211;
// Below the picture box or the parameter editors.
constexpr int kBottomGap = 9;
// V_PINCOUNT is a SMALLINT: a larger count could not be stored.
constexpr int kMaxPinCount = 32767;
// Images of the view button.
constexpr int kViewImageLoaded = 40;
constexpr int kViewImageEmpty = 34;

TKVCardBook CaseCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("Case");
    book.KeyHasDBId = true;
    book.ItemType = itCase;
    book.NewRecordText = QStringLiteral("New Case");
    book.HelpTopic = QStringLiteral("CardCase");
    book.ClientSize = QSize(kClientWidth, 528);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 S_TYPENAME, S_DESCRIPTION, V_PINCOUNT, V_MOUNTTYPE, B_IMAGE, "
        "V_CV_PTTTYPE, V_CV_PTTPRM, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM T_CASE WHERE "
        "DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_CASE SET S_TYPENAME = :VAR_S_TYPENAME, S_DESCRIPTION = :VAR_S_DESCRIPTION, "
        "V_PINCOUNT = :VAR_V_PINCOUNT, V_MOUNTTYPE = :VAR_V_MOUNTTYPE, B_IMAGE = :VAR_B_IMAGE, "
        "V_CV_PTTTYPE = :VAR_V_CV_PTTTYPE, V_CV_PTTPRM = :VAR_V_CV_PTTPRM, V_FLAG = :VAR_V_FLAG, "
        "U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_CASE (:I_S_TYPENAME, :I_S_DESCRIPTION, :I_V_PINCOUNT, "
        ":I_V_MOUNTTYPE, :I_B_IMAGE, :I_V_CV_PTTTYPE, :I_V_CV_PTTPRM, :I_V_FLAG, "
        ":I_C_TIMESTAMP);");
    book.OpenCopy = [](quint32 ADBId, quint32 AId) { OpenCardCase(ADBId, AId, true); };
    return book;
}

} // namespace

TfrmCaseEdit::TfrmCaseEdit(QWidget* AParent) : TKVBookCard(CaseCardBook(), AParent) {
    auto* divider = new QWidget(ToolBar());
    divider->setObjectName(QStringLiteral("Div1_Tools"));
    divider->setFixedWidth(8);
    ToolBar()->addWidget(divider);
    FViewButton = new QToolButton(ToolBar());
    FViewButton->setObjectName(QStringLiteral("View_ToolButton"));
    FViewButton->setText(tr("Вн. вид"));
    FViewButton->setToolTip(tr("Внешний вид"));
    FViewButton->setStatusTip(tr("Внешний вид"));
    FViewButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    FViewButton->setMinimumSize(75, 36);
    FViewButton->setAutoRaise(true);
    FViewButton->setCheckable(true);
    ToolBar()->addWidget(FViewButton);
    connect(FViewButton, &QToolButton::clicked, this, &TfrmCaseEdit::View_ToolButtonClick);
    SetViewImageIndex(kViewImageEmpty);

    FTypeEdit = AddTextEditor("CaseType_TextEdit", tr("Тип корпуса"), KVNameLength, true);
    FDescEdit = AddTextEditor("CaseDesc_TextEdit", tr("Описание"), KVDescriptionLength);

    FPinCountEdit = new QSpinBox(this);
    FPinCountEdit->setObjectName(QStringLiteral("CasePinCount_SpinEdit"));
    FPinCountEdit->setRange(0, kMaxPinCount);
    connect(FPinCountEdit, &QSpinBox::valueChanged, this, &TfrmCaseEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Количество выводов"), FPinCountEdit);

    FMountTypeBox = new QComboBox(this);
    FMountTypeBox->setObjectName(QStringLiteral("CaseMountType_ComboBox"));
    for (int i = cmtUnknown; i <= cmtSwitching; ++i)
        FMountTypeBox->addItem(CaseMountTypeToStr(i));
    connect(FMountTypeBox, &QComboBox::currentIndexChanged, this,
            &TfrmCaseEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Тип монтажа"), FMountTypeBox);

    FVisualTypeBox = new QComboBox(this);
    FVisualTypeBox->setObjectName(QStringLiteral("CasePttVisualType_ComboBox"));
    for (int i = cvtUntyped; i <= cvtHorLineWithGE; ++i)
        FVisualTypeBox->addItem(PttVisualTypeToStr(i));
    connect(FVisualTypeBox, &QComboBox::currentIndexChanged, this,
            &TfrmCaseEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Визуализация"), FVisualTypeBox);

    FParamsPanel = new QWidget(this);
    FParamsPanel->setObjectName(QStringLiteral("CasePttVisualParams_Panel"));
    auto* params = new QHBoxLayout(FParamsPanel);
    params->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        auto* editor = new QSpinBox(FParamsPanel);
        editor->setObjectName(QStringLiteral("CasePttVisualParam%1_SpinEdit").arg(i));
        editor->setRange(0, 255);
        editor->setButtonSymbols(QAbstractSpinBox::NoButtons);
        connect(editor, &QSpinBox::valueChanged, this, &TfrmCaseEdit::TextEditPropertiesChange);
        editor->installEventFilter(this);
        params->addWidget(editor);
        FParamEdits[i] = editor;
    }
    params->addStretch(1);
    AddEditorRow(tr("Параметры A, B, C"), FParamsPanel);

    // The picture box, under the editors.
    FImagePanel = new QWidget(this);
    auto* imageLayout = new QVBoxLayout(FImagePanel);
    imageLayout->setContentsMargins(kImageLeft, 0, 0, 0);
    FImageBox = new TKVPictureBox(QStringLiteral("Case"), kImageBoxSize, FImagePanel);
    connect(FImageBox, &TKVPictureBox::ImageChanged, this, &TfrmCaseEdit::ImageChanged);
    imageLayout->addWidget(FImageBox, 0, Qt::AlignLeft | Qt::AlignTop);
    if (auto* cardLayout = qobject_cast<QVBoxLayout*>(layout()))
        cardLayout->insertWidget(cardLayout->count() - 1, FImagePanel); // before the stretch
    FImagePanel->hide();
}

const QByteArray& TfrmCaseEdit::ImageData() const {
    return FImageBox->Image();
}

QAction* TfrmCaseEdit::pmiOpenImage() const {
    return FImageBox->pmiOpenImage();
}

QString TfrmCaseEdit::PttVisualTypeToStr(int AIndex) {
    static const std::array<const char*, 10> names = {
        "",
        "линия по вертикали",
        "линия по горизонтали",
        "две линии по вертикали с посл. нум.",
        "две линии по вертикали с посл. нум. с промежутком",
        "две линии по вертикали с паралл. нум.",
        "по сторонам прямоугольника с нум. от угла",
        "по сторонам прямоугольника со смещением",
        "в виде матрицы",
        "линия по горизонтали с граф. элем."};
    if (AIndex < 0 || AIndex >= static_cast<int>(names.size()))
        return {};
    return tr(names[static_cast<size_t>(AIndex)]);
}

QSpinBox* TfrmCaseEdit::CasePttVisualParam_SpinEdit(int AIndex) const {
    return AIndex >= 0 && AIndex < 3 ? FParamEdits[AIndex] : nullptr;
}

// ------------------------------------------------------------------------ opening

bool TfrmCaseEdit::Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    if (!TKVBookCard::Init(ADBId, AId, ACreateCopyFlag))
        return false;
    FEnableView = FImageLoaded && !::HideImage;
    SetViewImageIndex(FImageLoaded ? kViewImageLoaded : kViewImageEmpty);
    UpdateView();
    return true;
}

void TfrmCaseEdit::ShowCard() {
    TKVBookCard::ShowCard();
    UpdateView();
}

void TfrmCaseEdit::CreateRecord(quint32 ADBId, quint32 AId) {
    TKVBookCard::CreateRecord(ADBId, AId);
    FLoadedImage.clear();
    FImageLoaded = false;
}

bool TfrmCaseEdit::ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) {
    if (!TKVBookCard::ReadRecord(AQuery, ADBId, AId))
        return false;
    const TIBField& image = AQuery.FieldByName("B_IMAGE");
    FImageLoaded = !image.IsNull();
    FLoadedImage = FImageLoaded ? image.AsBytes() : QByteArray();
    return true;
}

void TfrmCaseEdit::FillEditors() {
    FTypeEdit->setText(Row()->TypeName());
    FDescEdit->setText(Row()->Description());
    FPinCountEdit->setValue(Row()->PinCount());
    FMountTypeBox->setCurrentIndex(Row()->MountTypeIndex());
    FVisualTypeBox->setCurrentIndex(Row()->GetToPttVisualTypeIndex());
    FParamEdits[0]->setValue(Row()->PttVisualParam0());
    FParamEdits[1]->setValue(Row()->PttVisualParam1());
    FParamEdits[2]->setValue(Row()->PttVisualParam2());
    FImageBox->SetImage(FLoadedImage);
}

void TfrmCaseEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FPinCountEdit->setReadOnly(AValue);
    FMountTypeBox->setEnabled(!AValue);
    FVisualTypeBox->setEnabled(!AValue);
    for (QSpinBox* editor : FParamEdits)
        editor->setReadOnly(AValue);
    FImageBox->SetReadOnly(AValue);
}

// ------------------------------------------------------------------------ saving

void TfrmCaseEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    const quint32 params = (static_cast<quint32>(FParamEdits[0]->value()) & 0xFF) |
                           ((static_cast<quint32>(FParamEdits[1]->value()) & 0xFF) << 8) |
                           ((static_cast<quint32>(FParamEdits[2]->value()) & 0xFF) << 16);
    Row()->UpdateData(FTypeEdit->text(), FDescEdit->text(),
                      static_cast<quint16>(FPinCountEdit->value()),
                      IndexToMountType(FMountTypeBox->currentIndex()),
                      IndexToPttVisualType(FVisualTypeBox->currentIndex()), params, ACreateDateTime,
                      AUpdateDateTime, Row()->ReplDateTime());
}

void TfrmCaseEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    AQuery.ParamByName(APrefix + QStringLiteral("S_TYPENAME")).SetAsString(Row()->TypeName());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_DESCRIPTION")),
                  Row()->Description());
    AQuery.ParamByName(APrefix + QStringLiteral("V_PINCOUNT")).SetAsInteger(Row()->PinCount());
    AQuery.ParamByName(APrefix + QStringLiteral("V_MOUNTTYPE"))
        .SetAsInteger(Row()->MountTypeIndex());
    TIBParam& image = AQuery.ParamByName(APrefix + QStringLiteral("B_IMAGE"));
    if (ImageData().isEmpty())
        image.Clear();
    else
        image.SetAsBytes(ImageData());
    // The drawing parameters mean something only with a visual type.
    TIBParam& visualType = AQuery.ParamByName(APrefix + QStringLiteral("V_CV_PTTTYPE"));
    TIBParam& visualParams = AQuery.ParamByName(APrefix + QStringLiteral("V_CV_PTTPRM"));
    if (Row()->PttVisualType() != cvtUntyped) {
        visualType.SetAsInteger(Row()->GetToPttVisualTypeIndex());
        visualParams.SetAsInt64(Row()->PttVisualParams());
    } else {
        visualType.Clear();
        visualParams.Clear();
    }
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

QString TfrmCaseEdit::RecordCardName() const {
    return Row()->TypeName();
}

void TfrmCaseEdit::SetViewImageIndex(int AIndex) {
    FViewImageIndex = AIndex;
    FViewButton->setIcon(MainToolIcon(AIndex));
}

void TfrmCaseEdit::ImageChanged() {
    SetViewImageIndex(ImageData().isEmpty() ? kViewImageEmpty : kViewImageLoaded);
    SetModifedData(true);
}

void TfrmCaseEdit::Case_ImageDblClick() {
    if (!ReadOnly())
        FImageBox->LoadFromFile();
}

void TfrmCaseEdit::Case_ImageDelete() {
    if (!ReadOnly())
        FImageBox->Clear();
}

// ------------------------------------------------------------------- view and height

void TfrmCaseEdit::View_ToolButtonClick() {
    FEnableView = !FEnableView;
    UpdateView();
}

int TfrmCaseEdit::EditorsBottom() const {
    // The tool bar and the editors stand at their preferred heights from the top.
    return ToolBar()->sizeHint().height() + FParamsPanel->parentWidget()->sizeHint().height();
}

int TfrmCaseEdit::ParamsBottom() const {
    const QLayout* editors = FParamsPanel->parentWidget()->layout();
    return EditorsBottom() - (editors ? editors->contentsMargins().bottom() : 0);
}

int TfrmCaseEdit::ImageTop() const {
    // At 211 unless the editors reach further down.
    return std::max(kImageTop, ParamsBottom() + kBottomGap);
}

int TfrmCaseEdit::FittingClientHeight() const {
    return (FEnableView ? ImageTop() + kImageBoxSize.height() : ParamsBottom()) + kBottomGap;
}

void TfrmCaseEdit::UpdateView() {
    FViewButton->setChecked(FEnableView);
    if (FEnableView)
        FImagePanel->layout()->setContentsMargins(kImageLeft, ImageTop() - EditorsBottom(), 0, 0);
    FImagePanel->setVisible(FEnableView);
    const QSize client(kClientWidth, FittingClientHeight());
    if (QMdiSubWindow* sub = SubWindow()) {
        const QMargins frame = sub->contentsMargins();
        const QSize size(client.width() + frame.left() + frame.right(),
                         client.height() + frame.top() + frame.bottom());
        FitWindowToContent(sub, size, size, QSize(0, 0), true);
    } else {
        resize(client);
    }
}

TfrmCaseEdit* OpenCardCase(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmCaseEdit>(2112, ADBId, AId, ACreateCopyFlag);
}
