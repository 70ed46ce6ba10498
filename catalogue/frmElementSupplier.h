#pragma once

// The window of supplier prices in the workspace: of one element type, one supplier or the
// element types of one class.

#include "catalogue/_frmElementSupplier.h"
#include "views/KVListHost.h"

class TfrmElementSupplier : public TKVBookHost<T_frmElementSupplier> {
    Q_OBJECT
public:
    explicit TfrmElementSupplier(QWidget* AParent = nullptr);
};

// Open a new price window; nullptr without a main window.
TfrmElementSupplier* OpenRBElementSupplierOnElementType(quint32 AElementTypeDBId,
                                                        quint32 AElementTypeId);
TfrmElementSupplier* OpenRBElementSupplierOnSupplier(quint32 ASupplierId);
TfrmElementSupplier* OpenRBElementSupplierOnClass(quint32 AESClassDBId, quint32 AESClassId);

// Bring every open price window of the type, supplier or class to the front, or open one.
void ShowPricesOfElementType(quint32 AElementTypeDBId, quint32 AElementTypeId);
void ShowPricesOfSupplier(quint32 ASupplierId);
void ShowPricesOfClass(quint32 AESClassDBId, quint32 AESClassId);
