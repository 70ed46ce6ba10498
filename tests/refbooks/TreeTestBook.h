#pragma once

// Small tree books for the tests of the tree frame: element classes (T_CLASS, keys (DBID, ID),
// counted by their element types) and storage places (T_STORAGE, keys ID alone, counted by
// their stock records), each with a host window; and a class card that renames a class and
// moves it under another, reporting its save to the open class windows.

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/_frmClass.h"
#include "refbooks/_frmStorage.h"
#include "views/KVListHost.h"
#include "views/KVRecordCard.h"
#include "views/KVTreeFrame.h"

#include <QLineEdit>

class TTestClassFrame : public TKVBookTreeFrame<TKVClassList> {
public:
    explicit TTestClassFrame(QWidget* AParent = nullptr)
        : TKVBookTreeFrame<TKVClassList>(ListBook(), TreeBook(), AParent) {}

    TKVClassList* ClassList() const { return List(); }

private:
    static TKVListBook ListBook() {
        const QString fields = QStringLiteral(
            "TC.DBID, TC.ID, TC.PARENTDBID, TC.PARENTID, TC.S_NAME, TC.S_DESCRIPTION, "
            "TC.ICONID, TC.C_TIMESTAMP, TC.U_TIMESTAMP, TC.R_TIMESTAMP");
        TKVListBook book;
        book.Name = QStringLiteral("Class");
        book.ItemType = itClass;
        book.CopyNameColumn = -1;
        book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_CLASS;");
        book.SelectSQL = QStringLiteral("SELECT ") + fields +
                         QStringLiteral(" FROM T_CLASS TC ORDER BY TC.DBID, TC.ID;");
        book.SelectOneSQL =
            QStringLiteral("SELECT FIRST 1 SKIP 0 ") + fields +
            QStringLiteral(", (SELECT COUNT(TET.ID) FROM T_ELEMENT_TYPE TET WHERE TET.CLASSDBID = "
                           "TC.DBID AND TET.CLASSID = TC.ID) AS ELEMENTCOUNT FROM T_CLASS TC "
                           "WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
        book.SelectOneSelectModeSQL =
            QStringLiteral("SELECT FIRST 1 SKIP 0 ") + fields +
            QStringLiteral(", 0 AS ELEMENTCOUNT FROM T_CLASS TC WHERE DBID = :VAR_DBID AND ID = "
                           ":VAR_ID;");
        book.DeleteSQL =
            QStringLiteral("DELETE FROM T_CLASS WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
        book.ManageObjType = otClassList;
        book.SelectObjType = otClassSelect;
        book.DefaultWidth = 270;
        book.DefaultHeight = 300;
        book.HelpTopic = QStringLiteral("RBClass");
        return book;
    }
    static TKVTreeBook TreeBook() {
        TKVTreeBook book;
        book.NodeCountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_ELEMENT_TYPE WHERE CLASSDBID = "
                                           ":VAR_CLASSDBID AND CLASSID = :VAR_CLASSID;");
        book.NodeCountDBIdParam = QStringLiteral("VAR_CLASSDBID");
        book.NodeCountIdParam = QStringLiteral("VAR_CLASSID");
        book.Images = &TdmMain::ElementClassImgList;
        book.ToolButtonSize = QSize(65, 36);
        return book;
    }
};

class TTestStorageFrame : public TKVBookTreeFrame<TKVStorageList> {
public:
    explicit TTestStorageFrame(QWidget* AParent = nullptr)
        : TKVBookTreeFrame<TKVStorageList>(ListBook(), TreeBook(), AParent) {}

