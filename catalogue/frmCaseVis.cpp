#include "catalogue/frmCaseVis.h"

#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "resources/KVResources.h"
#include "shell/KVFileDialog.h"
#include "shell/uHelpContext.h"
#include "shell/uMessage.h"
#include "shell/ufrmMain.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QImageWriter>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

constexpr quint32 kIcon = 2131;
constexpr int kLeastSide = 200;
constexpr int kLargestClientSide = 800;

// The paint box: the picture is drawn again on every paint.
class TCasePaintBox : public QWidget {
public:
    explicit TCasePaintBox(TfrmCaseVis* AOwner) : QWidget(AOwner), FOwner(AOwner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        FOwner->DrawPicture();
        QPainter painter(this);
        painter.drawImage(0, 0, FOwner->Bmp());
    }

private:
    TfrmCaseVis* FOwner;
};

} // namespace

TfrmCaseVis::TfrmCaseVis(QWidget* AParent) : TKVMDIChild(AParent) {
    setObjectName(QStringLiteral("frmCaseVis"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FScrollBox = new QScrollArea(this);
    FScrollBox->setObjectName(QStringLiteral("CaseVis_ScrollBox"));
    FScrollBox->setFrameShape(QFrame::NoFrame);
    FScrollBox->setBackgroundRole(QPalette::Base);
    FScrollBox->setWidgetResizable(false);
    FPaintBox = new TCasePaintBox(this);
    FPaintBox->setObjectName(QStringLiteral("Display_PaintBox"));
    FScrollBox->setWidget(FPaintBox);
    layout->addWidget(FScrollBox);

    FPopupMenu = new QMenu(this);
    FPopupMenu->setObjectName(QStringLiteral("CaseVis_PopupMenu"));
    FpmiSaveImage = FPopupMenu->addAction(tr("&Сохранить изображение..."));
    FpmiSaveImage->setObjectName(QStringLiteral("pmiSaveImage"));
    FpmiSaveImage->setEnabled(false);
    connect(FpmiSaveImage, &QAction::triggered, this, [this] { SaveImageToFile(); });
    QAction* help = FPopupMenu->addAction(tr("Помощь по карточке"));
    help->setObjectName(QStringLiteral("pmiHelpContext"));
    connect(help, &QAction::triggered, this, [] { ShowHelpTopic(QStringLiteral("CaseVisual")); });
}

bool TfrmCaseVis::Init(quint32 ACaseDBId, quint32 ACaseId, quint32 AElementTypeDBId,
                       quint32 AElementTypeId, TKVCaseVisualMode ACaseVisualMode) {
    FCaseDBId = ACaseDBId;
    FCaseId = ACaseId;
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    FCaseVisualMode = ACaseVisualMode;
    if (!LoadData()) {
        const bool onCase = FCaseVisualMode == cvmCase;
        ShowObjectNotFound(onCase ? FCaseDBId : FElementTypeDBId,
                           onCase ? FCaseId : FElementTypeId);
        return false;
    }
    FCaseVis.ExecPinNameLengthTyped();
    const QPoint size = FCaseVis.GetDisplaySize(true);
    FPaintBox->setFixedSize(size.x(), size.y());
    resize(std::min(size.x(), kLargestClientSide), std::min(size.y(), kLargestClientSide));
    setMinimumSize(kLeastSide, kLeastSide);
    return true;
}

void TfrmCaseVis::ReadCase(TIBQuery& AQuery, const QString& ACaseName,
                           const QString& AElementTypeName) {
    FCaseVis.SetNamesInfo(ACaseName, AElementTypeName);
    const TIBField& type = AQuery.FieldByName("V_CV_PTTTYPE");
    const TIBField& params = AQuery.FieldByName("V_CV_PTTPRM");
    FCaseVis.SetVisualParam(
        TCaseVis::IndexToPttVisualType(type.IsNull() ? 0 : static_cast<int>(type.AsInt64())),
        params.IsNull() ? 0u : static_cast<quint32>(params.AsInt64()));
}

bool TfrmCaseVis::LoadData() {
    if (!dmMain || !dmMain->DBConnected() || (FCaseId == 0 && FElementTypeId == 0))
        return false;
    bool found = false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    dmMain->ExecuteInTransaction([&] {
        FCaseVis.ClearPins();
        if (FCaseVisualMode == cvmCase) {
            query.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 S_TYPENAME, V_CV_PTTTYPE, "
                                        "V_CV_PTTPRM FROM T_CASE WHERE DBID = :VAR_DBID AND ID = "
                                        ":VAR_ID;"));
            query.ParamByName(QStringLiteral("VAR_DBID")).SetAsInt64(FCaseDBId);
            query.ParamByName(QStringLiteral("VAR_ID")).SetAsInt64(FCaseId);
            query.Open();
            if (!query.Eof()) {
                ReadCase(query, query.FieldByName("S_TYPENAME").AsString(), QString());
                found = true;
            }
            query.Close();
            return;
        }
        query.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 TET.S_TYPENAME, TC.S_TYPENAME AS CASETYPENAME, "
            "TC.V_CV_PTTTYPE, TC.V_CV_PTTPRM FROM T_ELEMENT_TYPE TET LEFT JOIN T_CASE TC ON "
            "TET.CASEDBID = TC.DBID AND TET.CASEID = TC.ID WHERE TET.DBID = :VAR_DBID AND "
            "TET.ID = :VAR_ID;"));
        query.ParamByName(QStringLiteral("VAR_DBID")).SetAsInt64(FElementTypeDBId);
        query.ParamByName(QStringLiteral("VAR_ID")).SetAsInt64(FElementTypeId);
        query.Open();
        if (!query.Eof()) {
            ReadCase(query, query.FieldByName("CASETYPENAME").AsString(),
                     query.FieldByName("S_TYPENAME").AsString());
            found = true;
        }
        query.Close();
        query.SetSQL(QStringLiteral("SELECT V_NUM, S_NAME, S_DESCRIPTION, V_ASSIGN FROM T_PIN "
                                    "WHERE ELEMENTTYPEDBID = :VAR_DBID AND ELEMENTTYPEID = "
                                    ":VAR_ID;"));
        query.ParamByName(QStringLiteral("VAR_DBID")).SetAsInt64(FElementTypeDBId);
        query.ParamByName(QStringLiteral("VAR_ID")).SetAsInt64(FElementTypeId);
        query.Open();
        while (!query.Eof()) {
            const TIBField& assign = query.FieldByName("V_ASSIGN");
            FCaseVis.AddPin(
                static_cast<quint16>(query.FieldByName("V_NUM").AsInt64()),
                query.FieldByName("S_NAME").AsString(),
                KVCutText(query.FieldByName("S_DESCRIPTION").AsString(), KVDescriptionLength),
                TCaseVis::IndexToPinType(assign.IsNull() ? 0 : static_cast<int>(assign.AsInt64())));
            query.Next();
        }
        query.Close();
    });
    FCardName = FCaseVis.ElementTypeName().isEmpty()
                    ? FCaseVis.CaseName()
                    : FCaseVis.ElementTypeName() + QStringLiteral(" (") + FCaseVis.CaseName() +
                          QStringLiteral(")");
    setWindowTitle(FCardName);
    return found;
}

