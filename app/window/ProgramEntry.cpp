#include "app/window/ProgramEntry.h"

#include "app/desktop/DesktopLocale.h"
#include "app/desktop/DocumentViewer.h"
#include "app/desktop/MessageDialogs.h"
#include "app/desktop/ProcessPriority.h"
#include "app/desktop/SingleInstance.h"
#include "app/desktop/TerminationSignals.h"
#include "app/desktop/TrayIcon.h"
#include "app/panel/Panel.h"
#include "app/panel/SystemClock.h"
#include "app/window/TForm1.h"
#include "app/window/TForm2.h"
#include "app/window/WindowThread.h"
#include "link/KxioLibrary.h"
#include "settings/ProgramFolder.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <exception>
#include <memory>

namespace korvel::app {

namespace {

std::string executablePath() {
    return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
}

void keepPainting() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

// Everything the running program is made of, built in this order and started.
struct ProgramEntry::Program {
    explicit Program(const settings::ProgramFolder& folder)
        : file(folder, settings::ProgramFolder::Environment::fromProcess())
        , panel({.codePage = codePage,
                 .decimalSeparator = DesktopLocale::decimalSeparator(),
                 .timeSeparator = DesktopLocale::timeSeparator(),
                 .library = library,
                 .dialogs = dialogs,
                 .clock = clock,
                 .processEvents = [] { QCoreApplication::processEvents(); },
                 .loadSettings = [this](model::StationSettings& settings) { file.LoadRDSFN(settings); },
                 .saveSettings = [this](model::StationSettings& settings) { save(settings); },
                 .postToWindow = WindowThread::post,
                 .desktop = {.setHighPriority = ProcessPriority::apply,
                             .trayAvailable = TrayIcon::available,
                             .openDocument = DocumentViewer::open},
                 .programFolder = folder.path(),
                 .dataFolder = file.folder()})
        , window(panel) {
        dialogs.showOver(&window, &window.words());
        panel.FormCreate(window);
    }

    // A failing save also goes to the log: at exit the status bar is gone with the window.
    void save(model::StationSettings& settings) const {
        try {
            file.SaveRDSFN(settings);
        } catch (const std::exception& error) {
            qWarning("%s", error.what());
            throw;
        }
    }

    const text::CodePage codePage{text::CodePage::desktopNumber()};
    link::KxioLibrary library;
    MessageDialogs dialogs{DesktopText(codePage)};
    SystemClock clock{keepPainting};
    const settings::SettingsFile file;
    Panel panel;
    TForm1 window;
};

ProgramEntry::ProgramEntry(Refusal refuse)
    : m_refuse(std::move(refuse)) {}

void ProgramEntry::showAlreadyRunning() {
    QMessageBox box(QMessageBox::Critical, kRunningCaption, kRunningText, QMessageBox::Ok);
    box.exec();
}

int ProgramEntry::run() {
    // First of all, so that a signal during start-up waits for the close sequence.
    auto termination = std::make_unique<TerminationSignals>();
    const settings::ProgramFolder folder(executablePath());
    const QString title = QFile::decodeName(QByteArray::fromStdString(folder.title()));
    SingleInstance instance(title);
    if (instance.claim() == SingleInstance::Claim::AlreadyRunning) {
        const bool ending = termination->pending();
        termination.reset(); // from here a signal ends the refused start at once
        if (!ending) {
            m_refuse();
        }
        return 0;
    }
    QGuiApplication::setApplicationDisplayName(title);
    auto splash = std::make_unique<TForm2>();
    splash->showAtOnce();
    Program program(folder);
    splash.reset();
    QObject::connect(termination.get(), &TerminationSignals::closeRequested, &program.window,
                     &TForm1::closeForSystem);
    QObject::connect(&program.window, &TForm1::closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    termination->watch();
    return QApplication::exec();
}

} // namespace korvel::app
