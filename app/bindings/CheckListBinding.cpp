#include "app/bindings/CheckListBinding.h"

namespace korvel::app {

CheckListBinding::CheckListBinding(BindingContext context, QListWidget* list)
    : WidgetBinding(context, list)
    , m_list(list) {
    QObject::connect(list, &QListWidget::itemChanged, receiver(), [this](QListWidgetItem* item) {
        const int row = m_list->row(item);
        const bool checked = item->checkState() == Qt::Checked;
        edit([this, row, checked] { settings().setChecked(name(), row, checked); });
    });
}

void CheckListBinding::showItems() {
    m_list->clear();
    for (const QString& caption : itemList()) {
        auto* item = new QListWidgetItem(caption, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    }
}

void CheckListBinding::showValue() {
    for (int row = 0; row < m_list->count(); ++row) {
        m_list->item(row)->setCheckState(settings().checked(name(), row) ? Qt::Checked : Qt::Unchecked);
    }
}

} // namespace korvel::app
