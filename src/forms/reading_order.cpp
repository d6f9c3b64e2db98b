#include "forms/reading_order.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace vornelix {

namespace {

// A widget that the focus can reach, now or once it is made editable; its own children are
// its business.
bool isControl(const QWidget* widget) {
    return widget->focusPolicy() != Qt::NoFocus || qobject_cast<const QLineEdit*>(widget);
}

class ReadingOrder {
  public:
    std::vector<QWidget*> controls;

    void addWidget(QWidget* widget) {
        if (widget->isWindow() || !m_seen.insert(widget).second)
            return;
        if (isControl(widget)) {
            controls.push_back(widget);
            // The pages of a tab strip follow its tabs.
            if (auto* tabs = qobject_cast<QTabWidget*>(widget))
                for (int i = 0; i < tabs->count(); ++i) addWidget(tabs->widget(i));
            return;
        }
        addContents(widget);
    }

    // The controls inside a widget: those of its layout first, then any other child, in the
    // order of the design.
    void addContents(QWidget* widget) {
        m_seen.insert(widget);
        if (widget->layout())
            addLayout(widget->layout());
        for (QObject* child : widget->children())
            if (auto* childWidget = qobject_cast<QWidget*>(child))
                addWidget(childWidget);
    }

  private:
    // A layout's items as they are read: a grid row by row, left to right, a box in its
    // direction.
    void addLayout(QLayout* layout) {
        std::vector<std::pair<std::pair<int, int>, QLayoutItem*>> items;
        auto* grid = qobject_cast<QGridLayout*>(layout);
        auto* box = qobject_cast<QBoxLayout*>(layout);
        const bool reversed = box && (box->direction() == QBoxLayout::RightToLeft ||
                                      box->direction() == QBoxLayout::BottomToTop);
        for (int i = 0; i < layout->count(); ++i) {
            std::pair<int, int> place{reversed ? -i : i, 0};
            if (grid) {
                int rowSpan = 0;
                int columnSpan = 0;
                grid->getItemPosition(i, &place.first, &place.second, &rowSpan, &columnSpan);
            }
            items.push_back({place, layout->itemAt(i)});
        }
        std::stable_sort(items.begin(), items.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [place, item] : items) {
            if (item->widget())
                addWidget(item->widget());
            else if (item->layout())
                addLayout(item->layout());
        }
    }

    std::set<QWidget*> m_seen;
};

}  // namespace

void applyReadingOrder(QWidget* window) {
    ReadingOrder order;
    order.addContents(window);
    const std::vector<QWidget*>& controls = order.controls;
    for (size_t i = 1; i < controls.size(); ++i) QWidget::setTabOrder(controls[i - 1], controls[i]);
}

}  // namespace vornelix
