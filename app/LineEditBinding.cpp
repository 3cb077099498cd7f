#include "app/LineEditBinding.h"

#include "app/CodePageValidator.h"

namespace korvel::app {

namespace {

constexpr int kQtUnlimited = 32767; // QLineEdit's own default maximum

} // namespace

LineEditBinding::LineEditBinding(BindingContext context, QLineEdit* edit)
    : WidgetBinding(context, edit)
    , m_edit(edit) {
    limitEditor(edit, text(), settings().maxLength(name()));
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& typed) { storeText(typed); });
}

void LineEditBinding::limitEditor(QLineEdit* edit, const DesktopText& text, int maxLength) {
    edit->setMaxLength(maxLength > 0 ? maxLength : kQtUnlimited);
    edit->setValidator(new CodePageValidator(text, edit));
}

void LineEditBinding::showValue() {
    const QString shown = text().toQString(settings().text(name()));
    if (m_edit->text() != shown) {
        m_edit->setText(shown);
    }
}

} // namespace korvel::app
