#include "app/bindings/GridBinding.h"

#include "app/bindings/KeyFilter.h"
#include "app/bindings/LineEditBinding.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

namespace korvel::app {

namespace {

// Cell editors obey the control's limits, hand typed characters to the logic when it filters
// them, and keep the cell in the settings as live as the editor, since rules read it while the
// operator types.
class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(BindingContext context, model::ControlName name, QTableWidget* table)
        : QStyledItemDelegate(table)
        , m_context(context)
        , m_name(name)
        , m_table(table) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (edit == nullptr) {
            return editor;
        }
        LineEditBinding::limitEditor(edit, m_context, m_name);
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this, index](const QString& typed) {
            if (auto bytes = m_context.text.fromQString(typed)) {
                m_context.events.edit(m_name, [&] {
                    m_context.settings.setCell(m_name, index.row(), index.column(), std::move(*bytes));
                });
            }
        });
        if (m_context.events.filtersKeys(m_name)) {
            m_keys = new KeyFilter(m_context.events, m_context.text, m_name, edit, m_table);
        }
        return editor;
    }

protected:
    // The logic sees the keys before the delegate, which would otherwise commit and close the
    // editor a second time after the logic has moved to another row on Enter.
    bool eventFilter(QObject* editor, QEvent* event) override {
        if (!m_keys.isNull() && m_keys->parent() == editor && m_keys->filter(editor, event)) {
            return true;
        }
        if (auto* cell = qobject_cast<QWidget*>(editor); cell != nullptr && leavesTheGrid(cell, event)) {
            return true;
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

private:
    // Tab and Shift+Tab leave the grid from a cell's editor as from any other control: the cell
    // is committed and the grid passes the key on. The delegate would move to the next cell.
    bool leavesTheGrid(QWidget* editor, QEvent* event) {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) {
            return false;
        }
        emit commitData(editor);
        emit closeEditor(editor, NoHint);
        QKeyEvent passed(QEvent::KeyPress, key->key(), key->modifiers());
        QCoreApplication::sendEvent(m_table, &passed);
        return true;
    }

    BindingContext m_context;
    model::ControlName m_name;
    QTableWidget* m_table;
    mutable QPointer<KeyFilter> m_keys; // of the open editor, which owns it
};

} // namespace

GridBinding::GridBinding(BindingContext context, QTableWidget* table)
    : WidgetBinding(context, table)
    , m_table(table) {
    // One stop in the Tab order, as the other controls: the arrow keys move between cells.
    m_table->setTabKeyNavigation(false);
    m_table->setRowCount(settings().rows(name()));
    m_table->setColumnCount(settings().columns(name()));
    // Every edit goes through a cell editor, which stores each keystroke (see CellDelegate).
    m_table->setItemDelegate(new CellDelegate(context, name(), table));
    QObject::connect(table, &QTableWidget::currentCellChanged, receiver(), [this](int row) {
        if (row >= 0) {
            edit([this, row] { settings().setRow(name(), row); });
        }
    });
}

void GridBinding::showValue() {
    for (int row = 0; row < m_table->rowCount(); ++row) {
        for (int column = 0; column < m_table->columnCount(); ++column) {
            showCell(row, column);
        }
    }
    const int row = settings().row(name());
    if (m_table->currentRow() != row) {
        m_table->setCurrentCell(row, m_table->columnCount() - 1); // the last column holds the values
    }
}

void GridBinding::showEnabled(bool enabled) {
    WidgetBinding::showEnabled(enabled);
    if (!enabled) {
        m_table->clearSelection();
    }
}

void GridBinding::showCell(int row, int column) {
    QTableWidgetItem* item = m_table->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        if (!settings().cellEditable(name(), column)) {
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        }
        m_table->setItem(row, column, item);
    }
    item->setText(text().toQString(settings().cell(name(), row, column)));
}

} // namespace korvel::app
