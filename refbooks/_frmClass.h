#pragma once

// The tree frame of the element-class book: the classes (T_CLASS) as a tree, each node with the
// number of element types filed under it. Beyond the list pattern it opens the base parameters
// of a class, copies the base parameters of another class into the selected one, and on
// deleting a class closes the cards and windows bound to it. Enter and a double click offer
// the views of the selected class.

#include "core/KVClass.h"
#include "refbooks/KVTreeFrame.h"

class QToolButton;

class T_frmClass : public TKVBookTreeFrame<TKVClassList> {
    Q_OBJECT
public:
    explicit T_frmClass(QWidget* AParent = nullptr);

    TKVClassList* ClassList() const { return List(); }

    // --- Commands beyond the pattern
    // Offers the views of the selected class and opens the chosen one.
    void OpenDataModeItem();
    // Brings the base-parameter windows of the selected class to the front, or opens one.
    void OpenReferenceBook_BaseParams();
    // Copies every base parameter of a class picked by the user into the selected class, in
    // one transaction: all of them or none.
    void CopyBaseParamFromClass();

    void ListViewEnterKey() override;

protected:
    TKVDBKey StoreRecord(TIBQuery& AQuery, bool AAppend) override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void AddExtraCommands(QMenu* AMenu) override;
    void CloseBoundWindows(const TKVDBKey& AKey) override;

private:
    QToolButton* AddToolButton(const char* AName, const QString& ACaption, const QString& AHint,
                               int AImage);
};
