#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QAbstractButton>

namespace korvel::app {

// A check box, or a radio button of a one-of group. The model, not Qt, keeps a group to one
// checked button, so that groups whose buttons share a parent stay apart.
class FlagBinding : public WidgetBinding {
public:
    FlagBinding(BindingContext context, QAbstractButton* button);

private:
    void showValue() override;

    QAbstractButton* m_button;
};

} // namespace korvel::app
