#include "app/bindings/DisplayTexts.h"

namespace korvel::app {

namespace {

bool endsLine(QChar character) {
    return character == u'\n' || character == u'\r';
}

} // namespace

void DisplayTexts::add(const QString& english, const QString& shown) {
    if (english.contains(kAnyPart)) {
        m_patterns.push_back({english.split(kAnyPart), shown});
    } else {
        m_lines.insert(english, shown);
    }
}

QString DisplayTexts::shown(const QString& english) const {
    if (m_lines.isEmpty() && m_patterns.empty()) {
        return english;
    }
    QString result;
    qsizetype start = 0;
    for (qsizetype end = 0; end <= english.size(); ++end) {
        if (end == english.size() || endsLine(english[end])) {
            result += shownLine(english.mid(start, end - start));
            if (end < english.size()) {
                result += english[end];
            }
            start = end + 1;
        }
    }
    return result;
}

QString DisplayTexts::shownLine(const QString& english) const {
    if (const auto exact = m_lines.constFind(english); exact != m_lines.constEnd()) {
        return *exact;
    }
    for (const Pattern& pattern : m_patterns) {
        if (const auto parts = match(english, pattern.fixed)) {
            return filled(pattern.shown, *parts);
        }
    }
    return english;
}

// The fixed texts in their order, each part between them as short as it can be, the last one
// taking the rest of the line up to the fixed end.
std::optional<QStringList> DisplayTexts::match(const QString& line, const QStringList& fixed) {
    if (!line.startsWith(fixed.first()) || !line.endsWith(fixed.last()) ||
        line.size() < fixed.first().size() + fixed.last().size()) {
        return std::nullopt;
    }
    QStringList parts;
    qsizetype at = fixed.first().size();
    const qsizetype end = line.size() - fixed.last().size();
    for (qsizetype index = 1; index + 1 < fixed.size(); ++index) {
        const qsizetype found = line.indexOf(fixed[index], at);
        if (found < 0 || found + fixed[index].size() > end) {
            return std::nullopt;
        }
        parts.append(line.mid(at, found - at));
        at = found + fixed[index].size();
    }
    parts.append(line.mid(at, end - at));
    return parts;
}

QString DisplayTexts::filled(const QString& shown, const QStringList& parts) {
    QString result;
    qsizetype next = 0;
    for (const QChar character : shown) {
        if (character == kAnyPart && next < parts.size()) {
            result += parts[next++];
        } else {
            result += character;
        }
    }
    return result;
}

} // namespace korvel::app
