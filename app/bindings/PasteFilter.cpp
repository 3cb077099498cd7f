#include "app/bindings/PasteFilter.h"

#include <QLineEdit>
#include <algorithm>
#include <utility>

namespace korvel::app {

namespace {

constexpr char kFirstPrintable = ' ';

// How many characters the two texts share at their starts and, after those, at their ends.
std::pair<qsizetype, qsizetype> sharedEnds(const QString& before, const QString& after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head]) {
        ++head;
    }
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    return {head, tail};
}

} // namespace

PasteFilter::PasteFilter(ControlEvents& events, DesktopText text, model::ControlName control, QLineEdit* edit,
                         int limit)
    : QValidator(edit)
    , m_events(events)
    , m_text(text)
    , m_control(control)
    , m_edit(edit)
    , m_limit(limit)
    , m_before(edit->text()) {}

QValidator::State PasteFilter::validate(QString& input, int& position) const {
    // The window shows the model's values with the field's signals blocked: the program's own
    // value is shown as it is, and is what the operator's next change starts from.
    if (m_edit->signalsBlocked()) {
        m_before = input;
        return Acceptable;
    }
    const auto [head, tail] = sharedEnds(m_before, input);
    const QString inserted = input.mid(head, input.size() - head - tail);
    const QString kept = typed(inserted).left(std::max<qsizetype>(0, m_limit - head - tail));
    const QString result = input.left(head) + kept + input.right(tail);
    const std::optional<std::string> bytes = m_text.fromQString(result);
    if (bytes && !m_events.holds(m_control, *bytes)) {
        return Invalid; // the field keeps its text
    }
    if (kept != inserted) {
        input = result;
        position = static_cast<int>(head + kept.size());
    }
    m_before = input;
    return Acceptable;
}

QString PasteFilter::typed(const QString& inserted) const {
    QString kept;
    for (const char32_t character : inserted.toUcs4()) {
        const std::optional<std::string> bytes = m_text.fromQString(QString::fromUcs4(&character, 1));
        if (!bytes || bytes->size() != 1 || static_cast<unsigned char>((*bytes)[0]) < kFirstPrintable) {
            continue; // line breaks and tabs of a pasted text are not typing
        }
        char key = (*bytes)[0];
        static_cast<void>(m_events.keyPress(m_control, key));
        if (key != '\0') {
            kept += m_text.toQString(std::string(1, key));
        }
    }
    return kept;
}

} // namespace korvel::app
