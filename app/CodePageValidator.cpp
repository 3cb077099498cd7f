#include "app/CodePageValidator.h"

namespace korvel::app {

CodePageValidator::CodePageValidator(DesktopText text, QObject* parent)
    : QValidator(parent)
    , m_text(text) {}

QValidator::State CodePageValidator::validate(QString& input, int& /*position*/) const {
    return m_text.fromQString(input) ? Acceptable : Invalid;
}

} // namespace korvel::app
