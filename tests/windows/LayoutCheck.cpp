#include "tests/windows/LayoutCheck.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include <functional>

namespace {

// A widget as a report names it: the object names (or class names) from the window down, and
// the text of a label or button.
QString WidgetName(const QWidget* AWidget, const QWidget* AWindow) {
    QStringList path;
    for (const QWidget* w = AWidget; w; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            path.prepend(name);
        else if (w == AWidget)
            path.prepend(QString::fromLatin1(w->metaObject()->className()));
        if (w == AWindow)
            break;
    }
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(AWidget))
        text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(AWidget))
        text = button->text();
    QString name = path.join(u'/');
    if (!text.isEmpty())
        name += QStringLiteral(" \"%1\"").arg(text.left(40).replace(u'\n', u' '));
    return name;
}

QString SizeText(const QSize& ASize) {
    return QStringLiteral("%1x%2").arg(ASize.width()).arg(ASize.height());
}

// Scroll areas' own parts and the parts of a tool bar, tab bar or sub-window that Qt shows
// and hides itself.
bool IsQtInternal(const QWidget* AWidget) {
    const QWidget* parent = AWidget->parentWidget();
    // A tab widget's row of tabs is its own part, but the user reads it.
    if (qobject_cast<const QTabBar*>(AWidget))
        return false;
    return AWidget->objectName().startsWith(QLatin1String("qt_")) ||
           qobject_cast<const QScrollBar*>(AWidget) ||
           (parent && (parent->inherits("QLineEdit") || parent->inherits("QAbstractSpinBox") ||
                       parent->inherits("QComboBox")));
}

void CheckWidget(QWidget* AWidget, QWidget* AWindow, const TLayoutCheck& ACheck,
                 QStringList& AFaults) {
    const QString name = WidgetName(AWidget, AWindow);
    const QSizePolicy policy = AWidget->sizePolicy();

    // A header is part of its list, which the checks below look at.
    auto* header = qobject_cast<QHeaderView*>(AWidget);
    // Smaller than the layout lets it be: its contents are cut.
    QSize need = header ? QSize() : AWidget->minimumSizeHint();
    // A text that wraps needs the height of its lines at the width it has.
    if (need.isValid() && AWidget->hasHeightForWidth())
        need.setHeight(AWidget->heightForWidth(AWidget->width()));
    if (need.isValid()) {
        const bool narrow =
            policy.horizontalPolicy() != QSizePolicy::Ignored && AWidget->width() < need.width();
        const bool low =
            policy.verticalPolicy() != QSizePolicy::Ignored && AWidget->height() < need.height();
        if (narrow || low)
            AFaults << QStringLiteral("%1: %2 is smaller than its minimum %3")
                           .arg(name, SizeText(AWidget->size()), SizeText(need));
    }

    // Reaching past the edge of what holds it: its contents are cut there.
    if (const QWidget* parent = AWidget->parentWidget();
        parent && !AWidget->isWindow() &&
        parent->objectName() != QLatin1String("qt_scrollarea_viewport") &&
        !parent->rect().contains(AWidget->geometry()))
        AFaults << QStringLiteral("%1: reaches past the edge of %2")
                       .arg(name, WidgetName(parent, AWindow));

    if (auto* bar = qobject_cast<QToolBar*>(AWidget)) {
        for (auto* button : bar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
            if (button->objectName() == QLatin1String("qt_toolbar_ext_button") &&
                button->isVisible())
                AFaults
                    << QStringLiteral("%1: commands hidden behind the extension button").arg(name);
    }

    if (auto* tabs = qobject_cast<QTabBar*>(AWidget)) {
        if (tabs->width() < tabs->sizeHint().width())
            AFaults << QStringLiteral("%1: the tabs need %2 pixels, %3 shown")
                           .arg(name)
                           .arg(tabs->sizeHint().width())
                           .arg(tabs->width());
    }

    if (auto* combo = qobject_cast<QComboBox*>(AWidget)) {
        if (combo->width() < combo->sizeHint().width())
            AFaults << QStringLiteral("%1: the choices need %2 pixels, %3 shown")
                           .arg(name)
                           .arg(combo->sizeHint().width())
                           .arg(combo->width());
    }

    if (header && header->orientation() == Qt::Horizontal) {
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i) || header->sectionSize(i) == 0)
                continue;
            if (header->sectionSize(i) < header->sectionSizeHint(i))
                AFaults << QStringLiteral("%1: column %2 \"%3\" is %4 wide, its caption needs %5")
                               .arg(name)
                               .arg(i)
                               .arg(header->model()->headerData(i, Qt::Horizontal).toString())
                               .arg(header->sectionSize(i))
                               .arg(header->sectionSizeHint(i));
        }
        // A list (not a spreadsheet) shows its columns without scrolling sideways.
        if (auto* view = qobject_cast<QTreeView*>(header->parentWidget());
            view && view->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
            header->length() > view->viewport()->width())
            AFaults << QStringLiteral("%1: the columns need %2 pixels, the list shows %3")
                           .arg(WidgetName(view, AWindow))
                           .arg(header->length())
                           .arg(view->viewport()->width());
    }

    if (auto* view = qobject_cast<QAbstractItemView*>(AWidget); view && !header && view->model()) {
        int rowHeight = view->model()->rowCount() > 0 ? view->sizeHintForRow(0) : -1;
        if (rowHeight <= 0)
            rowHeight = view->fontMetrics().height();
        const int rows = view->viewport()->height() / std::max(1, rowHeight);
        if (rows < ACheck.MinListRows)
            AFaults << QStringLiteral("%1: shows %2 rows").arg(name).arg(rows);
    }
}

