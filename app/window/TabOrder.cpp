#include "app/window/TabOrder.h"

#include <QGridLayout>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

namespace korvel::app {

namespace {

// The items of a layout as the eye reads them: a grid row by row, a box in its own order.
QList<QLayoutItem*> readingOrder(const QLayout* layout) {
    QList<QLayoutItem*> items;
    for (int index = 0; index < layout->count(); ++index) {
        items.append(layout->itemAt(index));
    }
    if (const auto* grid = qobject_cast<const QGridLayout*>(layout)) {
        const auto cell = [grid](QLayoutItem* item) {
            int row = 0;
            int column = 0;
            int rowSpan = 0;
            int columnSpan = 0;
            grid->getItemPosition(grid->indexOf(item), &row, &column, &rowSpan, &columnSpan);
            return std::pair(row, column);
        };
        std::stable_sort(items.begin(), items.end(),
                         [&cell](QLayoutItem* a, QLayoutItem* b) { return cell(a) < cell(b); });
    }
    return items;
}

} // namespace

void TabOrder::add(QWidget* root) {
    if (auto* pages = qobject_cast<QTabWidget*>(root)) {
        // The page control passes the focus to its tab bar: both stand at the same place, or
        // Tab would reach the tab bar a second time wherever the page control was left.
        m_controls.append(pages);
        m_controls.append(pages->tabBar());
        for (int index = 0; index < pages->count(); ++index) {
            add(pages->widget(index));
        }
    } else if (root->focusPolicy() != Qt::NoFocus) {
        m_controls.append(root);
    } else if (root->layout() != nullptr) {
        addLayout(root->layout());
    }
}

void TabOrder::addLayout(const QLayout* layout) {
    for (QLayoutItem* item : readingOrder(layout)) {
        if (item->widget() != nullptr) {
            add(item->widget());
        } else if (item->layout() != nullptr) {
            addLayout(item->layout());
        }
    }
}

void TabOrder::apply() const {
    for (qsizetype index = 1; index < m_controls.size(); ++index) {
        QWidget::setTabOrder(m_controls[index - 1], m_controls[index]);
    }
}

} // namespace korvel::app
