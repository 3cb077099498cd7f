#pragma once

#include "MessageGuard.h"
#include "app/desktop/DocumentViewer.h"
#include "app/panel/Panel.h"
#include "app/window/TForm1.h"
#include "fakes/ManualClock.h"
#include "fakes/RecordingLibrary.h"
#include "fakes/ScriptedDialogs.h"
#include "settings/SettingsFile.h"
#include "text/CodePage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

namespace korvel::tests {

// What a test may change of the harness's surroundings.
struct HarnessOptions {
    // Without a way to the window's thread, the text sources are read on it.
    app::BackgroundTask::Post postToWindow = {};
    // Whether the desktop has a tray to hide the window into.
    bool tray = false;
    // The settings file to start from and to save into; none: nothing is kept.
    const settings::SettingsFile* file = nullptr;
    std::string programFolder = {};
    // How a document reaches the desktop's viewer.
    std::function<bool(const std::string& path)> openDocument = app::DocumentViewer::open;
};

// A started and shown main window on a panel with a recording encoder library and scripted dialogs, on the
// Western European desktop code page. A warning printed while it lives fails the test. With a settings file,
// it starts from the file and the close saves into it.
class WindowHarness {
public:
    using Options = HarnessOptions;

    explicit WindowHarness(Options options = {})
        : panel({.codePage = codePage,
                 .decimalSeparator = '.',
                 .timeSeparator = ':',
                 .library = library,
                 .dialogs = dialogs,
                 .clock = clock,
                 .loadSettings = load(options.file),
                 .saveSettings = save(options.file),
                 .postToWindow = std::move(options.postToWindow),
                 .desktop = {.trayAvailable = [tray = options.tray] { return tray; },
                             .openDocument = std::move(options.openDocument)},
                 .programFolder = std::move(options.programFolder)})
        , window(panel) {
        panel.FormCreate(window);
        if (!QTest::qWaitForWindowExposed(&window)) {
            qFatal("the window was not shown");
        }
    }

    template <typename Widget> Widget* find(const char* name) {
        auto* widget = window.findChild<Widget*>(name);
        if (widget == nullptr) {
            qFatal("no widget %s", name);
        }
        return widget;
    }

    // Brings a page of the page control to the front, as a click on its tab would.
    void showPage(const char* page) {
        auto* pages = find<QTabWidget>("PageControl1");
        pages->setCurrentWidget(find<QWidget>(page));
        QApplication::processEvents();
    }

    // Clicks a check box or radio button on its indicator, where a click always counts.
    static void clickBox(QAbstractButton* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
    }

    // QTest::keyClicks takes Latin-1 only; this types any character, as a keyboard would.
    static void typeText(QWidget* widget, const QString& text) {
        for (QChar character : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(widget, &press);
            QApplication::sendEvent(widget, &release);
        }
    }

    static app::Panel::SettingsFile load(const settings::SettingsFile* file) {
        return file ? app::Panel::SettingsFile([file](model::StationSettings& s) { file->LoadRDSFN(s); })
                    : app::Panel::SettingsFile();
    }
    static app::Panel::SettingsFile save(const settings::SettingsFile* file) {
        return file ? app::Panel::SettingsFile([file](model::StationSettings& s) { file->SaveRDSFN(s); })
                    : app::Panel::SettingsFile();
    }

    MessageGuard messages; // first: it outlives the window
    const text::CodePage codePage{1252};
    fakes::ScriptedDialogs dialogs;
    fakes::RecordingLibrary library;
    fakes::ManualClock clock;
    app::Panel panel;
    app::TForm1 window;
};

} // namespace korvel::tests