// Whether ALayout or a layout within it holds AWidget.
bool LayoutHolds(const QLayout* ALayout, const QWidget* AWidget) {
    for (int i = 0; i < ALayout->count(); ++i) {
        QLayoutItem* item = ALayout->itemAt(i);
        if (item->widget() == AWidget || (item->layout() && LayoutHolds(item->layout(), AWidget)))
            return true;
    }
    return false;
}

// Widgets that one layout places side by side never cover each other.
void CheckOverlaps(QWidget* AParent, QWidget* AWindow, QStringList& AFaults) {
    const QLayout* layout = AParent->layout();
    if (!layout)
        return;
    QList<QWidget*> placed;
    for (QObject* child : AParent->children())
        if (auto* w = qobject_cast<QWidget*>(child);
            w && w->isVisible() && !w->isWindow() && LayoutHolds(layout, w))
            placed << w;
    for (int i = 0; i < placed.size(); ++i)
        for (int j = i + 1; j < placed.size(); ++j)
            if (placed[i]->geometry().intersects(placed[j]->geometry()))
                AFaults << QStringLiteral("%1 and %2 cover each other")
                               .arg(WidgetName(placed[i], AWindow), WidgetName(placed[j], AWindow));
}

void CheckVisibleWidgets(QWidget* AWindow, const TLayoutCheck& ACheck, QStringList& AFaults) {
    const std::function<void(QWidget*)> walk = [&](QWidget* AWidget) {
        if (!AWidget->isVisible())
            return;
        if (!IsQtInternal(AWidget))
            CheckWidget(AWidget, AWindow, ACheck, AFaults);
        CheckOverlaps(AWidget, AWindow, AFaults);
        for (QObject* child : AWidget->children())
            if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
                walk(w);
    };
    walk(AWindow);
}

} // namespace

QStringList LayoutFaults(QWidget* AWindow, const QRect& AArea, const TLayoutCheck& ACheck) {
    QStringList faults;
    QCoreApplication::processEvents();
    if (AArea.isValid()) {
        const QRect place = AWindow->isWindow() ? AWindow->frameGeometry() : AWindow->geometry();
        if (!AArea.contains(place))
            faults << QStringLiteral("%1: at (%2, %3) %4 outside the area (%5, %6) %7")
                          .arg(WidgetName(AWindow, AWindow))
                          .arg(place.x())
                          .arg(place.y())
                          .arg(SizeText(place.size()))
                          .arg(AArea.x())
                          .arg(AArea.y())
                          .arg(SizeText(AArea.size()));
    }
    CheckVisibleWidgets(AWindow, ACheck, faults);

    // Every page of every tab widget, one at a time; the page shown first is shown again after.
    for (QTabWidget* tabs : AWindow->findChildren<QTabWidget*>()) {
        const int shown = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (i == shown)
                continue;
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            if (tabs->isVisible())
                CheckVisibleWidgets(tabs->currentWidget(), ACheck, faults);
        }
        tabs->setCurrentIndex(shown);
    }
    faults.removeDuplicates();
    return faults;
}
