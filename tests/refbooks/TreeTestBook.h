#pragma once

// Small tree books for the tests of the tree frame: element classes (T_CLASS, keys (DBID, ID),
// counted by their element types) and storage places (T_STORAGE, keys ID alone, counted by
// their stock records), each with a host window; and a class card that renames a class and
// moves it under another, reporting its save to the open class windows.

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/KVListHost.h"
#include "refbooks/KVRecordCard.h"
#include "refbooks/KVTreeFrame.h"

#include <QLineEdit>

#include <memory>

class TTestClassFrame : public TKVBookTreeFrame<TKVClassList> {
public:
    explicit TTestClassFrame(QWidget* AParent = nullptr)
        : TKVBookTreeFrame<TKVClassList>(ListBook(), TreeBook(), AParent) {}

    TKVClassList* ClassList() const { return List(); }

protected:
    TKVDBKey StoreRecord(TIBQuery& AQuery, bool AAppend) override {
        const TKVDBKey key{static_cast<quint32>(AQuery.FieldByName("DBID").AsInt64()),
                           static_cast<quint32>(AQuery.FieldByName("ID").AsInt64())};
        const quint32 parentDBId = static_cast<quint32>(AQuery.FieldByName("PARENTDBID").AsInt64());
        const quint32 parentId = static_cast<quint32>(AQuery.FieldByName("PARENTID").AsInt64());
        const TIBField& icon = AQuery.FieldByName("ICONID");
        const qint32 iconId = icon.IsNull() ? -1 : icon.AsInteger();
        // Loaded rows are not counted yet; a re-read brings its count along.
        const qint32 count = AAppend ? -1 : AQuery.FieldByName("ELEMENTCOUNT").AsInteger();
        const QString name = AQuery.FieldByName("S_NAME").AsString();
        const QString description = AQuery.FieldByName("S_DESCRIPTION").AsString();
        const TDateTime created = AQuery.FieldByName("C_TIMESTAMP").AsDateTime();
        const TDateTime updated = AQuery.FieldByName("U_TIMESTAMP").AsDateTime();
        const TDateTime replicated = AQuery.FieldByName("R_TIMESTAMP").AsDateTime();
        if (AAppend ||
            !List()->UpdateDataByPKey(key.DBId, key.Id, parentDBId, parentId, name, description,
                                      iconId, created, updated, replicated, QString(), count))
            List()->AddData(key.DBId, key.Id, parentDBId, parentId, name, description, iconId,
                            created, updated, replicated, QString(), count);
        return key;
    }

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
        book.StoreColumnWidths = false;
        book.DefaultWidth = 270;
        book.DefaultHeight = 300;
        book.HelpTopic = QStringLiteral("RBClass");
        book.ExportDataToFile = false;
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

protected:
    TKVDBKey StoreRecord(TIBQuery& AQuery, bool AAppend) override {
        const quint32 id = static_cast<quint32>(AQuery.FieldByName("ID").AsInt64());
        const quint32 parentId = static_cast<quint32>(AQuery.FieldByName("PARENTID").AsInt64());
        const TIBField& icon = AQuery.FieldByName("ICONID");
        const qint32 iconId = icon.IsNull() ? -1 : icon.AsInteger();
        const qint32 count = AAppend ? -1 : AQuery.FieldByName("ELEMENTCOUNT").AsInteger();
        const QString name = AQuery.FieldByName("S_NAME").AsString();
        const QString description = AQuery.FieldByName("S_DESCRIPTION").AsString();
        const TDateTime created = AQuery.FieldByName("C_TIMESTAMP").AsDateTime();
        const TDateTime updated = AQuery.FieldByName("U_TIMESTAMP").AsDateTime();
        if (AAppend || !List()->UpdateDataByPKey(id, parentId, name, description, QString(), iconId,
                                                 created, updated, QString(), count))
            List()->AddData(id, parentId, name, description, QString(), iconId, created, updated,
                            QString(), count);
        return {0, id};
    }

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
        book.StoreColumnWidths = false;
        book.ExportDataToFile = false;
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
class TTestClassCard : public TKVRecordCard {
public:
    TTestClassCard() : TKVRecordCard(CardBook()) {
        FNameEdit =
            AddTextEditor("ClassName_TextEdit", QStringLiteral("Наименование"), KVNameLength);
    }

    quint32 DBId() const override { return FClass ? FClass->DBId() : 0; }
    quint32 Id() const override { return FClass ? FClass->Id() : 0; }
    QLineEdit* NameEdit() const { return FNameEdit; }
    // A parent picked for the class (0, 0: none).
    void SetParentClass(quint32 ADBId, quint32 AId) {
        FClass->UpdateParentClassData(ADBId, AId, QString());
        SetModifedData(true);
    }

