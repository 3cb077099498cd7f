#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QListWidget>

namespace korvel::app {

// A check list: one check mark per item of the model's list.
class CheckListBinding : public WidgetBinding {
public:
    CheckListBinding(BindingContext context, QListWidget* list);

private:
    void showItems() override;
    void showValue() override;

    QListWidget* m_list;
};

} // namespace korvel::app
