#pragma once

// The element-type list's windows: the list window in the workspace (TfrmElementType), opened
// on a name mask, a class, a maker, a parametric search or a marking mask; and the modal picker
// of one type of a class (TfrmSelectElementType, run by SelectElementType).

#include "catalogue/_frmElementType.h"
#include "views/KVListHost.h"

class TfrmElementType : public TKVBookHost<T_frmElementType> {
    Q_OBJECT
public:
    explicit TfrmElementType(QWidget* AParent = nullptr);
};

class TfrmSelectElementType : public TKVBookSelectDialog<T_frmElementType> {
    Q_OBJECT
public:
    explicit TfrmSelectElementType(QWidget* AParent = nullptr);
};

// Open a new list window; the callers bring an open one of the same kind to the front first
// (ShowElementTypesOf... do). nullptr without a main window, or for a mask that the database
// cannot hold (the user is told).
TfrmElementType* OpenRBElementTypeOnName(const QString& AName);
TfrmElementType* OpenRBElementTypeOnClass(quint32 AETClassDBId, quint32 AETClassId,
                                          bool AWithBaseParams);
TfrmElementType* OpenRBElementTypeOnMaker(quint32 AMakerDBId, quint32 AMakerId);
TfrmElementType* OpenRBElementTypeOnParamSearch(const TKVParamSearchList& AParamSearchList);
TfrmElementType* OpenRBElementTypeOnMarking(const QString& AMarking);

// Brings every open list of the kind to the front, or opens one: the types of a name or marking
// mask (the same mask in any letter case), of a class (with or without its base-parameter
// columns; a new window has them), of a maker.
void ShowElementTypesOnName(const QString& AName);
void ShowElementTypesOnMarking(const QString& AMarking);
void ShowElementTypesOfClass(quint32 AETClassDBId, quint32 AETClassId);
void ShowElementTypesOfMaker(quint32 AMakerDBId, quint32 AMakerId);

// Runs the picker of the types of class (AETClassDBId, AETClassId) with (ASelectDBId,
// ASelectId) preselected when ASelectId is not 0; ASelected is the chosen type, Select false
// when cancelled.
void SelectElementType(quint32 ASelectDBId, quint32 ASelectId, quint32 AETClassDBId,
                       quint32 AETClassId, TKVSelectedItemDBData& ASelected);
