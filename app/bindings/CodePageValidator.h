#pragma once

#include "app/bindings/DesktopText.h"

#include <QValidator>
#include <functional>

namespace korvel::app {

// Keeps out of an editor every character that the desktop code page lacks, so that the
// operator cannot type what the station texts cannot store. A typed character is refused; a
// pasted text keeps every character the page has. Each refusal is reported, never silent.
class CodePageValidator : public QValidator {
public:
    // Hears of every refusal: the first character left out and how many were left out.
    using Refusal = std::function<void(char32_t first, int count)>;

    CodePageValidator(DesktopText text, Refusal refusal, QObject* parent);

    State validate(QString& input, int& position) const override;

    // What the status bar says of a refusal, as UTF-8.
    [[nodiscard]] static std::string message(char32_t first, int count, int codePage);

private:
    DesktopText m_text;
    Refusal m_refusal;
};

} // namespace korvel::app
