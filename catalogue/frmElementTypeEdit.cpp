#include "catalogue/frmElementTypeEdit.h"

#include "catalogue/KVDataSheet.h"
#include "catalogue/KVParamRebinding.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmCase.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmMaker.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVFileDialog.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr quint32 kIcon = 2119;
// The description's limit in the card (the column holds one character more).
constexpr int kDescriptionLength = 2047;
// The description shows this many lines.
constexpr int kDescriptionLines = 4;
constexpr QSize kImageBoxSize(361, 307);

TKVCardBook ElementTypeCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("ElementType");
    book.KeyHasDBId = true;
    book.ItemType = itElementType;
    book.NewRecordText = QStringLiteral("New Element Type");
    book.HelpTopic = QStringLiteral("CardElementType");
    book.ClientSize = QSize(377, 300);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TET.CLASSDBID, TET.CLASSID, TET.CASEDBID, TET.CASEID, "
        "TET.MAKERDBID, TET.MAKERID, TET.S_TYPENAME, TET.S_MARKING, TET.S_DESCRIPTION, "
        "TET.S_DATASHEET, TET.C_TIMESTAMP, TET.U_TIMESTAMP, TET.R_TIMESTAMP, TET.B_IMAGE, "
        "TC.S_NAME AS CLASSNAME, TCS.S_TYPENAME AS CASENAME, TM.S_NAME AS MAKERNAME FROM "
        "T_ELEMENT_TYPE TET LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID = "
        "TET.CLASSID LEFT JOIN T_CASE TCS ON TCS.DBID = TET.CASEDBID AND TCS.ID = TET.CASEID "
        "LEFT JOIN T_MAKER TM ON TM.DBID = TET.MAKERDBID AND TM.ID = TET.MAKERID WHERE TET.DBID "
        "= :VAR_DBID AND TET.ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_ELEMENT_TYPE SET CLASSDBID = :VAR_CLASSDBID, CLASSID = :VAR_CLASSID, CASEDBID "
        "= :VAR_CASEDBID, CASEID = :VAR_CASEID, MAKERDBID = :VAR_MAKERDBID, MAKERID = "
        ":VAR_MAKERID, S_TYPENAME = :VAR_S_TYPENAME, S_MARKING = :VAR_S_MARKING, S_DESCRIPTION = "
        ":VAR_S_DESCRIPTION, S_DATASHEET = :VAR_S_DATASHEET, B_IMAGE = :VAR_B_IMAGE, V_FLAG = "
        ":VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_ELEMENT_TYPE (:I_CLASSDBID, :I_CLASSID, :I_CASEDBID, "
        ":I_CASEID, :I_MAKERDBID, :I_MAKERID, :I_S_TYPENAME, :I_S_MARKING, :I_S_DESCRIPTION, "
        ":I_B_IMAGE, :I_S_DATASHEET, :I_V_FLAG, :I_C_TIMESTAMP);");
    return book;
}

QString AppFolder() {
    return dmMain ? dmMain->AppFolder() : QString();
}

} // namespace

