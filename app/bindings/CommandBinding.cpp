#include "app/bindings/CommandBinding.h"

#include <QAbstractButton>
#include <QLabel>

namespace korvel::app {

CommandBinding::CommandBinding(BindingContext context, QWidget* widget)
    : WidgetBinding(context, widget)
    , m_widget(widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QObject::connect(button, &QAbstractButton::clicked, receiver(), [this] { events().click(name()); });
    }
}

void CommandBinding::showCaption(const QString& caption) {
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) {
        button->setText(caption);
    } else if (auto* label = qobject_cast<QLabel*>(m_widget)) {
        label->setText(caption);
    }
}

} // namespace korvel::app
