#include "app/bindings/DesktopText.h"

#include <QList>

namespace korvel::app {

QString DesktopText::toQString(std::string_view bytes) const {
    const std::u32string unicode = m_codePage.decode(bytes);
    return QString::fromUcs4(unicode.data(), static_cast<qsizetype>(unicode.size()));
}

std::optional<std::string> DesktopText::fromQString(const QString& text) const {
    const QList<uint> unicode = text.toUcs4();
    const std::u32string characters(unicode.begin(), unicode.end());
    return m_codePage.encode(characters);
}

} // namespace korvel::app
