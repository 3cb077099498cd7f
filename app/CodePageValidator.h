#pragma once

#include "app/DesktopText.h"

#include <QValidator>

namespace korvel::app {

// Refuses any input holding a character that the desktop code page lacks, so that the operator
// cannot type what the station texts cannot store.
class CodePageValidator : public QValidator {
public:
    CodePageValidator(DesktopText text, QObject* parent);

    State validate(QString& input, int& position) const override;

private:
    DesktopText m_text;
};

} // namespace korvel::app
