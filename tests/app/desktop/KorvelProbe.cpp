#include "app/window/ProgramEntry.h"

#include <QApplication>
#include <cstdio>

// The program as it runs, for tests that start it as a process: a refused start prints its
// message, where the program would show a box that no test could close.
int main(int argc, char* argv[]) {
    using korvel::app::ProgramEntry;
    QApplication application(argc, argv);
    return ProgramEntry(
               [] { std::printf("%s: %s\n", ProgramEntry::kRunningCaption, ProgramEntry::kRunningText); })
        .run();
}
