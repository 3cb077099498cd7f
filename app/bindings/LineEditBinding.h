#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QLineEdit>

namespace korvel::app {

// A text field: the model's bytes shown in the desktop code page; typing is limited to the
// control's length and to characters the code page has, or, in a key-filtered field, to those its
// key handler takes.
class LineEditBinding : public WidgetBinding {
public:
    LineEditBinding(BindingContext context, QLineEdit* edit);

    // The limits any text editor of a control gets, shared with combo boxes and grid cells: its
    // length, and the characters of the code page, a refusal shown in the status bar.
    static void limitEditor(QLineEdit* edit, const BindingContext& context, model::ControlName name);

private:
    void showValue() override;

    QLineEdit* m_edit;
};

} // namespace korvel::app
