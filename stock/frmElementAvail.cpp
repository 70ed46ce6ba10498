#include "stock/frmElementAvail.h"

#include "shell/ufrmMain.h"
#include "stock/KVStockDialogs.h"

namespace {

constexpr quint32 kIcon = 2014;

QString StockCaption() {
    return TfrmElementAvail::tr("Наличие элементов");
}

// Opens a list window in AMode with the criteria given.
TfrmElementAvail* OpenHost(TKVElementAvailListSelectDataMode AMode, quint32 AElementTypeDBId,
                           quint32 AElementTypeId, quint32 AStorageId, const QString& AName,
                           const QString& AMarking, TKVElementAvailNominalSearchType AType,
                           double AValue1, double AValue2, quint32 AUnitDBId, quint32 AUnitId,
                           TDateTime ABegin, TDateTime AEnd,
                           const std::function<QString(T_frmElementAvail&)>& ACaption) {
    return OpenListHost<TfrmElementAvail>(
        kIcon,
        [&](T_frmElementAvail& AFrame) {
            AFrame.Init(true, AMode, AElementTypeDBId, AElementTypeId, AStorageId, AName, AMarking,
                        AType, AValue1, AValue2, AUnitDBId, AUnitId, ABegin, AEnd);
        },
        ACaption);
}

// Brings every open list for which AMatches holds to the front; false when there is none.
bool BringToFront(const std::function<bool(const T_frmElementAvail&)>& AMatches) {
    return frmMain &&
           frmMain->BringToFrontMDIChildren<TfrmElementAvail>([&](const TfrmElementAvail& AHost) {
               return AHost.BookFrame() && AMatches(*AHost.BookFrame());
           });
}

} // namespace

TfrmElementAvail::TfrmElementAvail(QWidget* AParent)
    : TKVBookHost({QSize(492, 153), QSize(300, 180)}, AParent) {}

TfrmSelectElementAvail::TfrmSelectElementAvail(QWidget* AParent)
    : TKVBookSelectDialog({QSize(500, 180), QSize(300, 180)}, tr("Выбор элемента в наличии"),
                          AParent) {}

TfrmElementAvail* OpenRBElementAvail() {
    return OpenHost(easdmAll, 0, 0, 0, QString(), QString(), eanstEqual, 0, 0, 0, 0, 0, 0,
                    [](T_frmElementAvail&) { return StockCaption(); });
}

TfrmElementAvail* OpenRBElementAvailOnName(const QString& AName) {
    return OpenHost(
        easdmOnElementTypeName, 0, 0, 0, AName, QString(), eanstEqual, 0, 0, 0, 0, 0, 0,
        [](T_frmElementAvail& AFrame) {
            return QStringLiteral("\" %1 \" - %2").arg(AFrame.ElementTypeNameStr(), StockCaption());
        });
}

TfrmElementAvail* OpenRBElementAvailOnStorage(quint32 AStorageId) {
    return OpenHost(easdmOnStorage, 0, 0, AStorageId, QString(), QString(), eanstEqual, 0, 0, 0, 0,
                    0, 0, [](T_frmElementAvail& AFrame) {
                        return TfrmElementAvail::tr("%1 (Место хранения) - %2")
                            .arg(AFrame.StorageName(), StockCaption());
                    });
}

TfrmElementAvail* OpenRBElementAvailOnElementType(quint32 AElementTypeDBId,
                                                  quint32 AElementTypeId) {
    return OpenHost(easdmOnElementType, AElementTypeDBId, AElementTypeId, 0, QString(), QString(),
                    eanstEqual, 0, 0, 0, 0, 0, 0, [](T_frmElementAvail& AFrame) {
                        return TfrmElementAvail::tr("%1 (Тип элемента) - %2")
                            .arg(AFrame.ElementTypeName(), StockCaption());
                    });
}

