#pragma once

// The one message box of the program: a small modal box with a Russian caption and icon
// chosen by the message's kind and one of ten fixed button layouts chosen by the set of
// buttons asked for. Every message that the program shows in its own words goes through
// ShowMessageDlg.

#include <QDialog>
#include <QIcon>
#include <QRect>
#include <QString>
#include <QVector>
#include <QtGlobal>
#include <functional>

class QLabel;
class QPushButton;

// The kind of a message: caption and icon of the box. A value of 5 or more gives an empty
// caption and no icon.
enum TMessageDlgKind : quint8 {
    mdkWarning = 0,
    mdkError = 1,
    mdkInformation = 2,
    mdkConfirmation = 3,
    mdkMessage = 4,
};

// One button that a caller may ask for; the value is its bit in TMessageDlgButtons.
enum TMessageDlgButton : quint8 {
    mdbYes = 0,
    mdbNo = 1,
    mdbOK = 2,
    mdbCancel = 3,
    mdbAbort = 4,
    mdbRetry = 5,
    mdbIgnore = 6,
    mdbAll = 7,
    mdbNoToAll = 8,
    mdbYesToAll = 9,
    mdbHelp = 10,
    mdbClose = 11,
};

// A set of buttons, one bit per button ({mdbOK} is 4, {mdbYes, mdbNo} is 3). A single button
// converts to a set, and sets are joined with |: ShowMessageDlg(text, mdkConfirmation,
// mdbYes | mdbNo | mdbCancel, 0).
class TMessageDlgButtons {
public:
    constexpr TMessageDlgButtons() = default;
    constexpr TMessageDlgButtons(TMessageDlgButton AButton) // NOLINT: implicit on purpose
        : FValue(static_cast<quint16>(1u << AButton)) {}

    static constexpr TMessageDlgButtons FromValue(quint16 AValue) {
        TMessageDlgButtons r;
        r.FValue = AValue;
        return r;
    }
    constexpr quint16 Value() const { return FValue; }
    constexpr bool Contains(TMessageDlgButton AButton) const {
        return (FValue & (1u << AButton)) != 0;
    }
    constexpr bool Contains(TMessageDlgButtons AButtons) const {
        return (FValue & AButtons.FValue) == AButtons.FValue;
    }
    constexpr bool IsEmpty() const { return FValue == 0; }

    constexpr TMessageDlgButtons operator|(TMessageDlgButtons AOther) const {
        return FromValue(static_cast<quint16>(FValue | AOther.FValue));
    }
    constexpr TMessageDlgButtons& operator|=(TMessageDlgButtons AOther) {
        FValue = static_cast<quint16>(FValue | AOther.FValue);
        return *this;
    }
    constexpr bool operator==(const TMessageDlgButtons&) const = default;

private:
    quint16 FValue = 0;
};

constexpr TMessageDlgButtons operator|(TMessageDlgButton ALeft, TMessageDlgButton ARight) {
    return TMessageDlgButtons(ALeft) | TMessageDlgButtons(ARight);
}

// Modal results of the program's dialogs.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrNoToAll = 9;
constexpr int mrYesToAll = 10;
constexpr int mrClose = 11;

// Caption of the box for a kind; empty for a kind of 5 or more.
QString MessageDlgCaption(TMessageDlgKind AKind);
// Icon of the box for a kind; a null icon for a kind of 5 or more.
QIcon MessageDlgIcon(TMessageDlgKind AKind);
// Number of the button layout (1 to 10) chosen for a button set, 0 for none.
int MessageDlgLayout(TMessageDlgButtons AButtons);

// The box itself. Built complete by the constructor, so that it can be inspected and driven
// without exec(): Buttons() from left to right, each pressing done() with its modal result.
// Enter presses the default button (the first), Esc the cancel button when the layout has
// one; closing by the caption's close button gives mrCancel.
class TMessageDlg : public QDialog {
    Q_OBJECT
public:
    TMessageDlg(const QString& AText, TMessageDlgKind AKind, TMessageDlgButtons AButtons,
                QWidget* AParent = nullptr);

    int Layout() const { return FLayout; }
    QLabel* TextLabel() const { return FLabel; }
    const QVector<QPushButton*>& Buttons() const { return FButtons; }
    // The modal result a button gives, mrNone for a widget that is not one of its buttons.
    int ButtonResult(const QPushButton* AButton) const;
    QPushButton* DefaultButton() const;
    QPushButton* CancelButton() const { return FCancelButton; }

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* AEvent) override;

private:
    QLabel* FLabel = nullptr;
    QVector<QPushButton*> FButtons;
    QPushButton* FCancelButton = nullptr;
    int FLayout = 0;
};

// What a test's responder sees of one box: the call's arguments and the built box's caption,
// client size and buttons (from left to right).
struct TMessageDlgButtonInfo {
    QString Caption;
    int Result = mrNone;
    QRect Geometry; // in the box's client area
    bool Default = false;
    bool Cancel = false;
};

struct TMessageDlgRequest {
    QString Text;
    TMessageDlgKind Kind = mdkWarning;
    TMessageDlgButtons Buttons;
    int HelpCtx = 0;
    QString Caption;
    int Layout = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;
    QVector<TMessageDlgButtonInfo> DlgButtons;
};

using TMessageDlgResponder = std::function<int(const TMessageDlgRequest&)>;

// Installs a responder that answers every box in place of the user: ShowMessageDlg builds
// the box, hands the request to the responder instead of showing it and returns the
// responder's result. An empty function restores the real modal box. Returns the responder
// that was installed before.
TMessageDlgResponder SetMessageDlgResponder(TMessageDlgResponder AResponder);

// Installs a responder for the lifetime of the object and restores the previous one after.
class TMessageDlgResponderScope {
public:
    explicit TMessageDlgResponderScope(TMessageDlgResponder AResponder)
        : FPrevious(SetMessageDlgResponder(std::move(AResponder))) {}
    ~TMessageDlgResponderScope() { SetMessageDlgResponder(std::move(FPrevious)); }
    TMessageDlgResponderScope(const TMessageDlgResponderScope&) = delete;
    TMessageDlgResponderScope& operator=(const TMessageDlgResponderScope&) = delete;

private:
    TMessageDlgResponder FPrevious;
};

// Shows the box modally and returns the modal result of the button pressed (mrCancel when
// the box is closed by its caption's close button). AHelpCtx is accepted and not used.
int ShowMessageDlg(const QString& AText, TMessageDlgKind AKind, TMessageDlgButtons AButtons,
                   qint32 AHelpCtx = 0);
