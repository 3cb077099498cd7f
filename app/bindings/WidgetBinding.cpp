#include "app/bindings/WidgetBinding.h"

#include <QSignalBlocker>

namespace korvel::app {

WidgetBinding::WidgetBinding(BindingContext context, QWidget* widget)
    : m_context(context)
    , m_widget(widget)
    , m_name(model::ControlName::find(widget->objectName().toStdString()).value()) {}

void WidgetBinding::start() {
    showAll();
    m_subscription = settings().subscribe(m_name, [this](model::Aspect aspect) { show(aspect); });
}

void WidgetBinding::showAll() {
    if (m_widget.isNull()) {
        return;
    }
    const QSignalBlocker blocker(m_widget.data());
    showItems();
    showValue();
    showState();
}

void WidgetBinding::edit(const std::function<void()>& apply) {
    const bool outer = !m_editing;
    m_editing = true;
    events().edit(m_name, apply);
    if (outer) {
        m_editing = false;
    }
}

void WidgetBinding::finishEditing() {
    if (m_stale && !m_widget.isNull()) {
        m_stale = false;
        const QSignalBlocker blocker(m_widget.data());
        showValue();
    }
}

void WidgetBinding::show(model::Aspect aspect) {
    if (m_widget.isNull()) {
        return; // the window is going away
    }
    const QSignalBlocker blocker(m_widget.data());
    switch (aspect) {
    case model::Aspect::Value:
        if (m_editing) {
            m_stale = true;
        } else {
            showValue();
        }
        break;
    case model::Aspect::State:
        showState();
        break;
    case model::Aspect::Items:
        showItems();
        showValue();
        break;
    }
}

void WidgetBinding::showState() {
    showEnabled(settings().enabled(m_name));
    m_widget->setVisible(settings().visible(m_name));
    const std::string& caption = settings().caption(m_name);
    if (!caption.empty()) {
        showCaption(words().shown(text().toQString(caption)));
    }
}

void WidgetBinding::showEnabled(bool enabled) {
    m_widget->setEnabled(enabled);
}

void WidgetBinding::storeText(const QString& typed) {
    if (auto bytes = text().fromQString(typed)) {
        edit([this, &bytes] { settings().setText(m_name, std::move(*bytes)); });
    }
}

// A choice is kept by its index, so its items may show in other words; the items of a text are
// suggestions for its value and show as they are.
QStringList WidgetBinding::itemList() const {
    const bool choice = m_name.kind() != model::Kind::Text;
    QStringList list;
    for (const std::string& item : m_context.settings.items(m_name)) {
        const QString shown = text().toQString(item);
        list.append(choice ? words().shown(shown) : shown);
    }
    return list;
}

} // namespace korvel::app
