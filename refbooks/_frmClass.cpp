#include "refbooks/_frmClass.h"

#include "core/KVBaseParam.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmBaseParam.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmClassEdit.h"
#include "shell/KVOpeners.h"
#include "shell/KVWidgets.h"
#include "shell/frmOpenDataMode.h"
#include "shell/uMessage.h"
#include "shell/ufrmMain.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {

// Columns of the load and of the one-row SELECTs.
const QString kFields = QStringLiteral(
    "TC.DBID, TC.ID, TC.PARENTDBID, TC.PARENTID, TC.S_NAME, TC.S_DESCRIPTION, TC.ICONID, "
    "TC.C_TIMESTAMP, TC.U_TIMESTAMP, TC.R_TIMESTAMP");

TKVListBook ClassBook() {
    TKVListBook book;
    book.Name = QStringLiteral("Class");
    book.KeyHasDBId = true;
    book.ItemType = itClass;
    book.CopyNameColumn = -1;
    book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_CLASS;");
    book.SelectSQL = QStringLiteral("SELECT ") + kFields +
                     QStringLiteral(" FROM T_CLASS TC ORDER BY TC.DBID, TC.ID;");
    book.SelectOneSQL =
        QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields +
        QStringLiteral(", (SELECT COUNT(TET.ID) FROM T_ELEMENT_TYPE TET WHERE TET.CLASSDBID = "
                       "TC.DBID AND TET.CLASSID = TC.ID) AS ELEMENTCOUNT FROM T_CLASS TC WHERE "
                       "DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.SelectOneSelectModeSQL =
        QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields +
        QStringLiteral(", 0 AS ELEMENTCOUNT FROM T_CLASS TC WHERE DBID = :VAR_DBID AND ID = "
                       ":VAR_ID;");
    book.DeleteSQL = QStringLiteral("DELETE FROM T_CLASS WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.DeleteProbes = {
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_CLASS WHERE "
                       "PARENTDBID = :VAR_DBID AND PARENTID = :VAR_ID);"),
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_ELEMENT_TYPE "
                       "WHERE CLASSDBID = :VAR_DBID AND CLASSID = :VAR_ID);"),
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_BASE_PARAM "
                       "WHERE CLASSDBID = :VAR_DBID AND CLASSID = :VAR_ID);")};
    book.ManageObjType = otClassList;
    book.SelectObjType = otClassSelect;
    book.DefaultWidth = 270;
    book.DefaultHeight = 300;
    book.HelpTopic = QStringLiteral("RBClass");
    return book;
}

TKVTreeBook ClassTreeBook() {
    TKVTreeBook book;
    book.NodeCountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_ELEMENT_TYPE WHERE CLASSDBID = "
                                       ":VAR_CLASSDBID AND CLASSID = :VAR_CLASSID;");
    book.NodeCountDBIdParam = QStringLiteral("VAR_CLASSDBID");
    book.NodeCountIdParam = QStringLiteral("VAR_CLASSID");
    book.ChildCountSQL = QStringLiteral(
        "SELECT TC.DBID AS NODEDBID, TC.ID AS NODEID, (SELECT COUNT(TET.ID) FROM T_ELEMENT_TYPE "
        "TET WHERE TET.CLASSDBID = TC.DBID AND TET.CLASSID = TC.ID) AS \"COUNT\" FROM T_CLASS TC "
        "WHERE TC.PARENTDBID = :VAR_PARENTDBID AND TC.PARENTID = :VAR_PARENTID;");
    book.Images = &TdmMain::ElementClassImgList;
    book.ToolButtonSize = QSize(65, 36);
    return book;
}

// The main window's progress bar, shown for the life of the object.
class TProgressScope {
public:
    TProgressScope() {
        if (frmMain)
            frmMain->ShowProgress();
    }
    ~TProgressScope() {
        if (frmMain)
            frmMain->HideProgress();
    }
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;

    void Init(int AMax) {
        if (frmMain)
            frmMain->InitProgress(0, AMax, 0, witCreating);
    }
    void Change(int APos) {
        if (frmMain)
            frmMain->ChangeProgress(APos);
    }
};

} // namespace

