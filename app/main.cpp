#include "app/DesktopLocale.h"
#include "app/MessageDialogs.h"
#include "app/Panel.h"
#include "app/SystemClock.h"
#include "app/TForm1.h"
#include "link/KxioLibrary.h"
#include "settings/SettingsFile.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    using namespace korvel;
    QApplication application(argc, argv);
    const text::CodePage codePage(text::CodePage::desktopNumber());
    link::KxioLibrary library;
    app::MessageDialogs dialogs{app::DesktopText(codePage)};
    app::SystemClock clock([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    const settings::ProgramFolder folder(QCoreApplication::applicationFilePath().toStdString());
    const settings::SettingsFile file(folder, settings::ProgramFolder::Environment::fromProcess());
    app::Panel panel({codePage, app::DesktopLocale::decimalSeparator(), app::DesktopLocale::timeSeparator(),
                      library, dialogs, clock, [] { QCoreApplication::processEvents(); },
                      [&file](model::StationSettings& s) { file.LoadRDSFN(s); },
                      [&file](model::StationSettings& s) { file.SaveRDSFN(s); }, folder.path(), file.folder()});
    app::TForm1 window(panel);
    dialogs.setParent(&window);
    panel.FormCreate(window);
    return QApplication::exec();
}
