#pragma once

// The tree frame of the element-class book: the classes (T_CLASS) as a tree, each node with the
// number of element types filed under it. Beyond the list pattern it opens the base parameters
// of a class and copies the base parameters of another class into the selected one. Enter and
// a double click offer the views of the selected class.

#include "core/KVClass.h"
#include "views/KVTreeFrame.h"

class QToolButton;

// How the tree frame reads the class list.
template <> struct TKVTreeListTraits<TKVClassList> {
    static TKVTreeRecord Record(const TKVClass& ARow) {
        return {ARow.PKey(), ARow.ParentPKey(), ARow.Name(), ARow.IconId(),
                ARow.ElementTypesCount()};
    }
    static const TKVClass* Find(TKVClassList& AList, const TKVDBKey& AKey) {
        return AList.GetItemByPKey(AKey.DBId, AKey.Id);
    }
    static void SetExclude(TKVClassList& AList, const TKVDBKey& AKey) {
        AList.SetExcludeItemPKey(AKey.DBId, AKey.Id);
    }
    static bool IsExclude(const TKVClassList& AList, const TKVDBKey& AKey) {
        return AList.IsExcludeByPKey(AKey.DBId, AKey.Id);
    }
    static void SetCount(TKVClassList& AList, const TKVDBKey& AKey, qint32 ACount) {
        AList.SetElementTypesCountByPKey(AKey.DBId, AKey.Id, ACount);
    }
};

class T_frmClass : public TKVBookTreeFrame<TKVClassList> {
    Q_OBJECT
public:
    explicit T_frmClass(QWidget* AParent = nullptr);

    TKVClassList* ClassList() const { return List(); }

    // --- Commands beyond the pattern
    // The element types of the selected class, and the supplier prices of its element types:
    // their windows, once the libraries that have them registered their openers.
    void OpenReferenceBook_ElementTypesByClass();
    void OpenReferenceBook_ElementSupplier();
    // Brings the base-parameter windows of the selected class to the front, or opens one.
    void OpenReferenceBook_BaseParams();
    // Copies every base parameter of a class picked by the user into the selected class, in
    // one transaction: all of them or none.
    void CopyBaseParamFromClass();

protected:
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void AddExtraCommands(QMenu* AMenu) override;
};
