#include "app/bindings/KeyFilter.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <optional>

namespace korvel::app {

namespace {

constexpr char kEnter = 13;
constexpr char kBackspace = 8;
constexpr char kDelete = 127;
constexpr auto kShortcutModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// The character a key press types, as the logic sees it; none for keys that type nothing. On a
// grid that is not edited in place, Delete counts as a character too.
std::optional<char> typedCharacter(const QKeyEvent& key, const DesktopText& text, bool onGrid) {
    if (onGrid && key.key() == Qt::Key_Delete) {
        return kDelete;
    }
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        return kEnter;
    }
    if (key.key() == Qt::Key_Backspace) {
        return kBackspace;
    }
    if ((key.modifiers() & kShortcutModifiers) != 0 || key.text().size() != 1 || !key.text()[0].isPrint()) {
        return std::nullopt;
    }
    const std::optional<std::string> bytes = text.fromQString(key.text());
    return bytes && bytes->size() == 1 ? std::optional<char>((*bytes)[0]) : std::nullopt;
}

// An Alt+letter that reaches the field belongs to no accelerator, or to a disabled one (Read
// without a bidirectional port): it must not slip past the filter as a typed letter.
bool strayAccelerator(const QKeyEvent& key) {
    const bool alt =
        key.modifiers().testFlag(Qt::AltModifier) && !key.modifiers().testFlag(Qt::ControlModifier);
    return alt && key.text().size() == 1 && key.text()[0].isPrint();
}

} // namespace

KeyFilter::KeyFilter(ControlEvents& events, DesktopText text, model::ControlName control, QObject* parent,
                     QTableWidget* grid)
    : QObject(parent)
    , m_events(events)
    , m_text(text)
    , m_control(control)
    , m_grid(grid) {}

namespace {

// Puts the focus on a control of the same window, its caret at the end of its text.
void moveFocus(QObject* from, model::ControlName to) {
    auto* widget = qobject_cast<QWidget*>(from);
    QWidget* target = widget ? widget->window()->findChild<QWidget*>(QString::fromLatin1(to.str())) : nullptr;
    if (target == nullptr) {
        return;
    }
    target->setFocus(Qt::OtherFocusReason);
    if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->lineEdit()) {
        combo->lineEdit()->deselect();
        combo->lineEdit()->end(false);
    }
}

} // namespace

char KeyFilter::handle(QObject* watched, char key) {
    if (m_grid == nullptr) {
        if (const auto focus = m_events.keyPress(m_control, key)) {
            moveFocus(watched, *focus);
        }
        return key;
    }
    const int row = m_grid->currentRow();
    const int next = m_events.gridKeyPress(m_control, row, key);
    if (next != row) {
        // Moving on commits the cell being edited; the next row opens for typing at once.
        m_grid->setCurrentCell(next, m_grid->currentColumn());
        if (!m_grid->editTriggers().testFlag(QAbstractItemView::CurrentChanged)) {
            m_grid->editItem(m_grid->currentItem());
        }
    }
    return key;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    return filter(watched, event);
}

bool KeyFilter::filter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || m_replaying) {
        return false;
    }
    const auto* press = static_cast<QKeyEvent*>(event);
    const std::optional<char> typed =
        typedCharacter(*press, m_text, qobject_cast<QTableWidget*>(watched) != nullptr);
    if (!typed) {
        return strayAccelerator(*press);
    }
    const char key = handle(watched, *typed);
    if (key == *typed) {
        return false;
    }
    if (key != '\0') {
        // The handler replaced the character: type the replacement instead.
        QKeyEvent replacement(QEvent::KeyPress, Qt::Key_unknown, press->modifiers(),
                              m_text.toQString(std::string(1, key)));
        m_replaying = true;
        QCoreApplication::sendEvent(watched, &replacement);
        m_replaying = false;
    }
    return true;
}

} // namespace korvel::app
