#include "app/bindings/LineEditBinding.h"

#include "app/bindings/CodePageValidator.h"
#include "app/bindings/PasteFilter.h"

namespace korvel::app {

namespace {

constexpr int kQtUnlimited = 32767; // QLineEdit's own default maximum

int lengthLimit(const BindingContext& context, model::ControlName name) {
    const int maxLength = context.settings.maxLength(name);
    return maxLength > 0 ? maxLength : kQtUnlimited;
}

} // namespace

LineEditBinding::LineEditBinding(BindingContext context, QLineEdit* edit)
    : WidgetBinding(context, edit)
    , m_edit(edit) {
    if (context.events.filtersKeys(name())) {
        // The key handler admits fewer characters than the code page: it judges pasted text too.
        edit->setValidator(
            new PasteFilter(context.events, context.text, name(), edit, lengthLimit(context, name())));
    } else {
        limitEditor(edit, context, name());
    }
    QObject::connect(edit, &QLineEdit::textEdited, receiver(),
                     [this](const QString& typed) { storeText(typed); });
    QObject::connect(edit, &QLineEdit::editingFinished, receiver(), [this] { finishEditing(); });
}

void LineEditBinding::limitEditor(QLineEdit* edit, const BindingContext& context, model::ControlName name) {
    edit->setMaxLength(lengthLimit(context, name));
    const auto refused = [context](char32_t first, int count) {
        const std::string message = CodePageValidator::message(first, count, context.text.codePageNumber());
        context.events.edit("StatusBar1", [&] { context.settings.setText("StatusBar1", message); });
    };
    edit->setValidator(new CodePageValidator(context.text, refused, edit));
}

void LineEditBinding::showValue() {
    const QString shown = text().toQString(settings().text(name()));
    if (m_edit->text() != shown) {
        m_edit->setText(shown);
    }
}

} // namespace korvel::app
