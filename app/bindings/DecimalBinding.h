#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QDoubleSpinBox>

namespace korvel::app {

// A decimal spin edit; its suffix is the unit the model shows ("sec", "(infinite)"). A stepped
// decimal changes only by its arrows and the Up and Down keys, so that it stays a whole number
// of steps. A special value at the minimum reads as its unit alone (".5 min"); a special unit
// elsewhere replaces the suffix in a box as wide as its widest text, so that it never jumps.
class DecimalBinding : public WidgetBinding {
public:
    DecimalBinding(BindingContext context, QDoubleSpinBox* spin);

private:
    // The units are the spin edit's only words: they show in the window's words.
    void showItems() override;
    void showValue() override;
    void showCaption(const QString& caption) override;
    [[nodiscard]] QString unitText(std::string_view unit) const;
    [[nodiscard]] bool specialAtMinimum() const;
    void fitWidestSuffix();

    QDoubleSpinBox* m_spin;
    const model::DecimalDef& m_def;
};

} // namespace korvel::app
