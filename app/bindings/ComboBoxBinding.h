#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QComboBox>

namespace korvel::app {

// A drop-down list: either a choice (the selected index) or, when editable, a text with
// suggestions (the edited text).
class ComboBoxBinding : public WidgetBinding {
public:
    ComboBoxBinding(BindingContext context, QComboBox* combo);

private:
    void showItems() override;
    void showValue() override;
    [[nodiscard]] bool holdsText();

    QComboBox* m_combo;
};

} // namespace korvel::app
