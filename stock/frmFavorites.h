#pragma once

// The modal list of the user's favourites (T_FAVORITES): element types, stock records and
// projects. "Показать" (or Enter, or a double click on a row) closes the list and opens the
// windows of the chosen favourite: an element type's summary and, when it can be drawn, its
// case drawing; a stock record's card; a project's card and, when it has items, its item list.
// "Удалить" removes a favourite from the list and the table. A favourite whose object no
// longer exists is not listed; its row stays in the table.

#include "core/KVFavorites.h"

#include "shell/KVDialog.h"

#include <memory>
#include <unordered_map>

class QPushButton;
class QTreeView;
class TIBQuery;
class TKVListModel;

class TfrmFavorites : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmFavorites(QWidget* AParent = nullptr);
    ~TfrmFavorites() override;

    // Reads the favourites of the three kinds anew (element types, stock records, projects).
    void LoadData();
    // Opens the windows of the selected favourite; nothing without a selection.
    void OpenData();
    // Asks, then deletes the selected favourite (only while the data may be changed).
    void DeleteItem();
    // Deletes the favourite's row from the table; false (after the error report) when the
    // database refused.
    bool DeleteFromDBFavoriteItemById(quint32 AId);
    // The "Тип" text of a favourite.
    static QString FavoritesToStr(const TKVFavorites& AFavorites);

    // The current sort: 0 none, +k ascending and -k descending by column k (1 based).
    int SortedType() const { return FSortedType; }
    // A click on column AColumn (0 based).
    void ListViewColumnClick(int AColumn);

    // The favourite of the selected row; nullptr when none is selected.
    const TKVFavorites* SelectedFavorite() const;
    // Selects the row of favourite AId.
    void SelectFavorite(quint32 AId);

    // --- Components
    QTreeView* Favorites_ListView() const { return FListView; }
    TKVListModel* Model() const { return FModel; }
    QPushButton* Delete_Button() const { return FDeleteButton; }
    QPushButton* Open_Button() const { return FOpenButton; }

    // OK (mrOk) runs OpenData before the dialog closes.
    void done(int AResult) override;

protected:
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;

private:
    void ListViewSelectItem();
    static bool Writable();

    QTreeView* FListView = nullptr;
    TKVListModel* FModel = nullptr;
    QPushButton* FDeleteButton = nullptr;
    QPushButton* FOpenButton = nullptr;
    std::unique_ptr<TIBQuery> FQuery; // Favorites_IBQuery
    // The favourite of each listed row, by T_FAVORITES.ID.
    std::unordered_map<quint32, TKVFavorites> FFavorites;
    int FSortedType = 0;
};

// Runs the favourites modally; returns the modal result.
int ShowFavoritesDlg();
