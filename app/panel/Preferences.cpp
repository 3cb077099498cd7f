#include "app/panel/Preferences.h"

#include "model/Dialogs.h"
#include "model/StationSettings.h"

#include <filesystem>
#include <system_error>

namespace korvel::app {

Preferences::Preferences(model::StationSettings& settings, model::Dialogs& dialogs, Desktop desktop)
    : m_settings(settings)
    , m_dialogs(dialogs)
    , m_desktop(std::move(desktop)) {}

void Preferences::CBHPRIClick() {
    const bool high = m_settings.flag("CBHPRI");
    if (!m_desktop.setHighPriority) {
        return;
    }
    if (const auto refused = m_desktop.setHighPriority(high)) {
        m_settings.setText("StatusBar1", std::string(high ? "The system refused the high priority: "
                                                          : "The system refused the normal priority: ") +
                                             *refused);
    }
}

void Preferences::BR1Click() {
    const auto path = m_dialogs.chooseFile(kPictureFilter);
    if (!path) {
        return;
    }
    std::error_code error;
    if (std::filesystem::is_regular_file(*path, error)) {
        takePicture(*path);
    } else {
        // The picture shown stays; the next start shows none.
        m_settings.program().skinPicturePath = kNoPicture;
        m_settings.setText("LImageFile", kNoPicture);
    }
}

void Preferences::showStoredPicture() {
    const std::string& stored = m_settings.text("LImageFile");
    if (stored != m_settings.program().skinPicturePath && stored != kNoPicture) {
        takePicture(stored);
    }
}

// The window loads the picture; one that cannot be loaded leaves the page as it was.
void Preferences::takePicture(const std::string& path) {
    m_settings.program().skinPicturePath = path;
    m_settings.setText("LImageFile", path);
    m_settings.setText("LOGO", path);
}

void Preferences::GBHELPClick() {
    const std::string manual = m_settings.program().programFolder + kManual;
    std::error_code unknown;
    if (!std::filesystem::is_regular_file(manual, unknown)) {
        m_dialogs.showError(std::string(kManualMissing) + '\r' + manual + '\r' + kReinstall);
    } else if (!m_desktop.openDocument || !m_desktop.openDocument(manual)) {
        m_dialogs.showError(std::string(kManualUnopened) + '\r' + manual + '\r' + kInstallViewer);
    }
}

bool Preferences::hasTray() const {
    return m_desktop.trayAvailable && m_desktop.trayAvailable();
}

void Preferences::showWindow(bool visible) {
    m_settings.setVisible("Form1", visible);
    m_settings.setVisible("Hide1", visible);
    m_settings.setVisible("Show1", !visible);
}

void Preferences::Hide1Click() {
    if (hasTray()) {
        showWindow(false);
    }
}

void Preferences::TrayIconDblClick() {
    if (!m_settings.visible("Form1")) {
        showWindow(true);
    }
}

bool Preferences::minimised() {
    if (!m_settings.flag("CBMITR") || !hasTray()) {
        return false;
    }
    Hide1Click();
    return true;
}

bool Preferences::startsVisible(bool failed) const {
    return failed || m_settings.program().startVisible || !hasTray();
}

void Preferences::showAtStart(bool visible) {
    showWindow(visible);
}

} // namespace korvel::app