TfrmElementTypeEdit::TfrmElementTypeEdit(QWidget* AParent)
    : TKVBookCard(ElementTypeCardBook(), AParent) {
    FNameEdit = AddTextEditor("ElementTypeName_TextEdit", tr("Наименование"), KVNameLength, true);
    FMarkingEdit = AddTextEditor("ElementTypeMarking_TextEdit", tr("Маркировка"), KVNameLength);
    FDescMemo = AddMemoEditor("ElementTypeDesc_Memo", tr("Описание"), kDescriptionLength);
    const int lines = FDescMemo->fontMetrics().lineSpacing() * kDescriptionLines +
                      2 * (FDescMemo->frameWidth() +
                           static_cast<int>(FDescMemo->document()->documentMargin()));
    // Never below what its scroll bar needs.
    FDescMemo->setFixedHeight(std::max(lines, FDescMemo->minimumSizeHint().height()));

    TKVCardLink classLink;
    classLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectClass(Row()->ETClassDBId(), Row()->ETClassId(), 0, 0, AResult);
    };
    classLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateClassData(ADBId, AId, AName);
    };
    FClassEdit = AddLinkEditor("ElementTypeClass_ButtonEdit", tr("Класс элемента"), classLink);

    TKVCardLink caseLink;
    caseLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectCase(Row()->CaseDBId(), Row()->CaseId(), AResult);
    };
    caseLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateCaseData(ADBId, AId, AName);
    };
    FCaseEdit = AddLinkEditor("ElementTypeCase_ButtonEdit", tr("Корпус элемента"), caseLink);

    TKVCardLink makerLink;
    makerLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectMaker(Row()->MakerDBId(), Row()->MakerId(), AResult);
    };
    makerLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateMakerData(ADBId, AId, AName);
    };
    FMakerEdit = AddLinkEditor("ElementTypeMaker_ButtonEdit", tr("Производитель"), makerLink);

    FDataSheetEdit = AddButtonTextEditor("ElementTypeDS_ButtonEdit", tr("DataSheet"),
                                         KVDescriptionLength, tr("Открыть документацию"));
    connect(FDataSheetEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmElementTypeEdit::ElementTypeDS_ButtonEditPropertiesButtonClick);

    AddPicture(QStringLiteral("ElementType"), kImageBoxSize);
}

QAction* TfrmElementTypeEdit::pmiOpenImage() const {
    return ElementType_Image()->pmiOpenImage();
}

bool TfrmElementTypeEdit::Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                               quint32 AETClassDBId, quint32 AETClassId, quint32 AMakerDBId,
                               quint32 AMakerId) {
    FInitClassDBId = AETClassDBId;
    FInitClassId = AETClassId;
    FInitMakerDBId = AMakerDBId;
    FInitMakerId = AMakerId;
    return TKVBookCard::Init(ADBId, AId, ACreateCopyFlag);
}

bool TfrmElementTypeEdit::LinkedToRecord(TKVItemType AItemType, quint32 ADBId,
                                         quint32 AId) const {
    switch (AItemType) {
    case itClass:
        return ETClassId() != 0 && ETClassDBId() == ADBId && ETClassId() == AId;
    case itCase:
        return CaseId() != 0 && CaseDBId() == ADBId && CaseId() == AId;
    case itMaker:
        return MakerId() != 0 && MakerDBId() == ADBId && MakerId() == AId;
    default:
        return false;
    }
}

// ------------------------------------------------------------------------- the record

void TfrmElementTypeEdit::CreateRecord(quint32 ADBId, quint32 AId) {
    SetRow(std::make_unique<TKVElementType>(ADBId, AId, FInitClassDBId, FInitClassId));
    if (AId == 0 && FInitMakerId != 0)
        Row()->UpdateMakerData(FInitMakerDBId, FInitMakerId, QString());
    FOldETClassDBId = 0;
    FOldETClassId = 0;
}

bool TfrmElementTypeEdit::ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) {
    if (!TKVBookCard::ReadRecord(AQuery, ADBId, AId))
        return false;
    FOldETClassDBId = Row()->ETClassDBId();
    FOldETClassId = Row()->ETClassId();
    return true;
}

