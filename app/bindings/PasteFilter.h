#pragma once

#include "app/bindings/DesktopText.h"
#include "app/panel/ControlEvents.h"

#include <QString>
#include <QValidator>

class QLineEdit;

namespace korvel::app {

// Text that reaches a key-filtered field other than by typing (pasted by the context menu, the
// middle button or Shift+Insert) passes the field's key handler character by character, as if
// typed: a pasted "ab12" in the PI becomes "AB12", where unfiltered it would end as "FF12".
// Characters the handler discards are left out, before the length limit cuts what is kept; the
// rest of the field is not touched. The filter keeps the limit, not the field: the field would cut
// a paste to its limit before the filter saw it, losing what comes after the characters left out.
class PasteFilter : public QValidator {
public:
    PasteFilter(ControlEvents& events, DesktopText text, model::ControlName control, QLineEdit* edit,
                int limit);

    State validate(QString& input, int& position) const override;

private:
    [[nodiscard]] QString typed(const QString& inserted) const;

    ControlEvents& m_events;
    DesktopText m_text;
    model::ControlName m_control;
    QLineEdit* m_edit;        // owns the filter
    qsizetype m_limit;        // the field's length limit
    mutable QString m_before; // the field's text before the change at hand
};

} // namespace korvel::app
