#include "app/MessageDialogs.h"
#include "app/Panel.h"
#include "app/TForm1.h"
#include "link/KxioLibrary.h"

#include <QApplication>
#include <QLocale>

namespace {

char decimalSeparator() {
    const QString separator = QLocale::system().decimalPoint();
    return separator.size() == 1 && separator[0].unicode() < 0x80 ? separator[0].toLatin1() : '.';
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace korvel;
    QApplication application(argc, argv);
    const text::CodePage codePage(text::CodePage::desktopNumber());
    link::KxioLibrary library;
    app::MessageDialogs dialogs{app::DesktopText(codePage)};
    app::Panel panel(
        {codePage, decimalSeparator(), library, dialogs, [] { QCoreApplication::processEvents(); }});
    app::TForm1 window(panel);
    dialogs.setParent(&window);
    panel.FormCreate();
    window.show();
    return QApplication::exec();
}
