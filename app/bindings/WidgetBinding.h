#pragma once

#include "app/bindings/DesktopText.h"
#include "app/bindings/DisplayTexts.h"
#include "app/panel/ControlEvents.h"
#include "model/StationSettings.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace korvel::app {

// What every binding needs: the settings it mirrors, the desktop code page for texts, where the
// operator's events go (through the error guard) and the words the program's own texts show in.
struct BindingContext {
    model::StationSettings& settings;
    DesktopText text;
    ControlEvents& events;
    const DisplayTexts& words;
};

// Keeps one widget in step with the control of the same name: the model's changes are shown
// in the widget, the operator's edits go to the model. Programmatic updates of the widget are
// wrapped in a QSignalBlocker so that they never loop back, and the widget the operator is
// typing in is never rewritten under the caret: it shows the model again when editing ends.
class WidgetBinding {
public:
    WidgetBinding(BindingContext context, QWidget* widget);
    WidgetBinding(const WidgetBinding&) = delete;
    WidgetBinding& operator=(const WidgetBinding&) = delete;
    virtual ~WidgetBinding() = default;

    // Shows the model's current state and starts following it; called once, after construction.
    void start();
    // Shows the model's current state again, as after a change of the window's words.
    void showAll();
    // The operator has finished editing the widget (Enter, or the focus left it): it shows
    // the model's value, which the edits may have changed.
    void finishEditing();

    [[nodiscard]] model::ControlName name() const { return m_name; }

protected:
    [[nodiscard]] model::StationSettings& settings() { return m_context.settings; }
    [[nodiscard]] const BindingContext& context() const { return m_context; }
    [[nodiscard]] const DesktopText& text() const { return m_context.text; }
    [[nodiscard]] const DisplayTexts& words() const { return m_context.words; }
    [[nodiscard]] ControlEvents& events() const { return m_context.events; }
    // The items as the window shows them: those of a choice in the window's words.
    [[nodiscard]] QStringList itemList() const;
    // The context of the binding's connections: they end with the binding, which the window
    // may destroy before its widgets.
    [[nodiscard]] QObject* receiver() const { return m_receiver.get(); }

    // Applies an edit of the operator to the settings. The widget is not rewritten while the
    // edit runs: it already shows what the operator typed.
    void edit(const std::function<void()>& apply);
    // The operator's text as the control's value; the editors only let through what the code
    // page can store.
    void storeText(const QString& typed);

    virtual void showValue() = 0;
    virtual void showItems() {}
    // A managed caption (see StationSettings::caption); the default shows none.
    virtual void showCaption(const QString& /*caption*/) {}
    virtual void showEnabled(bool enabled);

private:
    void show(model::Aspect aspect);
    void showState();

    BindingContext m_context;
    QPointer<QWidget> m_widget;
    model::ControlName m_name;
    model::Subscription m_subscription;
    std::unique_ptr<QObject> m_receiver = std::make_unique<QObject>();
    bool m_editing = false;
    bool m_stale = false; // the model changed while the operator was editing
};

} // namespace korvel::app
