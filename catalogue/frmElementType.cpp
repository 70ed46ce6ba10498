#include "catalogue/frmElementType.h"

#include "platform/sys/Win1251.h"
#include "shell/uMessage.h"
#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

// A mask the database can hold; else the user is told and false.
bool MaskStorable(const QString& AMask) {
    QByteArray encoded;
    QString badChar;
    if (TryToWin1251(AMask, encoded, &badChar))
        return true;
    ShowMessageDlg(TfrmElementType::tr("Текст поиска «%1» содержит знак «%2», которого нет в "
                                       "базе данных: искать по нему нельзя")
                       .arg(AMask, badChar),
                   mdkWarning, mdbOK);
    return false;
}

// Opens a list window in AMode with the criteria given.
TfrmElementType* OpenHost(TKVElementTypeListSelectDataMode AMode, quint32 AClassDBId,
                          quint32 AClassId, quint32 AMakerDBId, quint32 AMakerId,
                          const QString& AName, const QString& AMarking,
                          const TKVParamSearchList* AProfile,
                          const std::function<QString(T_frmElementType&)>& ACaption) {
    return OpenListHost<TfrmElementType>(
        kIcon,
        [&](T_frmElementType& AFrame) {
            AFrame.Init(true, AMode, AClassDBId, AClassId, AMakerDBId, AMakerId, 0, AName,
                        AMarking, AProfile);
        },
        ACaption);
}

QString TypesCaption() {
    return TfrmElementType::tr("Типы элементов");
}

// Brings every open list for which AMatches holds to the front; false when there is none.
bool BringToFront(const std::function<bool(const T_frmElementType&)>& AMatches) {
    return frmMain && frmMain->BringToFrontMDIChildren<TfrmElementType>(
                          [&](const TfrmElementType& AHost) {
                              return AHost.BookFrame() && AMatches(*AHost.BookFrame());
                          });
}

} // namespace

TfrmElementType::TfrmElementType(QWidget* AParent)
    : TKVBookHost({QSize(612, 153), QSize(300, 180)}, AParent) {}

TfrmSelectElementType::TfrmSelectElementType(QWidget* AParent)
    : TKVBookSelectDialog({QSize(620, 180), QSize(300, 180)}, tr("Выбор типа элемента"),
                          AParent) {}

TfrmElementType* OpenRBElementTypeOnName(const QString& AName) {
    if (!MaskStorable(AName))
        return nullptr;
    return OpenHost(etsdmOnElementTypeName, 0, 0, 0, 0, AName, QString(), nullptr,
                    [](T_frmElementType& AFrame) {
                        return QStringLiteral("\" %1 \" - %2")
                            .arg(AFrame.ElementTypeNameStr(), TypesCaption());
                    });
}

TfrmElementType* OpenRBElementTypeOnClass(quint32 AETClassDBId, quint32 AETClassId,
                                          bool AWithBaseParams) {
    return OpenHost(AWithBaseParams ? etsdmOnClassWithBaseParam : etsdmOnClass, AETClassDBId,
                    AETClassId, 0, 0, QString(), QString(), nullptr,
                    [](T_frmElementType& AFrame) {
                        return QStringLiteral("%1 - %2").arg(AFrame.ETClassName(), TypesCaption());
                    });
}

TfrmElementType* OpenRBElementTypeOnMaker(quint32 AMakerDBId, quint32 AMakerId) {
    return OpenHost(etsdmOnMaker, 0, 0, AMakerDBId, AMakerId, QString(), QString(), nullptr,
                    [](T_frmElementType& AFrame) {
                        return TfrmElementType::tr("%1 (Производитель) - %2")
                            .arg(AFrame.MakerName(), TypesCaption());
                    });
}

TfrmElementType* OpenRBElementTypeOnParamSearch(const TKVParamSearchList& AParamSearchList) {
    return OpenHost(etsdmOnParamSearch, 0, 0, 0, 0, QString(), QString(), &AParamSearchList,
                    [](T_frmElementType&) {
                        return TfrmElementType::tr("Типы элементов - Параметрический поиск");
                    });
}

TfrmElementType* OpenRBElementTypeOnMarking(const QString& AMarking) {
    if (!MaskStorable(AMarking))
        return nullptr;
    return OpenHost(etsdmOnMarking, 0, 0, 0, 0, QString(), AMarking, nullptr,
                    [](T_frmElementType& AFrame) {
                        return TfrmElementType::tr("\" %1 \" (Маркировка) - %2")
                            .arg(AFrame.ElementMarkingStr(), TypesCaption());
                    });
}

void ShowElementTypesOnName(const QString& AName) {
    if (!BringToFront([&](const T_frmElementType& AFrame) {
            return AFrame.ListSelectDataMode() == etsdmOnElementTypeName &&
                   AFrame.ElementTypeNameStr().compare(AName, Qt::CaseInsensitive) == 0;
        }))
        OpenRBElementTypeOnName(AName);
}

void ShowElementTypesOnMarking(const QString& AMarking) {
    if (!BringToFront([&](const T_frmElementType& AFrame) {
            return AFrame.ListSelectDataMode() == etsdmOnMarking &&
                   AFrame.ElementMarkingStr().compare(AMarking, Qt::CaseInsensitive) == 0;
        }))
        OpenRBElementTypeOnMarking(AMarking);
}

void ShowElementTypesOfClass(quint32 AETClassDBId, quint32 AETClassId) {
    if (!BringToFront([&](const T_frmElementType& AFrame) {
            return (AFrame.ListSelectDataMode() == etsdmOnClass ||
                    AFrame.ListSelectDataMode() == etsdmOnClassWithBaseParam) &&
                   AFrame.ETClassDBId() == AETClassDBId && AFrame.ETClassId() == AETClassId;
        }))
        OpenRBElementTypeOnClass(AETClassDBId, AETClassId, true);
}

void ShowElementTypesOfMaker(quint32 AMakerDBId, quint32 AMakerId) {
    if (!BringToFront([&](const T_frmElementType& AFrame) {
            return AFrame.ListSelectDataMode() == etsdmOnMaker &&
                   AFrame.MakerDBId() == AMakerDBId && AFrame.MakerId() == AMakerId;
        }))
        OpenRBElementTypeOnMaker(AMakerDBId, AMakerId);
}

void SelectElementType(quint32 ASelectDBId, quint32 ASelectId, quint32 AETClassDBId,
                       quint32 AETClassId, TKVSelectedItemDBData& ASelected) {
    ASelected = RunSelectDialog<TfrmSelectElementType>(
        kIcon, ASelectDBId, ASelectId, [&](T_frmElementType& AFrame) {
            AFrame.Init(false, etsdmOnClass, AETClassDBId, AETClassId, 0, 0, 0, QString(),
                        QString(), nullptr);
        });
}
