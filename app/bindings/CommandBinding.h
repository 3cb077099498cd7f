#pragma once

#include "app/bindings/WidgetBinding.h"

namespace korvel::app {

// A button, label or other control without a value: only its enabled and visible state and,
// where the logic manages it, its caption.
class CommandBinding : public WidgetBinding {
public:
    CommandBinding(BindingContext context, QWidget* widget);

private:
    void showValue() override {}
    void showCaption(const QString& caption) override;

    QWidget* m_widget;
};

} // namespace korvel::app
