#include "app/LabelBinding.h"

namespace korvel::app {

LabelBinding::LabelBinding(BindingContext context, QLabel* label)
    : WidgetBinding(context, label)
    , m_label(label) {
    m_label->setTextFormat(Qt::PlainText);
}

void LabelBinding::showValue() {
    m_label->setText(text().toQString(settings().text(name())));
}

} // namespace korvel::app