void TfrmCaseVis::DrawPicture() {
    FDrawCaseResult = FCaseVis.DrawCase(FBmp);
    FpmiSaveImage->setEnabled(FDrawCaseResult);
}

bool TfrmCaseVis::SaveImageToFile() {
    QString fileName;
    if (!FDrawCaseResult || !KVSaveFileDialog(this, tr("Сохранить изображение"),
                                              tr("JPEG (*.jpeg *.jpg)"), QString(), fileName))
        return false;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".jpg");
    QImageWriter writer(fileName, "jpg");
    writer.setQuality(90);
    if (!writer.write(FBmp)) {
        ShowMessageDlg(tr("Не удалось записать файл %1: %2").arg(fileName, writer.errorString()),
                       mdkError, mdbOK);
        return false;
    }
    return true;
}

bool TfrmCaseVis::BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    if (FCaseVisualMode == cvmCase)
        return AItemType == itCase && ADBId == FCaseDBId && AId == FCaseId;
    return AItemType == itElementType && ADBId == FElementTypeDBId && AId == FElementTypeId;
}

void TfrmCaseVis::contextMenuEvent(QContextMenuEvent* AEvent) {
    FPopupMenu->popup(AEvent->globalPos());
}

namespace {

TfrmCaseVis* OpenCaseVisual(quint32 ACaseDBId, quint32 ACaseId, quint32 AElementTypeDBId,
                            quint32 AElementTypeId, TKVCaseVisualMode AMode) {
    if (!frmMain)
        return nullptr;
    auto window = std::make_unique<TfrmCaseVis>();
    window->setWindowIcon(ResourceIcon(kIcon));
    if (!window->Init(ACaseDBId, ACaseId, AElementTypeDBId, AElementTypeId, AMode))
        return nullptr;
    const QSize client = window->size();
    TfrmCaseVis* placed = window.release(); // the workspace owns it from here
    placed->ShowMDIChild();
    if (QMdiSubWindow* sub = placed->SubWindow()) {
        const QMargins frame = sub->contentsMargins();
        const QSize border(frame.left() + frame.right(), frame.top() + frame.bottom());
        sub->setMinimumSize(QSize(kLeastSide, kLeastSide) + border);
        sub->resize(client + border);
    }
    return placed;
}

// Brings the matching drawing windows to the front; false when none is open.
bool BringToFront(const std::function<bool(const TfrmCaseVis&)>& AMatches) {
    return frmMain && frmMain->BringToFrontMDIChildren<TfrmCaseVis>(AMatches);
}

} // namespace

TfrmCaseVis* OpenCaseVisualOnCase(quint32 ACaseDBId, quint32 ACaseId) {
    return OpenCaseVisual(ACaseDBId, ACaseId, 0, 0, cvmCase);
}

TfrmCaseVis* OpenCaseVisualOnElementType(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    return OpenCaseVisual(0, 0, AElementTypeDBId, AElementTypeId, cvmElementType);
}

void ShowCaseVisualOfCase(quint32 ACaseDBId, quint32 ACaseId) {
    if (!BringToFront([&](const TfrmCaseVis& AWindow) {
            return AWindow.CaseVisualMode() == cvmCase && AWindow.CaseDBId() == ACaseDBId &&
                   AWindow.CaseId() == ACaseId;
        }))
        OpenCaseVisualOnCase(ACaseDBId, ACaseId);
}

void ShowCaseVisualOfElementType(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    if (!BringToFront([&](const TfrmCaseVis& AWindow) {
            return AWindow.CaseVisualMode() == cvmElementType &&
                   AWindow.ElementTypeDBId() == AElementTypeDBId &&
                   AWindow.ElementTypeId() == AElementTypeId;
        }))
        OpenCaseVisualOnElementType(AElementTypeDBId, AElementTypeId);
}
