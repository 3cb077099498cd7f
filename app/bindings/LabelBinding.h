#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QLabel>

namespace korvel::app {

// A display value written by the logic (status text, connection state, preview).
class LabelBinding : public WidgetBinding {
public:
    LabelBinding(BindingContext context, QLabel* label);

private:
    void showValue() override;

    QLabel* m_label;
};

} // namespace korvel::app
