#include "app/desktop/MessageDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace korvel::app {

namespace {

const QString kTitle = QStringLiteral("Korvel");
// The answers to a question, in the program's words like the question.
constexpr const char* kYes = "&Yes";
constexpr const char* kNo = "&No";

} // namespace

// The logic ends its lines with a carriage return, which a message box does not break at.
QString MessageDialogs::shown(std::string_view text) const {
    const QString lines = m_text.toQString(text).replace('\r', '\n');
    return m_words != nullptr ? m_words->shown(lines) : lines;
}

MessageDialogs::MessageDialogs(DesktopText text)
    : m_text(text) {}

bool MessageDialogs::askYesNo(std::string_view text) {
    QMessageBox box(QMessageBox::Question, kTitle, shown(text), QMessageBox::Yes | QMessageBox::No, m_parent);
    box.button(QMessageBox::Yes)->setText(shown(kYes));
    box.button(QMessageBox::No)->setText(shown(kNo));
    return box.exec() == QMessageBox::Yes;
}

void MessageDialogs::showError(std::string_view text) {
    QMessageBox::critical(m_parent, kTitle, shown(text));
}

// A path the desktop code page cannot hold counts as no choice: no station text could keep it.
std::optional<std::string> MessageDialogs::chooseFile(std::string_view filter) {
    const QString path = QFileDialog::getOpenFileName(m_parent, kTitle, {}, shown(filter));
    return path.isEmpty() ? std::nullopt : m_text.fromQString(path);
}

void MessageDialogs::showInformation(std::string_view text) {
    QMessageBox::information(m_parent, kTitle, shown(text));
}

} // namespace korvel::app