T_frmClass::T_frmClass(QWidget* AParent)
    : TKVBookTreeFrame<TKVClassList>(ClassBook(), ClassTreeBook(), AParent) {
    setObjectName(QStringLiteral("_frmClass1"));
    SetDataViews({{odmtClass, [this] { OpenItem(); }},
                  {odmtElementTypesOnClass, [this] { OpenReferenceBook_ElementTypesByClass(); },
                   [] { return TKVOpener<TOpenElementTypesOfClass>::Registered(); }},
                  {odmtBaseParamsOnClass, [this] { OpenReferenceBook_BaseParams(); }},
                  {odmtElementSupplierOnClass, [this] { OpenReferenceBook_ElementSupplier(); },
                   [] { return TKVOpener<TOpenPricesOfClass>::Registered(); }}});
}

void T_frmClass::OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    OpenCardClass(ADBId, AId, ACreateCopyFlag);
}

void T_frmClass::AddExtraCommands(QMenu* AMenu) {
    AddRecordCommand(
        AMenu, {"pmiElementTypes", tr("&Типы элементов"), 13, QKeySequence(Qt::CTRL | Qt::Key_E),
                [this] { OpenReferenceBook_ElementTypesByClass(); }, "ElementTypes_ToolButton",
                tr("Типы элем."), tr("Типы элементов"), false,
                [] { return TKVOpener<TOpenElementTypesOfClass>::Registered(); }});
    AddRecordCommand(AMenu, {"pmiBaseParams", tr("&Базовые параметры"), 14,
                             QKeySequence(Qt::CTRL | Qt::Key_B),
                             [this] { OpenReferenceBook_BaseParams(); }, "BaseParams_ToolButton",
                             tr("Баз. парам."), tr("Базовые параметры")});
    AddRecordCommand(AMenu,
                     {"pmiElementSuppliers", tr("Пра&йс"), 82,
                      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P),
                      [this] { OpenReferenceBook_ElementSupplier(); },
                      "ElementSuppliers_ToolButton", tr("Прайс"), tr("Типы элементов и цены"),
                      false, [] { return TKVOpener<TOpenPricesOfClass>::Registered(); }});

    AMenu->addSeparator()->setObjectName(QStringLiteral("pmidivAddFunct"));
    QMenu* addFunct = AddFunctionsMenu(AMenu);
    QAction* copyBP =
        addFunct->addAction(MainToolIcon(30), tr("&Скопировать базовые параметры из класса..."));
    copyBP->setObjectName(QStringLiteral("pmiAddFunct_CopyBPFromClass"));
    connect(copyBP, &QAction::triggered, this, &T_frmClass::CopyBaseParamFromClass);
    AddRecordAction(copyBP, true);
}

// --------------------------------------------------------------------------- the views

void T_frmClass::OpenReferenceBook_ElementTypesByClass() {
    const TKVSelectedItemDBData selected = SelectedItemDBData();
    if (selected.Select && Connected())
        TKVOpener<TOpenElementTypesOfClass>::Open(selected.DBId, selected.Id);
}

void T_frmClass::OpenReferenceBook_ElementSupplier() {
    const TKVSelectedItemDBData selected = SelectedItemDBData();
    if (selected.Select && Connected())
        TKVOpener<TOpenPricesOfClass>::Open(selected.DBId, selected.Id);
}

void T_frmClass::OpenReferenceBook_BaseParams() {
    const TKVSelectedItemDBData selected = SelectedItemDBData();
    if (!frmMain || !selected.Select || !Connected())
        return;
    const bool found =
        frmMain->BringToFrontMDIChildren<TfrmBaseParam>([&](const TfrmBaseParam& AWindow) {
            const T_frmBaseParam* frame = AWindow.BookFrame();
            return frame && frame->BPClassDBId() == selected.DBId &&
                   frame->BPClassId() == selected.Id;
        });
    if (!found)
        OpenRBBaseParam(selected.DBId, selected.Id);
}

// ------------------------------------------------------------ copy of base parameters

