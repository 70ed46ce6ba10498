#include "shell/uMessage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <array>
#include <utility>

namespace {

struct TButtonSpec {
    const char* Caption;
    int Width;
    int Result;
};

struct TLayoutSpec {
    std::array<TButtonSpec, 5> Buttons;
    int Count;
    int CancelIndex; // -1: no cancel button
    int MinWidth;
};

// The ten layouts, index = layout number; 0 has no buttons. The first button is the default.
const std::array<TLayoutSpec, 11> gLayouts = {{
    {{}, 0, -1, 258},
    {{{{QT_TRANSLATE_NOOP("TMessageDlg", "OK"), 57, mrOk}}}, 1, -1, 258},
    {{{{QT_TRANSLATE_NOOP("TMessageDlg", "OK"), 57, mrOk},
       {QT_TRANSLATE_NOOP("TMessageDlg", "&Справка"), 57, mrCancel}}},
     2,
     1,
     258},
    {{{{QT_TRANSLATE_NOOP("TMessageDlg", "OK"), 57, mrOk},
       {QT_TRANSLATE_NOOP("TMessageDlg", "&Отмена"), 57, mrCancel}}},
     2,
     1,
     258},
    {{{{QT_TRANSLATE_NOOP("TMessageDlg", "Закр&ыть"), 57, mrClose}}}, 1, 0, 258},
    {{{{QT_TRANSLATE_NOOP("TMessageDlg", "Д&а"), 57, mrYes},
       {QT_TRANSLATE_NOOP("TMessageDlg", "&Нет"), 57, mrNo}}},
     2,
     1,
     258},
    {{{{QT_TRANSLATE_NOOP("TMessageDlg", "Д&а"), 57, mrYes},
       {QT_TRANSLATE_NOOP("TMessageDlg", "&Нет"), 57, mrNo},
       {QT_TRANSLATE_NOOP("TMessageDlg", "&Отмена"), 57, mrCancel}}},
     3,
     2,
     258},
    {{{{QT_TRANSLATE_NOOP("TMessageDlg", "Да для &всех"), 81, mrYesToAll},
       {QT_TRANSLATE_NOOP("TMessageDlg", "Н&ет для всех"), 81, mrNoToAll},
       {QT_TRANSLATE_NOOP("TMessageDlg", "&Отмена"), 57, mrCancel}}},
     3,
     2,
     251},
    {{{{QT_TRANSLATE_NOOP("TMessageDlg", "Д&а"), 57, mrYes},
       {QT_TRANSLATE_NOOP("TMessageDlg", "Да для &всех"), 81, mrYesToAll},
       {QT_TRANSLATE_NOOP("TMessageDlg", "&Нет"), 57, mrNo},
       {QT_TRANSLATE_NOOP("TMessageDlg", "Н&ет для всех"), 81, mrNoToAll},
       {QT_TRANSLATE_NOOP("TMessageDlg", "&Отмена"), 57, mrCancel}}},
     5,
     4,
     381},
    {{{{QT_TRANSLATE_NOOP("TMessageDlg", "&Прервать"), 57, mrAbort},
       {QT_TRANSLATE_NOOP("TMessageDlg", "П&ропуск"), 57, mrIgnore}}},
     2,
     1,
     258},
    {{{{QT_TRANSLATE_NOOP("TMessageDlg", "&Прервать"), 57, mrAbort},
       {QT_TRANSLATE_NOOP("TMessageDlg", "По&втор"), 57, mrRetry},
       {QT_TRANSLATE_NOOP("TMessageDlg", "П&ропуск"), 57, mrIgnore}}},
     3,
     2,
     258},
}};

// Margin of the text and of the buttons from the box's edges, and the gap between buttons.
constexpr int kMargin = 8;

TMessageDlgResponder gResponder;

} // namespace

QString MessageDlgCaption(TMessageDlgKind AKind) {
    switch (AKind) {
    case mdkWarning:
        return TMessageDlg::tr("Предупреждение");
    case mdkError:
        return TMessageDlg::tr("Ошибка");
    case mdkInformation:
        return TMessageDlg::tr("Информация");
    case mdkConfirmation:
        return TMessageDlg::tr("Подтверждение");
    case mdkMessage:
        return TMessageDlg::tr("Сообщение");
    }
    return QString();
}

// The pictures are the style's standard message icons until the program has artwork of its
// own; this is the one place that picks them.
QIcon MessageDlgIcon(TMessageDlgKind AKind) {
    QStyle* style = QApplication::style();
    if (!style)
        return QIcon();
    switch (AKind) {
    case mdkWarning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case mdkError:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case mdkInformation:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case mdkConfirmation:
        return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    case mdkMessage:
        return style->standardIcon(QStyle::SP_FileDialogInfoView);
    }
    return QIcon();
}