bool TfrmElementTypeEdit::ReadNewRecord(TIBQuery& AQuery) {
    // A default that does not exist is left out rather than stored as a link to nothing.
    const auto readName = [&AQuery](const QString& ASQL, const char* ADBIdParam,
                                    const char* AIdParam, quint32 ADBId, quint32 AId,
                                    QString& AName) {
        AQuery.SetSQL(ASQL);
        AQuery.ParamByName(ADBIdParam).SetAsInt64(ADBId);
        AQuery.ParamByName(AIdParam).SetAsInt64(AId);
        AQuery.Open();
        const bool found = !AQuery.Eof();
        if (found)
            AName = AQuery.FieldByName("S_NAME").AsString();
        AQuery.Close();
        return found;
    };
    QString name;
    if (Row()->ETClassId() != 0) {
        if (readName(QStringLiteral("SELECT FIRST 1 SKIP 0 S_NAME FROM T_CLASS WHERE DBID = "
                                    ":VAR_CLASSDBID AND ID = :VAR_CLASSID;"),
                     "VAR_CLASSDBID", "VAR_CLASSID", Row()->ETClassDBId(), Row()->ETClassId(),
                     name))
            Row()->UpdateClassData(Row()->ETClassDBId(), Row()->ETClassId(), name);
        else
            Row()->UpdateClassData(0, 0, QString());
    }
    if (Row()->MakerId() != 0) {
        if (readName(QStringLiteral("SELECT FIRST 1 SKIP 0 S_NAME FROM T_MAKER WHERE DBID = "
                                    ":VAR_MAKERDBID AND ID = :VAR_MAKERID;"),
                     "VAR_MAKERDBID", "VAR_MAKERID", Row()->MakerDBId(), Row()->MakerId(), name))
            Row()->UpdateMakerData(Row()->MakerDBId(), Row()->MakerId(), name);
        else
            Row()->UpdateMakerData(0, 0, QString());
    }
    return true;
}

void TfrmElementTypeEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    const auto param = [&](const char* AColumn) -> TIBParam& {
        return AQuery.ParamByName(APrefix + QLatin1String(AColumn));
    };
    param("CLASSDBID").SetAsInt64(Row()->ETClassDBId());
    param("CLASSID").SetAsInt64(Row()->ETClassId());
    SetLinkOrNull(param("CASEDBID"), param("CASEID"), Row()->CaseDBId(), Row()->CaseId());
    SetLinkOrNull(param("MAKERDBID"), param("MAKERID"), Row()->MakerDBId(), Row()->MakerId());
    param("S_TYPENAME").SetAsString(Row()->TypeName());
    SetTextOrNull(param("S_MARKING"), Row()->Marking());
    SetTextOrNull(param("S_DESCRIPTION"), Row()->Description());
    SetTextOrNull(param("S_DATASHEET"), Row()->DataSheet());
    BindPicture(param("B_IMAGE"));
    param("V_FLAG").SetAsInteger(0);
}

int TfrmElementTypeEdit::ExecUpdate(TIBQuery& AQuery) {
    const int changed = TKVBookCard::ExecUpdate(AQuery);
    AQuery.Close();
    // Inside the save's transaction: the type's new class and its values are written together
    // or not at all.
    if (changed > 0 &&
        (Row()->ETClassDBId() != FOldETClassDBId || Row()->ETClassId() != FOldETClassId)) {
        TKVParamRebinding rebinding(AQuery, TKVParamRebinding::PermissionFromOptions());
        const int option = ::ParamRebinding;
        const int bound = rebinding.ClassChanged(
            {Row()->ETClassDBId(), Row()->ETClassId()}, {DBId(), Id()}, [&] {
                return AutoActionWanted(option, tr("Перепривязать параметры типа элемента к "
                                                   "базовым параметрам нового класса?"));
            });
        ReportAutoActionCount(option, bound);
    }
    return changed;
}

void TfrmElementTypeEdit::RecordCommitted() {
    FOldETClassDBId = Row()->ETClassDBId();
    FOldETClassId = Row()->ETClassId();
}

// ------------------------------------------------------------------------------- editors

void TfrmElementTypeEdit::FillEditors() {
    FNameEdit->setText(Row()->TypeName());
    FMarkingEdit->setText(Row()->Marking());
    FDescMemo->setPlainText(Row()->Description());
    FClassEdit->setText(Row()->ETClassName());
    FCaseEdit->setText(Row()->CaseName());
    FMakerEdit->setText(Row()->MakerName());
    FDataSheetEdit->setText(Row()->DataSheet());
}

