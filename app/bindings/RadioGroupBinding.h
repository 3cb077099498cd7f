#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QButtonGroup>
#include <QGroupBox>

namespace korvel::app {

// A choice shown as a captioned group of radio buttons, one per item of the model's list.
class RadioGroupBinding : public WidgetBinding {
public:
    RadioGroupBinding(BindingContext context, QGroupBox* box);

private:
    void showItems() override;
    void showValue() override;
    void enterAtChoice(int index);

    QGroupBox* m_box;
    QButtonGroup* m_buttons;
};

} // namespace korvel::app
