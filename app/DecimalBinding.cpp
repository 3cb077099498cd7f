#include "app/DecimalBinding.h"

namespace korvel::app {

DecimalBinding::DecimalBinding(BindingContext context, QDoubleSpinBox* spin)
    : WidgetBinding(context, spin)
    , m_spin(spin) {
    const model::DecimalDef& def = settings().decimalDef(name());
    m_spin->setDecimals(def.decimals);
    m_spin->setRange(def.min, def.max);
    m_spin->setSingleStep(def.step);
    QObject::connect(spin, &QDoubleSpinBox::valueChanged, receiver(),
                     [this](double value) { edit([this, value] { settings().setDecimal(name(), value); }); });
    QObject::connect(spin, &QDoubleSpinBox::editingFinished, receiver(), [this] { finishEditing(); });
}

void DecimalBinding::showValue() {
    m_spin->setValue(settings().decimal(name()));
}

void DecimalBinding::showCaption(const QString& caption) {
    m_spin->setSuffix(' ' + caption);
}

} // namespace korvel::app
