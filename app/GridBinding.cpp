#include "app/GridBinding.h"

#include "app/LineEditBinding.h"

#include <QLineEdit>
#include <QStyledItemDelegate>

namespace korvel::app {

namespace {

class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(DesktopText text, int maxLength, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_text(text)
        , m_maxLength(maxLength) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            LineEditBinding::limitEditor(edit, m_text, m_maxLength);
        }
        return editor;
    }

private:
    DesktopText m_text;
    int m_maxLength;
};

} // namespace

GridBinding::GridBinding(BindingContext context, QTableWidget* table)
    : WidgetBinding(context, table)
    , m_table(table) {
    m_table->setRowCount(settings().rows(name()));
    m_table->setColumnCount(settings().columns(name()));
    m_table->setItemDelegate(new CellDelegate(text(), settings().maxLength(name()), table));
    QObject::connect(table, &QTableWidget::cellChanged, table, [this](int row, int column) {
        if (auto bytes = text().fromQString(m_table->item(row, column)->text())) {
            settings().setCell(name(), row, column, std::move(*bytes));
        }
    });
}

void GridBinding::showValue() {
    for (int row = 0; row < m_table->rowCount(); ++row) {
        for (int column = 0; column < m_table->columnCount(); ++column) {
            showCell(row, column);
        }
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