int MessageDlgLayout(TMessageDlgButtons AButtons) {
    // Tested in this order; the last condition that holds wins.
    const std::pair<TMessageDlgButtons, int> tests[] = {
        {mdbOK, 1},
        {mdbOK | mdbHelp, 2},
        {mdbOK | mdbCancel, 3},
        {mdbYes | mdbNo, 5},
        {mdbYes | mdbNo | mdbCancel, 6},
        {mdbClose, 4},
        {mdbYesToAll | mdbNoToAll | mdbCancel, 7},
        {mdbYes | mdbNo | mdbYesToAll | mdbNoToAll | mdbCancel, 8},
        {mdbAbort | mdbIgnore, 9},
        {mdbAbort | mdbRetry | mdbIgnore, 10},
    };
    int layout = 0;
    for (const auto& [buttons, number] : tests)
        if (AButtons.Contains(buttons))
            layout = number;
    return layout;
}

TMessageDlg::TMessageDlg(const QString& AText, TMessageDlgKind AKind, TMessageDlgButtons AButtons,
                         QWidget* AParent)
    : QDialog(AParent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MessageDlg"));

    // The text as given: its line breaks give lines, nothing wraps, '&' and '<' are shown
    // as they are.
    FLabel = new QLabel(this);
    FLabel->setObjectName(QStringLiteral("Message_Label"));
    FLabel->setTextFormat(Qt::PlainText);
    FLabel->setWordWrap(false);
    FLabel->setText(AText);
    FLabel->move(kMargin, kMargin);
    FLabel->resize(FLabel->sizeHint());

    setWindowTitle(MessageDlgCaption(AKind));
    const QIcon icon = MessageDlgIcon(AKind);
    if (!icon.isNull())
        setWindowIcon(icon);

    FLayout = MessageDlgLayout(AButtons);
    const TLayoutSpec& spec = gLayouts[static_cast<size_t>(FLayout)];
    const int top = FLabel->height() + 2 * kMargin;
    int buttonHeight = 0;

    // A button is as wide as its layout says, or as its caption needs when that is more.
    QVector<int> widths;
    int totalWidth = 0;
    for (int i = 0; i < spec.Count; ++i) {
        const TButtonSpec& b = spec.Buttons[static_cast<size_t>(i)];
        auto* button = new QPushButton(tr(b.Caption), this);
        button->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        buttonHeight = button->sizeHint().height();
        widths << std::max(b.Width, button->minimumSizeHint().width());
        totalWidth += widths.back() + kMargin;
        if (i == 0)
            button->setDefault(true);
        if (i == spec.CancelIndex)
            FCancelButton = button;
        const int result = b.Result;
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        FButtons.append(button);
    }
    const int width =
        std::max({FLabel->width() + 2 * kMargin, spec.MinWidth, totalWidth + kMargin});

    // Right-aligned: the last button ends kMargin before the right edge, each one before it
    // ends kMargin before the next begins.
    int left = width - totalWidth;
    for (int i = 0; i < FButtons.size(); ++i) {
        FButtons[i]->setGeometry(left, top, widths[i], buttonHeight);
        left += widths[i] + kMargin;
    }

    const int height = FButtons.isEmpty() ? FLabel->height() + 2 * kMargin
                                          : buttonHeight + FLabel->height() + 3 * kMargin;
    setFixedSize(width, height);

    if (QScreen* screen = AParent ? AParent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width / 2, height / 2));
    }
}

int TMessageDlg::ButtonResult(const QPushButton* AButton) const {
    const TLayoutSpec& spec = gLayouts[static_cast<size_t>(FLayout)];
    const auto i = FButtons.indexOf(const_cast<QPushButton*>(AButton));
    return i < 0 ? mrNone : spec.Buttons[static_cast<size_t>(i)].Result;
}

QPushButton* TMessageDlg::DefaultButton() const {
    return FButtons.isEmpty() ? nullptr : FButtons.first();
}

// The caption's close button (and anything else that rejects the box) gives Cancel.
void TMessageDlg::reject() {
    done(mrCancel);
}

void TMessageDlg::keyPressEvent(QKeyEvent* AEvent) {
    // Esc presses the cancel button; a box without one stays open.
    if (AEvent->key() == Qt::Key_Escape && AEvent->modifiers() == Qt::NoModifier) {
        if (FCancelButton)
            FCancelButton->click();
        AEvent->accept();
        return;
    }
    QDialog::keyPressEvent(AEvent);
}

TMessageDlgResponder SetMessageDlgResponder(TMessageDlgResponder AResponder) {
    return std::exchange(gResponder, std::move(AResponder));
}

int ShowMessageDlg(const QString& AText, TMessageDlgKind AKind, TMessageDlgButtons AButtons,
                   qint32 AHelpCtx) {
    TMessageDlg dlg(AText, AKind, AButtons, QApplication::activeWindow());
    if (gResponder) {
        TMessageDlgRequest request;
        request.Text = AText;
        request.Kind = AKind;
        request.Buttons = AButtons;
        request.HelpCtx = AHelpCtx;
        request.Caption = dlg.windowTitle();
        request.Layout = dlg.Layout();
        request.ClientWidth = dlg.width();
        request.ClientHeight = dlg.height();
        for (QPushButton* b : dlg.Buttons())
            request.DlgButtons.append({b->text(), dlg.ButtonResult(b), b->geometry(),
                                       b == dlg.DefaultButton(), b == dlg.CancelButton()});
        // A copy: the responder may install another responder while it runs.
        const TMessageDlgResponder responder = gResponder;
        return responder(request);
    }
    return dlg.exec();
}