void T_frmClass::CopyBaseParamFromClass() {
    const TKVSelectedItemDBData target = SelectedItemDBData();
    if (!Connected() || !target.Select || !Writable())
        return;
    TKVSelectedItemDBData source;
    SelectClass(0, 0, 0, 0, source);
    if (!source.Select)
        return;
    if (source.DBId == target.DBId && source.Id == target.Id) {
        ShowMessageDlg(tr("Этот класс не может быть использован в качестве источника базовых "
                          "параметров"),
                       mdkError, mdbOK);
        return;
    }

    TIBQuery& query = Query();
    const auto bindClass = [&](const TKVSelectedItemDBData& AClass) {
        query.ParamByName("VAR_CLASSDBID").SetAsInt64(AClass.DBId);
        query.ParamByName("VAR_CLASSID").SetAsInt64(AClass.Id);
    };
    int count = 0;
    bool targetHasParams = false;
    if (!dmMain->ExecuteInTransaction([&] {
            query.Close();
            query.SetSQL(QStringLiteral("SELECT COUNT(ID) FROM T_BASE_PARAM WHERE CLASSDBID = "
                                        ":VAR_CLASSDBID AND CLASSID = :VAR_CLASSID;"));
            bindClass(source);
            query.Open();
            count = query.Eof() ? 0 : query.FieldByName("COUNT").AsInteger();
            query.Close();
            if (count < 1)
                return;
            query.SetSQL(QStringLiteral(
                "SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT * FROM T_BASE_PARAM WHERE "
                "CLASSDBID = :VAR_CLASSDBID AND CLASSID = :VAR_CLASSID);"));
            bindClass(target);
            query.Open();
            targetHasParams = !query.Eof();
            query.Close();
        }))
        return;
    if (count < 1) {
        ShowMessageDlg(tr("Класс не содержит базовых параметров"), mdkError, mdbOK);
        return;
    }
    // The question is asked with no transaction open.
    if (targetHasParams &&
        ShowMessageDlg(tr("Класс \"%1\" уже имеет базовые параметры. \r\nСкопировать "
                          "дополнительные из класса \"%2\"?")
                           .arg(target.Name, source.Name),
                       mdkConfirmation, mdbYes | mdbNo) != mrYes)
        return;

    TProgressScope progress;
    dmMain->ExecuteInTransaction([&] {
        TKVBaseParamList params(source.DBId, source.Id);
        progress.Init(count);
        query.Close();
        query.SetSQL(QStringLiteral(
            "SELECT UNITDBID, UNITID, S_NAME, S_DESCRIPTION, V_SELVALTYPE, UPID, V_FLAG FROM "
            "T_BASE_PARAM WHERE CLASSDBID = :VAR_CLASSDBID AND CLASSID = :VAR_CLASSID;"));
        bindClass(source);
        query.Open();
        int read = 0;
        while (!query.Eof()) {
            params.AddData(0, 0, static_cast<quint32>(query.FieldByName("UNITDBID").AsInt64()),
                           static_cast<quint32>(query.FieldByName("UNITID").AsInt64()),
                           query.FieldByName("S_NAME").AsString(),
                           query.FieldByName("S_DESCRIPTION").AsString(),
                           IndexToSelectValueType(query.FieldByName("V_SELVALTYPE").AsInteger()),
                           query.FieldByName("UPID").AsString(), 0, 0, 0, QString());
            progress.Change(++read);
            query.Next();
        }
        query.Close();
        if (params.Empty())
            return;
        progress.Init(count);
        query.SetSQL(QStringLiteral(
            "EXECUTE PROCEDURE INSERT_BASE_PARAM (:I_CLASSDBID, :I_CLASSID, :I_UNITDBID, "
            ":I_UNITID, :I_S_NAME, :I_S_DESCRIPTION, :I_V_SELVALTYPE, :I_UPID, :I_V_FLAG, "
            ":I_C_TIMESTAMP);"));
        int inserted = 0;
        for (params.First(); !params.Eof(); params.Next()) {
            const TKVBaseParam& param = *params.GetRecord();
            query.ParamByName("I_CLASSDBID").SetAsInt64(target.DBId);
            query.ParamByName("I_CLASSID").SetAsInt64(target.Id);
            if (param.UnitId() == 0) {
                query.ParamByName("I_UNITDBID").Clear();
                query.ParamByName("I_UNITID").Clear();
            } else {
                query.ParamByName("I_UNITDBID").SetAsInt64(param.UnitDBId());
                query.ParamByName("I_UNITID").SetAsInt64(param.UnitId());
            }
            query.ParamByName("I_S_NAME").SetAsString(param.Name());
            if (param.Description().isEmpty())
                query.ParamByName("I_S_DESCRIPTION").Clear();
            else
                query.ParamByName("I_S_DESCRIPTION").SetAsString(param.Description());
            query.ParamByName("I_V_SELVALTYPE").SetAsInteger(param.SelectValueTypeIndex());
            if (param.UPId().isEmpty())
                query.ParamByName("I_UPID").Clear();
            else
                query.ParamByName("I_UPID").SetAsString(param.UPId());
            query.ParamByName("I_V_FLAG").SetAsInteger(0);
            query.ParamByName("I_C_TIMESTAMP").SetAsDateTime(Now());
            query.ExecSQL();
            query.Close();
            progress.Change(++inserted);
        }
    });
}
