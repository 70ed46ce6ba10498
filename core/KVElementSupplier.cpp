#include "core/KVElementSupplier.h"

void TKVElementSupplier::UpdateData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                                    quint32 ASupplierId, const QVariant& APrice,
                                    const QString& AText, TDateTime ACreateDateTime,
                                    TDateTime AUpdateDateTime, quint32 AESClassDBId,
                                    quint32 AESClassId, const QString& AESClassName,
                                    const QString& AElementTypeName, const QString& ASupplierName,
                                    qint32 AElementTypeIconId) {
    UpdateData(APrice, AText, ACreateDateTime, AUpdateDateTime, AElementTypeIconId);
    UpdateElementTypeData(AElementTypeDBId, AElementTypeId, AElementTypeName);
    UpdateSupplierData(ASupplierId, ASupplierName);
    UpdateClassData(AESClassDBId, AESClassId, AESClassName);
}

void TKVElementSupplier::UpdateData(const QVariant& APrice, const QString& AText,
                                    TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                    qint32 AElementTypeIconId) {
    SetNullableNumber(APrice, FPrice, FUsagePrice);
    FText = KVDescription(AText);
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FElementTypeIconId = AElementTypeIconId;
}

void TKVElementSupplier::UpdateClassData(quint32 AESClassDBId, quint32 AESClassId,
                                         const QString& AESClassName) {
    FESClassDBId = AESClassDBId;
    FESClassId = AESClassId;
    FESClassName = KVName(AESClassName);
}

void TKVElementSupplier::UpdateElementTypeData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                                               const QString& AElementTypeName) {
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    FElementTypeName = KVName(AElementTypeName);
}

void TKVElementSupplier::UpdateSupplierData(quint32 ASupplierId, const QString& ASupplierName) {
    FSupplierId = ASupplierId;
    FSupplierName = KVName(ASupplierName);
}

std::unique_ptr<TKVElementSupplierList>
TKVElementSupplierList::CreateOnElementType(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    auto list = std::make_unique<TKVElementSupplierList>(essdmOnElementType);
    list->FElementTypeDBId = AElementTypeDBId;
    list->FElementTypeId = AElementTypeId;
    return list;
}

std::unique_ptr<TKVElementSupplierList>
TKVElementSupplierList::CreateOnSupplier(quint32 ASupplierId) {
    auto list = std::make_unique<TKVElementSupplierList>(essdmOnSupplier);
    list->FSupplierId = ASupplierId;
    return list;
}

std::unique_ptr<TKVElementSupplierList> TKVElementSupplierList::CreateOnClass(quint32 AETClassDBId,
                                                                              quint32 AETClassId) {
    auto list = std::make_unique<TKVElementSupplierList>(essdmOnClass);
    list->FESClassDBId = AETClassDBId;
    list->FESClassId = AETClassId;
    return list;
}

void TKVElementSupplierList::AddData(quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId,
                                     quint32 ASupplierId, const QVariant& APrice,
                                     const QString& AText, TDateTime ACreateDateTime,
                                     TDateTime AUpdateDateTime, quint32 AESClassDBId,
                                     quint32 AESClassId, const QString& AESClassName,
                                     const QString& AElementTypeName, const QString& ASupplierName,
                                     qint32 AElementTypeIconId) {
    AppendNew(AId, AElementTypeDBId, AElementTypeId)
        ->UpdateData(AElementTypeDBId, AElementTypeId, ASupplierId, APrice, AText, ACreateDateTime,
                     AUpdateDateTime, AESClassDBId, AESClassId, AESClassName, AElementTypeName,
                     ASupplierName, AElementTypeIconId);
}

bool TKVElementSupplierList::UpdateDataByPKey(
    quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 ASupplierId,
    const QVariant& APrice, const QString& AText, TDateTime ACreateDateTime,
    TDateTime AUpdateDateTime, quint32 AESClassDBId, quint32 AESClassId,
    const QString& AESClassName, const QString& AElementTypeName, const QString& ASupplierName,
    qint32 AElementTypeIconId) {
    return UpdateByPKey({AId}, [&](TKVElementSupplier& ARow) {
        ARow.UpdateData(AElementTypeDBId, AElementTypeId, ASupplierId, APrice, AText,
                        ACreateDateTime, AUpdateDateTime, AESClassDBId, AESClassId, AESClassName,
                        AElementTypeName, ASupplierName, AElementTypeIconId);
    });
}

void TKVElementSupplierList::SetElementTypeName(const QString& AElementTypeName) {
    FElementTypeName = KVName(AElementTypeName);
    ForEach([&](TKVElementSupplier& ARow) {
        ARow.UpdateElementTypeData(ARow.ElementTypeDBId(), ARow.ElementTypeId(), FElementTypeName);
    });
}

void TKVElementSupplierList::SetSupplierName(const QString& ASupplierName) {
    FSupplierName = KVName(ASupplierName);
    ForEach([&](TKVElementSupplier& ARow) {
        ARow.UpdateSupplierData(ARow.SupplierId(), FSupplierName);
    });
}

void TKVElementSupplierList::SetESClassName(const QString& AESClassName) {
    FESClassName = KVName(AESClassName);
    ForEach([&](TKVElementSupplier& ARow) {
        ARow.UpdateClassData(ARow.ESClassDBId(), ARow.ESClassId(), FESClassName);
    });
}
