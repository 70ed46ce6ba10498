#include "shell/KVWidgets.h"

#include "core/udmMain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

TWaitCursor::TWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TWaitCursor::~TWaitCursor() {
    QApplication::restoreOverrideCursor();
}

QIcon MainToolIcon(int AImage) {
    return dmMain ? dmMain->MainToolImgList.Icon(AImage) : QIcon();
}

QToolButton* AddCaptionToolButton(QToolBar* ABar, const char* AName, const QString& ACaption,
                                  const QString& AHint, int AImage, QSize AMinimumSize) {
    auto* button = new QToolButton(ABar);
    button->setObjectName(QLatin1String(AName));
    button->setText(ACaption);
    button->setToolTip(AHint);
    button->setStatusTip(AHint);
    button->setIcon(MainToolIcon(AImage));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setMinimumSize(AMinimumSize);
    button->setAutoRaise(true);
    ABar->addWidget(button);
    ShowAllToolBarCommands(ABar);
    return button;
}

void ShowAllToolBarCommands(QToolBar* ABar) {
    // A bar that may not shrink below its size hint makes the layouts around it, and so the
    // window, wide enough for every button: none goes behind the extension button.
    QSizePolicy policy = ABar->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Minimum);
    ABar->setSizePolicy(policy);
}

void FitWindowToContent(QWidget* AWindow, const QSize& ASmallest, const QSize& ASize,
                        const QSize& AHintExtra, bool AFixed) {
    AWindow->ensurePolished();
    // What the layouts remember of their contents may predate the last change (a part shown
    // or hidden): they measure afresh.
    for (QWidget* widget : AWindow->findChildren<QWidget*>())
        widget->updateGeometry();
    if (QLayout* layout = AWindow->layout())
        layout->activate();
    // A window lives on its screen; a sub-window in its workspace's viewport.
    QRect area;
    if (AWindow->isWindow()) {
        if (const QScreen* screen = AWindow->screen())
            area = screen->availableGeometry();
    } else if (const QWidget* parent = AWindow->parentWidget()) {
        area = parent->rect();
    }
    // Room for the frame of a top-level window, which the window system adds around it.
    const QSize frame = AWindow->isWindow() && AWindow->isVisible()
                            ? AWindow->frameGeometry().size() - AWindow->size()
                            : QSize(0, 0);
    const QSize room =
        area.isValid() ? area.size() - frame : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);

    // Content is never cut to fit the area: a window whose content needs more than the area
    // reaches past it (the workspace scrolls), placed where most of it shows.
    const QSize smallest = ASmallest.expandedTo(AWindow->minimumSizeHint());
    const QSize size =
        ASize.expandedTo(AWindow->sizeHint() + AHintExtra).boundedTo(room).expandedTo(smallest);
    const QSize before = AWindow->size();
    if (AFixed) {
        AWindow->setFixedSize(size);
    } else {
        AWindow->setMinimumSize(smallest);
        AWindow->resize(size);
    }
    if (!area.isValid())
        return;
    if (AWindow->isWindow()) {
        // A placed window keeps its centre and stays on its screen.
        if (!AWindow->testAttribute(Qt::WA_Moved))
            return;
        const QSize outer = size + frame;
        const QPoint centred = AWindow->pos() - QPoint((size.width() - before.width()) / 2,
                                                       (size.height() - before.height()) / 2);
        AWindow->move(std::clamp(centred.x(), area.left(),
                                 std::max(area.left(), area.right() + 1 - outer.width())),
                      std::clamp(centred.y(), area.top(),
                                 std::max(area.top(), area.bottom() + 1 - outer.height())));
    } else {
        AWindow->move(std::clamp(AWindow->x(), 0, std::max(0, area.width() - size.width())),
                      std::clamp(AWindow->y(), 0, std::max(0, area.height() - size.height())));
    }
}

QSize ListViewShortfall(const QAbstractItemView* AView, int ARows) {
    const QAbstractItemModel* model = AView->model();
    int rowHeight = model && model->rowCount() > 0 ? AView->sizeHintForRow(0) : -1;
    if (rowHeight <= 0)
        rowHeight = std::max(AView->fontMetrics().height() + 4, AView->iconSize().height());
    const int frame = 2 * AView->frameWidth();
    const int scrollBar = AView->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, AView);
    int headerHeight = 0;
    int columnsWidth = 0;
    if (const auto* tree = qobject_cast<const QTreeView*>(AView)) {
        const QHeaderView* header = tree->header();
        if (!header->isHidden())
            headerHeight = header->sizeHint().height();
        columnsWidth = header->length();
        // A last column that takes the rest of the view (a tree's names) needs the width of
        // its caption and of what it shows, not the width it has now.
        const int last = header->logicalIndex(header->count() - 1);
        if (header->stretchLastSection() && last >= 0 && !header->isSectionHidden(last))
            columnsWidth +=
                std::max(header->sectionSizeHint(last), AView->sizeHintForColumn(last)) -
                header->sectionSize(last);
    }
    const QSize need(columnsWidth + frame + scrollBar, headerHeight + ARows * rowHeight + frame);
    return (need - AView->sizeHint()).expandedTo(QSize(0, 0));
}

void FitHeaderSections(QHeaderView* AHeader) {
    for (int i = 0; i < AHeader->count(); ++i)
        if (!AHeader->isSectionHidden(i) && AHeader->sectionSize(i) < AHeader->sectionSizeHint(i))
            AHeader->resizeSection(i, AHeader->sectionSizeHint(i));
}

TKVInfoWindowButtons LayOutInfoWindow(QDialog* ADialog, QTabWidget* APages,
                                      const QIcon& ACopyIcon) {
    APages->setUsesScrollButtons(false);
    auto* copy = new QPushButton(ACopyIcon, QObject::tr("&Скопировать в буфер обмена"), ADialog);
    copy->setObjectName(QStringLiteral("CopyToClipboard_Btn"));
    copy->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), ADialog);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, ADialog, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(ADialog);
    layout->addWidget(APages, 1);
    layout->addLayout(buttons);
    return {copy, ok};
}
