#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace korvel::app {

// The program's own words as the window shows them: the English the logic writes, or the words
// a translation gives for it. Each line of a text is looked up on its own. A line given with "*"
// stands for every line that holds anything in its places ("Port * opened"); the "*"s of its
// translation take those parts, in their order. A line without a translation shows as it is.
class DisplayTexts {
public:
    static constexpr QChar kAnyPart = u'*';

    void add(const QString& english, const QString& shown);
    [[nodiscard]] QString shown(const QString& english) const;

private:
    struct Pattern {
        QStringList fixed; // the text around the "*"s
        QString shown;
    };

    [[nodiscard]] QString shownLine(const QString& english) const;
    // The parts of the line that stand in the pattern's places; nullopt when it does not match.
    [[nodiscard]] static std::optional<QStringList> match(const QString& line, const QStringList& fixed);
    [[nodiscard]] static QString filled(const QString& shown, const QStringList& parts);

    QHash<QString, QString> m_lines;
    std::vector<Pattern> m_patterns;
};

} // namespace korvel::app
