#pragma once

#include "app/ControlEvents.h"
#include "app/DesktopText.h"
#include "model/StationSettings.h"

#include <QPointer>
#include <QWidget>
#include <string>

namespace korvel::app {

// What every binding needs: the settings it mirrors, the desktop code page for texts and where
// the operator's events go.
struct BindingContext {
    model::StationSettings& settings;
    DesktopText text;
    ControlEvents& events;
};

// Keeps one widget in step with the control of the same name: the model's changes are shown
// in the widget, the operator's edits go to the model. Programmatic updates of the widget are
// wrapped in a QSignalBlocker so that they never loop back.
class WidgetBinding {
public:
    WidgetBinding(BindingContext context, QWidget* widget);
    WidgetBinding(const WidgetBinding&) = delete;
    WidgetBinding& operator=(const WidgetBinding&) = delete;
    virtual ~WidgetBinding() = default;

    // Shows the model's current state and starts following it; called once, after construction.
    void start();

    [[nodiscard]] const std::string& name() const { return m_name; }

protected:
    [[nodiscard]] model::StationSettings& settings() { return m_context.settings; }
    [[nodiscard]] const DesktopText& text() const { return m_context.text; }
    [[nodiscard]] ControlEvents& events() { return m_context.events; }
    [[nodiscard]] QStringList itemList() const;
    // The operator's text as the control's value; the editors only let through what the code
    // page can store.
    void storeText(const QString& typed);

    virtual void showValue() = 0;
    virtual void showItems() {}
    // A managed caption (see StationSettings::caption); the default shows none.
    virtual void showCaption(const QString& /*caption*/) {}

private:
    void show(model::Aspect aspect);
    void showState();

    BindingContext m_context;
    QPointer<QWidget> m_widget;
    std::string m_name;
    model::Subscription m_subscription;
};

} // namespace korvel::app
