#include "text/SourceNotices.h"

#include "model/StationSettings.h"

#include <algorithm>

namespace korvel::text {

namespace {

constexpr model::ControlName kStatusBar = "StatusBar1";

} // namespace

SourceNotices::SourceNotices(model::StationSettings& settings, std::vector<std::string_view> labels)
    : m_settings(settings)
    , m_labels(std::move(labels))
    , m_notices(m_labels.size()) {}

void SourceNotices::report(std::size_t source, std::string cause) {
    Notice& notice = m_notices[source];
    if (notice.cause != cause) {
        notice = {std::move(cause), false};
    }
}

// What is still told stays in view; with nothing left the status bar gets its own text back.
void SourceNotices::end(std::size_t source) {
    if (m_notices[source].cause.empty()) {
        return;
    }
    m_notices[source] = {};
    if (showing()) {
        std::string left = message(true);
        m_settings.setText(kStatusBar, left.empty() ? m_covered : left);
        m_shown = std::move(left);
    }
}

void SourceNotices::tell(Instant now) {
    // A clock set back ends the hold rather than stretching it.
    if (m_heldFrom && now >= *m_heldFrom && now - *m_heldFrom < kHold) {
        return;
    }
    const bool untold = std::any_of(m_notices.begin(), m_notices.end(),
                                    [](const Notice& n) { return !n.cause.empty() && !n.told; });
    if (!untold) {
        return;
    }
    for (Notice& notice : m_notices) {
        notice.told = !notice.cause.empty();
    }
    show(message(true));
}

// "Radiotext source: <cause>", "Radiotext and Dynamic PS sources: <cause>" when both found the
// same, or each source's own message after the other.
std::string SourceNotices::message(bool toldOnly) const {
    std::vector<std::size_t> sources;
    for (std::size_t source = 0; source < m_notices.size(); ++source) {
        if (!m_notices[source].cause.empty() && (m_notices[source].told || !toldOnly)) {
            sources.push_back(source);
        }
    }
    if (sources.empty()) {
        return {};
    }
    const std::string& first = m_notices[sources.front()].cause;
    const bool same = std::all_of(sources.begin(), sources.end(),
                                  [&](std::size_t source) { return m_notices[source].cause == first; });
    std::string text;
    for (const std::size_t source : sources) {
        if (!text.empty()) {
            text += same ? " and " : " | ";
        }
        text += m_labels[source];
        if (!same) {
            text += " source: " + m_notices[source].cause;
        }
    }
    return same ? text + (sources.size() > 1 ? " sources: " : " source: ") + first : text;
}

bool SourceNotices::showing() const {
    return !m_shown.empty() && m_settings.text(kStatusBar) == m_shown;
}

void SourceNotices::show(std::string message) {
    if (!showing()) {
        m_covered = m_settings.text(kStatusBar);
    }
    m_settings.setText(kStatusBar, message);
    m_shown = std::move(message);
}

} // namespace korvel::text