TfrmElementAvail* OpenRBElementAvailOnNominal(TKVElementAvailNominalSearchType ANominalSearchType,
                                              double ANominalSearchValue1,
                                              double ANominalSearchValue2,
                                              quint32 ANominalSearchUnitDBId,
                                              quint32 ANominalSearchUnitId) {
    return OpenHost(easdmOnNominal, 0, 0, 0, QString(), QString(), ANominalSearchType,
                    ANominalSearchValue1, ANominalSearchValue2, ANominalSearchUnitDBId,
                    ANominalSearchUnitId, 0, 0, [](T_frmElementAvail& AFrame) {
                        return TfrmElementAvail::tr("%1 (Номинал) - %2")
                            .arg(AFrame.GetSubTitleForSearchNominal(), StockCaption());
                    });
}

TfrmElementAvail* OpenRBElementAvailOnRevDate(TDateTime ARevDateBegin, TDateTime ARevDateEnd,
                                              quint32 AStorageId) {
    return OpenHost(easdmOnRevDate, 0, 0, AStorageId, QString(), QString(), eanstEqual, 0, 0, 0, 0,
                    ARevDateBegin, ARevDateEnd, [](T_frmElementAvail& AFrame) {
                        return TfrmElementAvail::tr("%1 (Дата ревизии) - %2")
                            .arg(AFrame.GetSubTitleForSearchRevDate(), StockCaption());
                    });
}

TfrmElementAvail* OpenRBElementAvailOnMarking(const QString& AMarking) {
    return OpenHost(easdmOnMarking, 0, 0, 0, QString(), AMarking, eanstEqual, 0, 0, 0, 0, 0, 0,
                    [](T_frmElementAvail& AFrame) {
                        return TfrmElementAvail::tr("\" %1 \" (Маркировка) - %2")
                            .arg(AFrame.ElementTypeMarkingStr(), StockCaption());
                    });
}

void ShowElementAvail() {
    if (!BringToFront([](const T_frmElementAvail& AFrame) {
            return AFrame.ListSelectDataMode() == easdmAll;
        }))
        OpenRBElementAvail();
}

void ShowElementAvailOnStorage(quint32 AStorageId) {
    if (!BringToFront([&](const T_frmElementAvail& AFrame) {
            return AFrame.ListSelectDataMode() == easdmOnStorage &&
                   AFrame.StorageId() == AStorageId;
        }))
        OpenRBElementAvailOnStorage(AStorageId);
}

void ShowElementAvailOnElementType(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    if (!BringToFront([&](const T_frmElementAvail& AFrame) {
            return AFrame.ListSelectDataMode() == easdmOnElementType &&
                   AFrame.ElementTypeDBId() == AElementTypeDBId &&
                   AFrame.ElementTypeId() == AElementTypeId;
        }))
        OpenRBElementAvailOnElementType(AElementTypeDBId, AElementTypeId);
}

void ShowElementAvailOnName(const QString& AName) {
    if (!BringToFront([&](const T_frmElementAvail& AFrame) {
            return AFrame.ListSelectDataMode() == easdmOnElementTypeName &&
                   AFrame.ElementTypeNameStr().compare(AName, Qt::CaseInsensitive) == 0;
        }))
        OpenRBElementAvailOnName(AName);
}

void ShowElementAvailOnMarking(const QString& AMarking) {
    if (!BringToFront([&](const T_frmElementAvail& AFrame) {
            return AFrame.ListSelectDataMode() == easdmOnMarking &&
                   AFrame.ElementTypeMarkingStr().compare(AMarking, Qt::CaseInsensitive) == 0;
        }))
        OpenRBElementAvailOnMarking(AMarking);
}

void SelectElementAvail(quint32 ASelectId, TKVElementAvailListSelectDataMode AListSelectDataMode,
                        quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 AStorageId,
                        TKVSelectedLocalItemDBData& ASelected) {
    ASelected = LocalSelection(RunSelectDialog<TfrmSelectElementAvail>(
        kIcon, 0, ASelectId, [&](T_frmElementAvail& AFrame) {
            AFrame.Init(false, AListSelectDataMode, AElementTypeDBId, AElementTypeId, AStorageId,
                        QString(), QString(), eanstEqual, 0, 0, 0, 0, 0, 0);
        }));
}
