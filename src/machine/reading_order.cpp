#include "machine/reading_order.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRect>
#include <algorithm>
#include <vector>

namespace vornelix {

namespace {

struct Control {
    QWidget* widget;
    QRect place;  // in the window's coordinates
};

// A widget that the focus can reach, now or once it is made editable; its own children are
// its business.
bool isControl(const QWidget* widget) {
    return widget->focusPolicy() != Qt::NoFocus || qobject_cast<const QLineEdit*>(widget);
}

// The controls inside a widget, in the order of the window's design.
void collect(QWidget* window, QWidget* parent, std::vector<Control>& controls) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        if (isControl(widget))
            controls.push_back({widget, QRect(widget->mapTo(window, QPoint()), widget->size())});
        else
            collect(window, widget, controls);
    }
}

// Row by row from the top: a control whose top lies above the middle of the row's first
// control belongs to that row.
std::vector<QWidget*> inReadingOrder(std::vector<Control> shown) {
    std::stable_sort(shown.begin(), shown.end(),
                     [](const Control& a, const Control& b) { return a.place.y() < b.place.y(); });
    std::vector<QWidget*> order;
    for (auto row = shown.begin(); row != shown.end();) {
        const int middle = row->place.center().y();
        const auto end = std::find_if(row, shown.end(),
                                      [middle](const Control& c) { return c.place.y() > middle; });
        std::stable_sort(
            row, end, [](const Control& a, const Control& b) { return a.place.x() < b.place.x(); });
        for (auto it = row; it != end; ++it) order.push_back(it->widget);
        row = end;
    }
    return order;
}

}  // namespace

void applyReadingOrder(QWidget* window) {
    std::vector<Control> controls;
    collect(window, window, controls);
    std::vector<Control> shown;
    std::copy_if(controls.begin(), controls.end(), std::back_inserter(shown),
                 [](const Control& c) { return !c.widget->isHidden(); });
    std::vector<QWidget*> order = inReadingOrder(shown);
    // A hidden control follows the control before it in the design.
    for (size_t i = 0; i < controls.size(); ++i) {
        if (!controls[i].widget->isHidden())
            continue;
        const auto before =
            i == 0 ? order.end() : std::find(order.begin(), order.end(), controls[i - 1].widget);
        order.insert(before == order.end() ? order.begin() : before + 1, controls[i].widget);
    }
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

bool pressFocusedButton(QWidget* window, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto* button = qobject_cast<QAbstractButton*>(window->focusWidget());
    if (!button || button->isCheckable() || !button->isEnabled() || !window->isAncestorOf(button))
        return false;
    event->accept();
    button->click();
    return true;
}

}  // namespace vornelix
