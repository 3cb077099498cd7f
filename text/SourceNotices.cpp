#include "text/SourceNotices.h"

#include "model/StationSettings.h"

#include <utility>

namespace korvel::text {

namespace {

constexpr model::ControlName kStatusBar = "StatusBar1";

} // namespace

SourceNotices::SourceNotices(model::StationSettings& settings, std::size_t sources)
    : m_settings(settings)
    , m_notices(sources) {}

void SourceNotices::report(std::size_t source, std::string message) {
    if (m_notices[source].message == message) {
        return;
    }
    end(source);
    m_notices[source].message = std::move(message);
}

// A message that another one covers hands it what it covered itself, so that the last one to
// end leaves the status bar as it was before either.
void SourceNotices::end(std::size_t source) {
    Notice ended = std::exchange(m_notices[source], {});
    if (!ended.told) {
        return;
    }
    if (m_settings.text(kStatusBar) == ended.message) {
        m_settings.setText(kStatusBar, ended.covered);
        return;
    }
    for (Notice& other : m_notices) {
        if (other.told && other.covered == ended.message) {
            other.covered = ended.covered;
        }
    }
}

void SourceNotices::tell(Instant now) {
    // A clock set back ends the hold rather than stretching it.
    if (m_heldFrom && now >= *m_heldFrom && now - *m_heldFrom < kHold) {
        return;
    }
    for (Notice& notice : m_notices) {
        if (!notice.message.empty() && !notice.told) {
            notice.covered = m_settings.text(kStatusBar);
            notice.told = true;
            m_settings.setText(kStatusBar, notice.message);
        }
    }
}

} // namespace korvel::text
