// A bare Qt window of the program's size with the same seven tabs and nothing else: the
// yardstick for the program's start-up time and memory (see cpu_and_startup.sh).

#include <QApplication>
#include <QTabWidget>
#include <array>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QTabWidget window;
    window.setWindowTitle("Bare");
    for (const char* caption :
         std::array{"&Program", "&Dynamic PS", "Radiot&ext", "S&ystem", "Text Sour&ces", "Hard&ware", "Pre&ferences"}) {
        window.addTab(new QWidget, caption);
    }
    window.setFixedSize(599, 308);
    window.show();
    return QApplication::exec();
}
