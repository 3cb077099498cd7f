#include "app/desktop/DesktopLocale.h"

#include <QLocale>
#include <QTime>

namespace korvel::app {

namespace {

char asciiOr(const QString& separator, char fallback) {
    return separator.size() == 1 && separator[0].unicode() < 0x80 ? separator[0].toLatin1() : fallback;
}

} // namespace

char DesktopLocale::decimalSeparator() {
    return asciiOr(QLocale::system().decimalPoint(), '.');
}

// The locale has no separate name for it: it is whatever stands between hours and minutes.
char DesktopLocale::timeSeparator() {
    const QString time = QLocale::system().toString(QTime(1, 2), QLocale::ShortFormat);
    const qsizetype start = time.indexOf('1') + 1;
    const qsizetype end = time.indexOf('2', start);
    return start > 0 && end > start ? asciiOr(time.mid(start, end - start).trimmed(), ':') : ':';
}

} // namespace korvel::app
