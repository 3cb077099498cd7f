#include "app/DesktopLocale.h"
#include "app/MessageDialogs.h"
#include "app/Panel.h"
#include "app/SystemClock.h"
#include "app/TForm1.h"
#include "app/WindowThread.h"
#include "link/KxioLibrary.h"

#include <QApplication>
#include <QFile>

int main(int argc, char* argv[]) {
    using namespace korvel;
    QApplication application(argc, argv);
    const text::CodePage codePage(text::CodePage::desktopNumber());
    link::KxioLibrary library;
    app::MessageDialogs dialogs{app::DesktopText(codePage)};
    app::SystemClock clock([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    app::Panel panel({codePage,
                      app::DesktopLocale::decimalSeparator(),
                      app::DesktopLocale::timeSeparator(),
                      library,
                      dialogs,
                      clock,
                      [] { QCoreApplication::processEvents(); },
                      {},
                      {},
                      app::WindowThread::post});
    // Relative names of the text sources are taken in the executable's folder.
    panel.settings().program().programFolder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + '/';
    app::TForm1 window(panel);
    dialogs.setParent(&window);
    panel.FormCreate();
    window.show();
    return QApplication::exec();
}
