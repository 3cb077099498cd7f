#include "app/WidgetBinding.h"

#include <QSignalBlocker>

namespace korvel::app {

WidgetBinding::WidgetBinding(BindingContext context, QWidget* widget)
    : m_context(context)
    , m_widget(widget)
    , m_name(widget->objectName().toStdString()) {}

void WidgetBinding::start() {
    {
        const QSignalBlocker blocker(m_widget.data());
        showItems();
        showValue();
        showState();
    }
    m_subscription = settings().subscribe(m_name, [this](model::Aspect aspect) { show(aspect); });
}

void WidgetBinding::show(model::Aspect aspect) {
    if (m_widget.isNull()) {
        return; // the window is going away
    }
    const QSignalBlocker blocker(m_widget.data());
    switch (aspect) {
    case model::Aspect::Value:
        showValue();
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
    m_widget->setEnabled(settings().enabled(m_name));
    m_widget->setVisible(settings().visible(m_name));
    const std::string& caption = settings().caption(m_name);
    if (!caption.empty()) {
        showCaption(text().toQString(caption));
    }
}

void WidgetBinding::storeText(const QString& typed) {
    if (auto bytes = text().fromQString(typed)) {
        settings().setText(m_name, std::move(*bytes));
    }
}

QStringList WidgetBinding::itemList() const {
    QStringList list;
    for (const std::string& item : m_context.settings.items(m_name)) {
        list.append(text().toQString(item));
    }
    return list;
}

} // namespace korvel::app