bool TfrmElementTypeEdit::CheckEditors() {
    if (Row()->ETClassId() == 0) {
        FClassEdit->LineEdit()->setFocus();
        return false;
    }
    // A data sheet as it was stored may name a file of another computer; one typed here must
    // name something that can be opened.
    const QString dataSheet = FDataSheetEdit->text();
    if (dataSheet != Row()->DataSheet()) {
        const TKVDataSheetTarget target = DataSheetTarget(dataSheet, AppFolder());
        if (target.Kind == dskMissing) {
            FDataSheetEdit->LineEdit()->setFocus();
            ShowMessageDlg(DataSheetRefusal(target, dataSheet), mdkWarning, mdbOK);
            return false;
        }
    }
    return true;
}

void TfrmElementTypeEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(FNameEdit->text(), FMarkingEdit->text(), FDescMemo->toPlainText(),
                      FDataSheetEdit->text(), ACreateDateTime, AUpdateDateTime,
                      Row()->ReplDateTime(), -1, false);
}

QString TfrmElementTypeEdit::RecordCardName() const {
    return Row()->TypeName();
}

void TfrmElementTypeEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FDataSheetEdit->Button()->setEnabled(!AValue);
}

void TfrmElementTypeEdit::OpenCopy() {
    OpenCardElementType(DBId(), Id(), true, ETClassDBId(), ETClassId(), MakerDBId(), MakerId());
}

bool TfrmElementTypeEdit::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AEvent->type() == QEvent::KeyPress &&
        (AObject == FDataSheetEdit || AObject == FDataSheetEdit->LineEdit())) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & Qt::ControlModifier)) {
            if (FDataSheetEdit->Button()->isEnabled())
                ElementTypeDS_ButtonEditPropertiesButtonClick();
            return true;
        }
    }
    return TKVBookCard::eventFilter(AObject, AEvent);
}

void TfrmElementTypeEdit::ElementTypeDS_ButtonEditPropertiesButtonClick() {
    if (ReadOnly())
        return;
    const QString text = FDataSheetEdit->text();
    if (text.trimmed().isEmpty()) {
        const QString folder = QDir(AppFolder()).filePath(QStringLiteral("DataSheet"));
        QString fileName;
        if (!KVOpenFileDialog(this, tr("Открыть"), tr("Все файлы (*)"),
                              QDir(folder).exists() ? folder : AppFolder(), fileName))
            return;
        // A name the editor would cut could not be opened again.
        if (fileName.size() > KVDescriptionLength)
            ShowMessageDlg(tr("Имя файла «%1» длиннее %2 символов: его нельзя сохранить в поле "
                              "«DataSheet»")
                               .arg(fileName)
                               .arg(KVDescriptionLength),
                           mdkWarning, mdbOK);
        else
            FDataSheetEdit->setText(fileName);
        return;
    }
    const TKVDataSheetTarget target = DataSheetTarget(text, AppFolder());
    if (!OpenDataSheet(target))
        ShowMessageDlg(DataSheetRefusal(target, text), mdkWarning, mdbOK);
}

// ------------------------------------------------------------------------------ openers

TfrmElementTypeEdit* OpenCardElementType(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                                         quint32 AETClassDBId, quint32 AETClassId,
                                         quint32 AMakerDBId, quint32 AMakerId) {
    return OpenRecordCard<TfrmElementTypeEdit>(kIcon, ADBId, AId, ACreateCopyFlag, AETClassDBId,
                                               AETClassId, AMakerDBId, AMakerId);
}

void NewElementTypeOnClass() {
    if (!dmMain || !dmMain->DBConnected())
        return;
    TKVSelectedItemDBData selected;
    SelectClass(0, 0, 0, 0, selected);
    if (selected.Select)
        OpenCardElementType(0, 0, false, selected.DBId, selected.Id, 0, 0);
}
