#include "stock/frmFind.h"

#include "core/KVCommon.h"
#include "core/udmMain.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString FindText;

namespace {
// The longest pattern the field takes.
constexpr int kFindTextLength = 255;
} // namespace

TfrmFind::TfrmFind(QWidget* AParent)
    : TKVDialog(QStringLiteral("ElementFind"), QStringLiteral("PopupMenu"),
                AParent ? AParent : TKVDialog::OwnerWindow()) {
    setObjectName(QStringLiteral("frmFind"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    FFindLabel = new QLabel(tr("Информация для поиска элемента:"), this);
    FFindLabel->setObjectName(QStringLiteral("Find_Label"));
    FFindBox = new QComboBox(this);
    FFindBox->setObjectName(QStringLiteral("Find_ComboBox"));
    FFindBox->setEditable(true);
    // The list is the history: typing never adds to it, only an accepted search does.
    FFindBox->setInsertPolicy(QComboBox::NoInsert);
    FFindBox->lineEdit()->setMaxLength(kFindTextLength);
    FFindLabel->setBuddy(FFindBox);
    if (dmMain)
        FFindBox->addItems(dmMain->FindHotItems);
    FFindBox->setCurrentIndex(-1);
    FFindBox->setEditText(QString());
    FInfoLabel = new QLabel(
        tr("Для поиска по шаблону используйте служебные символы: [ ? ] - любой символ, [ * ] - "
           "последовательность любых символов. Для экранирования служебного символа используйте "
           "обратный слеш [ \\ ]"),
        this);
    FInfoLabel->setObjectName(QStringLiteral("Find_InfoLabel"));
    FInfoLabel->setWordWrap(true);
    FSimpleFindBox = new QCheckBox(tr("Простой поиск (автошаблон)"), this);
    FSimpleFindBox->setObjectName(QStringLiteral("SimpleFind_CheckBox"));
    FSimpleFindBox->setChecked(true);
    FOkCancel = new T_frmOkCancel(this);
    FOkCancel->OkBtn()->setText(tr("Поиск"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(FFindLabel);
    layout->addWidget(FFindBox);
    layout->addWidget(FInfoLabel);
    layout->addWidget(FSimpleFindBox);
    layout->addStretch(1);
    layout->addWidget(FOkCancel);
    resize(441, 145);
    CenterOnScreen(this);
    SetFindType(ftElementTypeName);
    FFindBox->setFocus();
}

QString TfrmFind::FindTypeCaption(TKVFindType AFindType) {
    switch (AFindType) {
    case ftElementTypeName:
        return tr("Поиск типов элементов по наименованию");
    case ftElementTypeMarking:
        return tr("Поиск типов элементов по маркировке");
    case ftElementAvailName:
        return tr("Поиск элементов в наличии по наименованию");
    case ftElementAvailMarking:
        return tr("Поиск элементов в наличии по маркировке");
    }
    return QString();
}

void TfrmFind::SetFindType(TKVFindType AFindType) {
    FFindType = AFindType;
    setWindowTitle(FindTypeCaption(AFindType));
}

bool TfrmFind::CheckFindStr(const QString& AText) {
    const QString text = AText.trimmed();
    for (const QChar c : text)
        if (c != u'*')
            return true;
    return false;
}

QString TfrmFind::AcceptedFindText(const QString& AText, bool ASimple) {
    const QString text = AText.trimmed();
    return ASimple ? MakeContainsMask(text) : text;
}

void TfrmFind::AddFindHotItems(QStringList& AHotItems, const QString& AText) {
    for (const QString& line : AHotItems)
        if (line.compare(AText, Qt::CaseInsensitive) == 0)
            return;
    AHotItems.append(AText);
}

void TfrmFind::done(int AResult) {
    if (AResult == mrOk) {
        const QString typed = FFindBox->currentText();
        if (!CheckFindStr(typed)) {
            FFindBox->setFocus();
            return;
        }
        FindText = AcceptedFindText(typed, FSimpleFindBox->isChecked());
        if (dmMain)
            AddFindHotItems(dmMain->FindHotItems, FindText);
    }
    TKVDialog::done(AResult);
}

int ShowFindDlg(TKVFindType AFindType) {
    TfrmFind dialog;
    dialog.SetFindType(AFindType);
    return dialog.exec();
}
