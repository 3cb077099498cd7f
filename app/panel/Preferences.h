#pragma once

#include <functional>
#include <optional>
#include <string>

namespace korvel::model {
class Dialogs;
class StationSettings;
} // namespace korvel::model

namespace korvel::app {

// The operator's preferences that act on the program itself: its priority, the skin picture of
// the Program page, the window hidden to the tray and shown again, and the operator's guide.
class Preferences {
public:
    // What the preferences need of the desktop.
    struct Desktop {
        // Applies a high or normal priority; the system's reason when it refuses.
        std::function<std::optional<std::string>(bool high)> setHighPriority;
        // Whether the desktop has a tray to hide the window into; without one it is never hidden.
        std::function<bool()> trayAvailable;
        // Shows a document in the desktop's viewer for its kind; false when the desktop has none.
        std::function<bool(const std::string& path)> openDocument;
    };

    static constexpr const char* kNoPicture = "(none)";
    static constexpr const char* kPictureFilter = "Pictures (*.bmp *.png *.jpg *.jpeg *.gif *.svg)";
    // The operator's guide in the program's folder, and what the operator reads when it cannot
    // show: the message, the guide's path on a line of its own, what to do.
    static constexpr const char* kManual = "korvel.pdf";
    static constexpr const char* kManualMissing = "The operator's guide is missing:";
    static constexpr const char* kReinstall = "Install Korvel again to bring it back.";
    static constexpr const char* kManualUnopened = "The operator's guide could not be opened:";
    static constexpr const char* kInstallViewer =
        "Install a PDF viewer (for example evince or mupdf) and xdg-utils, or open the file with a viewer "
        "of your choice.";

    // The settings and dialogs must outlive the preferences.
    Preferences(model::StationSettings& settings, model::Dialogs& dialogs, Desktop desktop);

    void CBHPRIClick();
    // "Choose..." of the skin picture.
    void BR1Click();
    // At start-up: the stored picture, unless it is the one shown or "(none)".
    void showStoredPicture();
    // "&Help": the operator's guide in the desktop's viewer; a message naming the guide's path
    // when it is missing or no viewer shows it.
    void GBHELPClick();

    // Tray: hide the window into it, show it again; the menu offers what can be done.
    void Hide1Click();
    void TrayIconDblClick();
    // The window was minimised: with "Minimize to Tray" and a tray it hides instead. True when
    // it hid.
    [[nodiscard]] bool minimised();
    // Whether start-up shows the window: unless it was saved hidden and a tray can bring it
    // back; always after a start-up that failed.
    [[nodiscard]] bool startsVisible(bool failed) const;
    // The window shown or left in the tray at the end of start-up; the tray menu to match.
    void showAtStart(bool visible);

private:
    [[nodiscard]] bool hasTray() const;
    void showWindow(bool visible);
    void takePicture(const std::string& path);

    model::StationSettings& m_settings;
    model::Dialogs& m_dialogs;
    Desktop m_desktop;
};

} // namespace korvel::app
