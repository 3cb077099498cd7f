#include "app/ProgramEntry.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return korvel::app::ProgramEntry().run();
}
