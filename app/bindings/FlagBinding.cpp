#include "app/bindings/FlagBinding.h"

#include <QRadioButton>

namespace korvel::app {

FlagBinding::FlagBinding(BindingContext context, QAbstractButton* button)
    : WidgetBinding(context, button)
    , m_button(button) {
    m_button->setCheckable(true);
    const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
    m_button->setAutoExclusive(false);
    QObject::connect(button, &QAbstractButton::clicked, receiver(), [this, radio](bool checked) {
        // Clicking a checked radio button leaves it checked, as in an exclusive group.
        edit([this, radio, checked] { settings().setFlag(name(), radio || checked); });
        const QSignalBlocker blocker(m_button);
        showValue();
    });
}

void FlagBinding::showValue() {
    m_button->setChecked(settings().flag(name()));
}

} // namespace korvel::app
