#include "refbooks/frmCaseEdit.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>

#include <array>

namespace {

constexpr int kClientWidth = 377;
// The picture box: its size and the top it keeps below short editors.
constexpr QSize kImageBoxSize(361, 308);
constexpr int kImageTop = 211;
// V_PINCOUNT is a SMALLINT: a larger count could not be stored.
constexpr int kMaxPinCount = 32767;

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

    AddPicture(QStringLiteral("Case"), kImageBoxSize, kImageTop);
}

QAction* TfrmCaseEdit::pmiOpenImage() const {
    return Case_Image()->pmiOpenImage();
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

// ------------------------------------------------------------------------ editors

void TfrmCaseEdit::FillEditors() {
    FTypeEdit->setText(Row()->TypeName());
    FDescEdit->setText(Row()->Description());
    FPinCountEdit->setValue(Row()->PinCount());
    FMountTypeBox->setCurrentIndex(Row()->MountTypeIndex());
    FVisualTypeBox->setCurrentIndex(Row()->GetToPttVisualTypeIndex());
    FParamEdits[0]->setValue(Row()->PttVisualParam0());
    FParamEdits[1]->setValue(Row()->PttVisualParam1());
    FParamEdits[2]->setValue(Row()->PttVisualParam2());
}

void TfrmCaseEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FPinCountEdit->setReadOnly(AValue);
    FMountTypeBox->setEnabled(!AValue);
    FVisualTypeBox->setEnabled(!AValue);
    for (QSpinBox* editor : FParamEdits)
        editor->setReadOnly(AValue);
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
    BindPicture(AQuery.ParamByName(APrefix + QStringLiteral("B_IMAGE")));
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

void TfrmCaseEdit::Case_ImageDblClick() {
    if (!ReadOnly())
        Case_Image()->LoadFromFile();
}

void TfrmCaseEdit::Case_ImageDelete() {
    if (!ReadOnly())
        Case_Image()->Clear();
}

TfrmCaseEdit* OpenCardCase(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmCaseEdit>(2112, ADBId, AId, ACreateCopyFlag);
}
