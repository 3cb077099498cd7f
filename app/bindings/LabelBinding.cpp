#include "app/bindings/LabelBinding.h"

namespace korvel::app {

LabelBinding::LabelBinding(BindingContext context, QLabel* label)
    : WidgetBinding(context, label)
    , m_label(label) {
    m_label->setTextFormat(Qt::PlainText);
}

void LabelBinding::showValue() {
    const std::string& shown = settings().text(name());
    const model::TextDef& def = model::StationSettings::textDef(name());
    const QString decoded =
        def.encoding == model::TextEncoding::Utf8 ? QString::fromStdString(shown) : text().toQString(shown);
    m_label->setText(def.words == model::TextWords::Program ? words().shown(decoded) : decoded);
}

} // namespace korvel::app
