#pragma once

#include "app/WidgetBinding.h"

#include <QDoubleSpinBox>

namespace korvel::app {

// A stepped decimal spin edit; its suffix is the unit the model shows ("sec", "(infinite)").
class DecimalBinding : public WidgetBinding {
public:
    DecimalBinding(BindingContext context, QDoubleSpinBox* spin);

private:
    void showValue() override;
    void showCaption(const QString& caption) override;

    QDoubleSpinBox* m_spin;
};

} // namespace korvel::app
