#include "app/Panel.h"
#include "app/TForm1.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QString separator = QLocale::system().decimalPoint();
    korvel::app::Panel panel(korvel::text::CodePage::desktopNumber(),
                             separator.isEmpty() ? '.' : separator.front().toLatin1());
    korvel::app::TForm1 window(panel);
    window.show();
    return QApplication::exec();
}
