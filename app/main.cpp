#include "app/DesktopLocale.h"
#include "app/MessageDialogs.h"
#include "app/Panel.h"
#include "app/ProcessPriority.h"
#include "app/SystemClock.h"
#include "app/TForm1.h"
#include "app/TrayIcon.h"
#include "app/WindowThread.h"
#include "link/KxioLibrary.h"

#include <QApplication>
#include <QFile>

int main(int argc, char* argv[]) {
    using namespace korvel;
    QApplication application(argc, argv);
    // The fixed-size window is laid out for the metrics of Qt's own portable style; the colours
    // still follow the desktop's theme, light or dark.
    QApplication::setStyle("Fusion");
    const text::CodePage codePage(text::CodePage::desktopNumber());
    link::KxioLibrary library;
    app::MessageDialogs dialogs{app::DesktopText(codePage)};
    app::SystemClock clock([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    app::Panel panel({.codePage = codePage,
                      .decimalSeparator = app::DesktopLocale::decimalSeparator(),
                      .timeSeparator = app::DesktopLocale::timeSeparator(),
                      .library = library,
                      .dialogs = dialogs,
                      .clock = clock,
                      .processEvents = [] { QCoreApplication::processEvents(); },
                      .postToWindow = app::WindowThread::post,
                      .desktop = {.setHighPriority = app::ProcessPriority::apply,
                                  .trayAvailable = app::TrayIcon::available}});
    // Relative names of the text sources are taken in the executable's folder.
    panel.settings().program().programFolder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + '/';
    app::TForm1 window(panel);
    dialogs.setParent(&window);
    panel.FormCreate(); // shows the window, or leaves only the tray icon
    return QApplication::exec();
}
