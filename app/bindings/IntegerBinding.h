#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QSpinBox>

namespace korvel::app {

// A whole-number spin edit with the control's range.
class IntegerBinding : public WidgetBinding {
public:
    IntegerBinding(BindingContext context, QSpinBox* spin);

private:
    void showValue() override;

    QSpinBox* m_spin;
};

} // namespace korvel::app
