#include "app/MessageDialogs.h"

#include <QMessageBox>

namespace korvel::app {

namespace {

const QString kTitle = QStringLiteral("Korvel");

} // namespace

MessageDialogs::MessageDialogs(DesktopText text)
    : m_text(text) {}

bool MessageDialogs::askYesNo(std::string_view text) {
    return QMessageBox::question(m_parent, kTitle, m_text.toQString(text)) == QMessageBox::Yes;
}

void MessageDialogs::showError(std::string_view text) {
    QMessageBox::critical(m_parent, kTitle, m_text.toQString(text));
}

void MessageDialogs::showInformation(std::string_view text) {
    QMessageBox::information(m_parent, kTitle, m_text.toQString(text));
}

} // namespace korvel::app
