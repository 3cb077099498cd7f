#pragma once

#include "text/CodePage.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace korvel::app {

// The window's side of "texts are bytes": station texts are bytes of the desktop code page,
// Qt widgets hold Unicode.
class DesktopText {
public:
    explicit DesktopText(const text::CodePage& codePage)
        : m_codePage(codePage) {}

    [[nodiscard]] QString toQString(std::string_view bytes) const;
    // nullopt when the code page lacks a character of the text.
    [[nodiscard]] std::optional<std::string> fromQString(const QString& text) const;
    [[nodiscard]] int codePageNumber() const { return m_codePage.number(); }

private:
    const text::CodePage& m_codePage;
};

} // namespace korvel::app
