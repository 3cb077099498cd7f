#include "app/desktop/MessageDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace korvel::app {

namespace {

const QString kTitle = QStringLiteral("Korvel");

} // namespace

// The logic ends its lines with a carriage return, which a message box does not break at.
QString MessageDialogs::shown(std::string_view text) const {
    return m_text.toQString(text).replace('\r', '\n');
}

MessageDialogs::MessageDialogs(DesktopText text)
    : m_text(text) {}

bool MessageDialogs::askYesNo(std::string_view text) {
    return QMessageBox::question(m_parent, kTitle, shown(text)) == QMessageBox::Yes;
}

void MessageDialogs::showError(std::string_view text) {
    QMessageBox::critical(m_parent, kTitle, shown(text));
}

// A path the desktop code page cannot hold counts as no choice: no station text could keep it.
std::optional<std::string> MessageDialogs::chooseFile(std::string_view filter) {
    const QString path = QFileDialog::getOpenFileName(m_parent, kTitle, {}, m_text.toQString(filter));
    return path.isEmpty() ? std::nullopt : m_text.fromQString(path);
}

void MessageDialogs::showInformation(std::string_view text) {
    QMessageBox::information(m_parent, kTitle, shown(text));
}

} // namespace korvel::app
