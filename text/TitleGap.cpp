#include "text/TitleGap.h"

namespace korvel::text {

// A clock set back starts the gap again: it must not wait for the hours it went back.
void TitleGap::run(Instant now) {
    if (!m_since || now < *m_since) {
        m_since = now;
    }
}

void TitleGap::restart(Instant now) {
    m_since = now;
    m_fallbackTaken = false;
}

void TitleGap::stop() {
    m_since.reset();
    m_fallbackTaken = false;
}

bool TitleGap::fallbackDue(Instant now, std::chrono::minutes after) const {
    return m_since && !m_fallbackTaken && now - *m_since >= after;
}

} // namespace korvel::text
