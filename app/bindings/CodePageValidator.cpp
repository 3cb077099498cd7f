#include "app/bindings/CodePageValidator.h"

namespace korvel::app {

CodePageValidator::CodePageValidator(DesktopText text, Refusal refusal, QObject* parent)
    : QValidator(parent)
    , m_text(text)
    , m_refusal(std::move(refusal)) {}

QValidator::State CodePageValidator::validate(QString& input, int& position) const {
    if (m_text.fromQString(input)) {
        return Acceptable;
    }
    QString kept;
    char32_t first = 0;
    int refused = 0;
    int keptBeforeCaret = 0;
    qsizetype offset = 0; // UTF-16 position in input of the character at hand
    for (const char32_t character : input.toUcs4()) {
        const QString one = QString::fromUcs4(&character, 1);
        if (m_text.fromQString(one)) {
            kept += one;
            keptBeforeCaret += offset < position ? static_cast<int>(one.size()) : 0;
        } else if (refused++ == 0) {
            first = character;
        }
        offset += one.size();
    }
    input = kept;
    position = keptBeforeCaret;
    if (m_refusal) {
        m_refusal(first, refused);
    }
    return Acceptable;
}

std::string CodePageValidator::message(char32_t first, int count, int codePage) {
    const QString character = QString::fromUcs4(&first, 1);
    const QString code = QString("U+%1").arg(static_cast<uint>(first), 4, 16, QChar('0')).toUpper();
    QString text = QString("Code page %1 has no \"%2\" (%3)").arg(codePage).arg(character, code);
    text += count > 1 ? QString(" nor %1 more; they were left out.").arg(count - 1)
                      : QString("; it was left out.");
    return text.toStdString();
}

} // namespace korvel::app
