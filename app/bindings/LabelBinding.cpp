#include "app/bindings/LabelBinding.h"

namespace korvel::app {

LabelBinding::LabelBinding(BindingContext context, QLabel* label)
    : WidgetBinding(context, label)
    , m_label(label) {
    m_label->setTextFormat(Qt::PlainText);
}

void LabelBinding::showValue() {
    const std::string& shown = settings().text(name());
    const bool utf8 = model::StationSettings::textDef(name()).encoding == model::TextEncoding::Utf8;
    m_label->setText(utf8 ? QString::fromStdString(shown) : text().toQString(shown));
}

} // namespace korvel::app
