#include "catalogue/frmElementSupplier.h"

#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

// Opens a price window in AMode; the caption is the name of what it was opened on.
TfrmElementSupplier* OpenHost(TKVElementSupplierListSelectDataMode AMode, quint32 AElementTypeDBId,
                              quint32 AElementTypeId, quint32 AClassDBId, quint32 AClassId,
                              quint32 ASupplierId) {
    return OpenListHost<TfrmElementSupplier>(
        kIcon,
        [&](T_frmElementSupplier& AFrame) {
            AFrame.Init(AMode, AElementTypeDBId, AElementTypeId, AClassDBId, AClassId,
                        ASupplierId);
        },
        [AMode](T_frmElementSupplier& AFrame) {
            const QString name = AMode == essdmOnSupplier ? AFrame.SupplierName()
                                 : AMode == essdmOnClass  ? AFrame.ESClassName()
                                                          : AFrame.ElementTypeName();
            return TfrmElementSupplier::tr("%1 - Поставщики и цены").arg(name);
        });
}

// Brings every open price window for which AMatches holds to the front; false when none.
bool BringToFront(const std::function<bool(const T_frmElementSupplier&)>& AMatches) {
    return frmMain && frmMain->BringToFrontMDIChildren<TfrmElementSupplier>(
                          [&](const TfrmElementSupplier& AHost) {
                              return AHost.BookFrame() && AMatches(*AHost.BookFrame());
                          });
}

} // namespace

TfrmElementSupplier::TfrmElementSupplier(QWidget* AParent)
    : TKVBookHost({QSize(392, 153), QSize(300, 180)}, AParent) {}

TfrmElementSupplier* OpenRBElementSupplierOnElementType(quint32 AElementTypeDBId,
                                                        quint32 AElementTypeId) {
    return OpenHost(essdmOnElementType, AElementTypeDBId, AElementTypeId, 0, 0, 0);
}

TfrmElementSupplier* OpenRBElementSupplierOnSupplier(quint32 ASupplierId) {
    return OpenHost(essdmOnSupplier, 0, 0, 0, 0, ASupplierId);
}

TfrmElementSupplier* OpenRBElementSupplierOnClass(quint32 AESClassDBId, quint32 AESClassId) {
    return OpenHost(essdmOnClass, 0, 0, AESClassDBId, AESClassId, 0);
}

void ShowPricesOfElementType(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    if (!BringToFront([&](const T_frmElementSupplier& AFrame) {
            return AFrame.ListSelectDataMode() == essdmOnElementType &&
                   AFrame.ElementTypeDBId() == AElementTypeDBId &&
                   AFrame.ElementTypeId() == AElementTypeId;
        }))
        OpenRBElementSupplierOnElementType(AElementTypeDBId, AElementTypeId);
}

void ShowPricesOfSupplier(quint32 ASupplierId) {
    if (!BringToFront([&](const T_frmElementSupplier& AFrame) {
            return AFrame.ListSelectDataMode() == essdmOnSupplier &&
                   AFrame.SupplierId() == ASupplierId;
        }))
        OpenRBElementSupplierOnSupplier(ASupplierId);
}

void ShowPricesOfClass(quint32 AESClassDBId, quint32 AESClassId) {
    if (!BringToFront([&](const T_frmElementSupplier& AFrame) {
            return AFrame.ListSelectDataMode() == essdmOnClass &&
                   AFrame.ESClassDBId() == AESClassDBId && AFrame.ESClassId() == AESClassId;
        }))
        OpenRBElementSupplierOnClass(AESClassDBId, AESClassId);
}