    TKVStorageList* StorageList() const { return List(); }

private:
    static TKVListBook ListBook() {
        const QString fields = QStringLiteral("TS.ID, TS.PARENTID, TS.S_NAME, TS.S_DESCRIPTION, "
                                              "TS.ICONID, TS.C_TIMESTAMP, TS.U_TIMESTAMP");
        TKVListBook book;
        book.Name = QStringLiteral("Storage");
        book.KeyHasDBId = false;
        book.ItemType = itStorage;
        book.CopyNameColumn = -1;
        book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_STORAGE;");
        book.SelectSQL = QStringLiteral("SELECT ") + fields +
                         QStringLiteral(" FROM T_STORAGE TS ORDER BY TS.ID;");
        book.SelectOneSQL =
            QStringLiteral("SELECT FIRST 1 SKIP 0 ") + fields +
            QStringLiteral(", (SELECT COUNT(TEA.ID) FROM T_ELEMENT_AVAIL TEA WHERE TEA.STORAGEID = "
                           "TS.ID) AS ELEMENTCOUNT FROM T_STORAGE TS WHERE TS.ID = :VAR_ID;");
        book.DeleteSQL = QStringLiteral("DELETE FROM T_STORAGE WHERE ID = :VAR_ID;");
        book.ManageObjType = otStorageList;
        book.SelectObjType = otStorageSelect;
        return book;
    }
    static TKVTreeBook TreeBook() {
        TKVTreeBook book;
        book.NodeCountSQL = QStringLiteral(
            "SELECT COUNT(ID) FROM T_ELEMENT_AVAIL WHERE STORAGEID = :VAR_STORAGEID;");
        book.NodeCountIdParam = QStringLiteral("VAR_STORAGEID");
        book.Images = &TdmMain::StorageImgList;
        book.CountPanelBorder = true;
        return book;
    }
};

// A host window of a test tree book, placed in the main window's workspace.
template <class TFrame> class TTestTreeHost : public TKVListHost {
public:
    TTestTreeHost() : TKVListHost({QSize(270, 300), QSize(160, 180)}) {
        FFrame = new TFrame(this);
        SetFrame(FFrame);
    }
    TFrame* TreeFrame() const { return FFrame; }

    // Opens a host in manage mode; the workspace owns it.
    static TTestTreeHost* Open() {
        auto* host = new TTestTreeHost;
        host->TreeFrame()->Init(true);
        host->ShowHost();
        return host;
    }

private:
    TFrame* FFrame = nullptr;
};

using TTestClassHost = TTestTreeHost<TTestClassFrame>;
using TTestStorageHost = TTestTreeHost<TTestStorageFrame>;

// A class card: the name in ClassName_TextEdit, the parent set by the test.
class TTestClassCard : public TKVBookCard<TKVClass> {
public:
    TTestClassCard() : TKVBookCard(CardBook()) {
        FNameEdit =
            AddTextEditor("ClassName_TextEdit", QStringLiteral("Наименование"), KVNameLength, true);
    }

    QLineEdit* NameEdit() const { return FNameEdit; }
    // A parent picked for the class (0, 0: none).
    void SetParentClass(quint32 ADBId, quint32 AId) {
        Row()->UpdateParentClassData(ADBId, AId, QString());
        SetModifedData(true);
    }

    static TTestClassCard* Open(quint32 ADBId, quint32 AId) {
        return OpenRecordCard<TTestClassCard>(2110, ADBId, AId, false);
    }

protected:
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override {
        SetLinkOrNull(AQuery.ParamByName(APrefix + QStringLiteral("PARENTDBID")),
                      AQuery.ParamByName(APrefix + QStringLiteral("PARENTID")), Row()->ParentDBId(),
                      Row()->ParentId());
        AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")).SetAsString(Row()->Name());
        if (APrefix == QLatin1String("I_")) {
            AQuery.ParamByName("I_S_DESCRIPTION").Clear();
            AQuery.ParamByName("I_ICONID").Clear();
            AQuery.ParamByName("I_V_FLAG").SetAsInteger(0);
        }
    }
    void FillEditors() override { FNameEdit->setText(Row()->Name()); }
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override {
        Row()->UpdateData(FNameEdit->text(), QString(), -1, ACreateDateTime, AUpdateDateTime, 0,
                          -1);
    }

private:
    static TKVCardBook CardBook() {
        TKVCardBook book;
        book.Name = QStringLiteral("Class");
        book.ItemType = itClass;
        book.NewRecordText = QStringLiteral("New Class");
        book.HelpTopic = QStringLiteral("CardClass");
        book.ClientSize = QSize(377, 158);
        book.SelectSQL = QStringLiteral("SELECT PARENTDBID, PARENTID, S_NAME, C_TIMESTAMP FROM "
                                        "T_CLASS WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
        book.UpdateSQL = QStringLiteral(
            "UPDATE T_CLASS SET PARENTDBID = :VAR_PARENTDBID, PARENTID = :VAR_PARENTID, S_NAME = "
            ":VAR_S_NAME, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = :VAR_DBID AND ID = "
            ":VAR_ID;");
        book.InsertSQL =
            QStringLiteral("EXECUTE PROCEDURE INSERT_CLASS (:I_PARENTDBID, :I_PARENTID, :I_S_NAME, "
                           ":I_S_DESCRIPTION, :I_ICONID, :I_V_FLAG, :I_C_TIMESTAMP);");
        return book;
    }

    QLineEdit* FNameEdit = nullptr;
};
