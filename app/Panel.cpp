#include "app/Panel.h"

namespace korvel::app {

Panel::Panel(int codePage, char decimalSeparator)
    : m_settings(decimalSeparator)
    , m_codePage(codePage)
    , m_conversion(m_codePage) {}

} // namespace korvel::app