    static TTestClassCard* Open(quint32 ADBId, quint32 AId) {
        return OpenRecordCard<TTestClassCard>(2110, ADBId, AId, false);
    }

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override {
        FClass = std::make_unique<TKVClass>(ADBId, AId);
    }
    bool ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) override {
        AQuery.SetSQL(QStringLiteral("SELECT PARENTDBID, PARENTID, S_NAME, C_TIMESTAMP FROM "
                                     "T_CLASS WHERE DBID = :VAR_DBID AND ID = :VAR_ID;"));
        AQuery.ParamByName("VAR_DBID").SetAsInt64(ADBId);
        AQuery.ParamByName("VAR_ID").SetAsInt64(AId);
        AQuery.Open();
        if (AQuery.Eof())
            return false;
        FClass->UpdateData(static_cast<quint32>(AQuery.FieldByName("PARENTDBID").AsInt64()),
                           static_cast<quint32>(AQuery.FieldByName("PARENTID").AsInt64()),
                           AQuery.FieldByName("S_NAME").AsString(), QString(), -1,
                           AQuery.FieldByName("C_TIMESTAMP").AsDateTime(), 0, 0, QString(), -1);
        return true;
    }
    int ExecUpdate(TIBQuery& AQuery) override {
        AQuery.SetSQL(QStringLiteral(
            "UPDATE T_CLASS SET PARENTDBID = :VAR_PARENTDBID, PARENTID = :VAR_PARENTID, S_NAME = "
            ":VAR_S_NAME, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = :VAR_DBID AND ID = "
            ":VAR_ID;"));
        BindParent(AQuery, QStringLiteral("VAR_"));
        AQuery.ParamByName("VAR_S_NAME").SetAsString(FClass->Name());
        AQuery.ParamByName("VAR_U_TIMESTAMP").SetAsDateTime(FClass->UpdateDateTime());
        AQuery.ParamByName("VAR_DBID").SetAsInt64(FClass->DBId());
        AQuery.ParamByName("VAR_ID").SetAsInt64(FClass->Id());
        AQuery.ExecSQL();
        return AQuery.RowsAffected();
    }
    void ExecInsert(TIBQuery& AQuery) override {
        AQuery.SetSQL(
            QStringLiteral("EXECUTE PROCEDURE INSERT_CLASS (:I_PARENTDBID, :I_PARENTID, :I_S_NAME, "
                           ":I_S_DESCRIPTION, :I_ICONID, :I_V_FLAG, :I_C_TIMESTAMP);"));
        BindParent(AQuery, QStringLiteral("I_"));
        AQuery.ParamByName("I_S_NAME").SetAsString(FClass->Name());
        AQuery.ParamByName("I_S_DESCRIPTION").Clear();
        AQuery.ParamByName("I_ICONID").Clear();
        AQuery.ParamByName("I_V_FLAG").SetAsInteger(0);
        AQuery.ParamByName("I_C_TIMESTAMP").SetAsDateTime(FClass->CreateDateTime());
        AQuery.ExecSQL();
    }
    void SetRecordKey(quint32 ADBId, quint32 AId) override { FClass->SetPKey(ADBId, AId); }
    void FillEditors() override { FNameEdit->setText(FClass->Name()); }
    bool CheckEditors() override { return CheckRequired(FNameEdit); }
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override {
        FClass->UpdateData(FNameEdit->text(), QString(), -1, ACreateDateTime, AUpdateDateTime, 0,
                           -1);
    }
    TDateTime RecordCreateDateTime() const override { return FClass->CreateDateTime(); }
    QString RecordCardName() const override { return FClass->Name(); }
    QLineEdit* NewRecordEditor() const override { return FNameEdit; }
    void OpenCopy() override {}
    bool RefreshesList(const TKVListHost& AHost) const override {
        return dynamic_cast<const TTestClassHost*>(&AHost) != nullptr;
    }

private:
    static TKVCardBook CardBook() {
        TKVCardBook book;
        book.Name = QStringLiteral("Class");
        book.ItemType = itClass;
        book.NewRecordText = QStringLiteral("New Class");
        book.HelpTopic = QStringLiteral("CardClass");
        book.ClientSize = QSize(377, 158);
        return book;
    }
    void BindParent(TIBQuery& AQuery, const QString& APrefix) const {
        TIBParam& parentDBId = AQuery.ParamByName(APrefix + QStringLiteral("PARENTDBID"));
        TIBParam& parentId = AQuery.ParamByName(APrefix + QStringLiteral("PARENTID"));
        if (FClass->ParentId() == 0) {
            parentDBId.Clear();
            parentId.Clear();
        } else {
            parentDBId.SetAsInt64(FClass->ParentDBId());
            parentId.SetAsInt64(FClass->ParentId());
        }
    }

    std::unique_ptr<TKVClass> FClass;
    QLineEdit* FNameEdit = nullptr;
};
