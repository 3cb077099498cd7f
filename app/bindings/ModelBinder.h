#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QPointer>
#include <memory>
#include <vector>

namespace korvel::app {

// Binds every widget whose objectName names a control of the station settings: adding a
// control to a page and to the settings is all it takes to bind it.
class ModelBinder {
public:
    explicit ModelBinder(BindingContext context);

    // Binds root and all its descendants that name a control. A named widget of a type that
    // cannot show its control's kind is a programming error: std::logic_error.
    void bindTree(QWidget* root);

    [[nodiscard]] bool isBound(model::ControlName name) const;
    // Every bound widget shows its control again, as after a change of the window's words.
    void showAgain();

private:
    [[nodiscard]] std::unique_ptr<WidgetBinding> makeBinding(QWidget* widget, model::Kind kind) const;
    void filterKeys(QWidget* widget, model::ControlName name);
    // Tells the logic when the focus leaves a bound control.
    void followFocus();

    struct Bound {
        std::unique_ptr<WidgetBinding> binding;
        QPointer<QWidget> widget;
    };

    BindingContext m_context;
    std::vector<Bound> m_bindings;
    std::unique_ptr<QObject> m_focusContext;
};

} // namespace korvel::app
