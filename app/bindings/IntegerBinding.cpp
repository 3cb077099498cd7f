#include "app/bindings/IntegerBinding.h"

namespace korvel::app {

IntegerBinding::IntegerBinding(BindingContext context, QSpinBox* spin)
    : WidgetBinding(context, spin)
    , m_spin(spin) {
    const model::IntegerDef& def = settings().integerDef(name());
    m_spin->setRange(def.min, def.max);
    QObject::connect(spin, &QSpinBox::valueChanged, receiver(),
                     [this](int value) { edit([this, value] { settings().setInteger(name(), value); }); });
    QObject::connect(spin, &QSpinBox::editingFinished, receiver(), [this] { finishEditing(); });
}

void IntegerBinding::showValue() {
    m_spin->setValue(settings().integer(name()));
}

} // namespace korvel::app
