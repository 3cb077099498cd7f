#include "app/window/ProgramEntry.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName("korvel"); // the menu entry, for the desktop's task bar
    // The fixed-size window is laid out for the metrics of Qt's own portable style; the colours
    // still follow the desktop's theme, light or dark.
    QApplication::setStyle("Fusion");
    return korvel::app::ProgramEntry().run();
}
