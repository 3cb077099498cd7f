#include "app/WindowHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <memory>
#include <stdexcept>

using korvel::tests::WindowHarness;

// An unexpected error in the logic, whatever set it off, ends in the status bar and the program
// goes on. Without the guard these tests abort the binary, so they run in one of their own.
class WindowErrorsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    void errorInATransferOfATickShows() {
        auto& library = m_harness->library;
        m_harness->showPage("TSRT");
        type("RT1", "FIRST");
        type("RT2", "SECOND");
        WindowHarness::clickBox(find<QCheckBox>("CBRTEN"));
        WindowHarness::clickBox(find<QCheckBox>("RTSA"));
        library.duringTransfer = [] { throw std::runtime_error("encoder unplugged"); };
        m_harness->panel.settings().setInterval("Timer2", std::chrono::milliseconds{5});
        QTRY_COMPARE(status(), QString("encoder unplugged"));

        library.duringTransfer = nullptr;
        const std::size_t sent = library.writes.size();
        QTRY_VERIFY(library.writes.size() > sent);
        QTRY_COMPARE(status(), QString("Ready"));
    }

    void errorInAClickShows() {
        m_harness->showPage("TabSheet1");
        auto* ports = find<QComboBox>("CBPORT");
        ports->setFocus();
        QTest::keyClick(ports, Qt::Key_Home);
        QTest::keyClick(ports, Qt::Key_Down);
        QTest::keyClick(ports, Qt::Key_Down);
        QCOMPARE(ports->currentText(), QString("COM1"));
        auto failing =
            m_harness->panel.settings().react("LS", [] { throw std::runtime_error("port vanished"); });
        auto* update = find<QPushButton>("BCUPD");
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(status(), QString("port vanished"));

        failing.reset();
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(find<QLabel>("LS")->text(), QString("Port COM1 opened"));
        QCOMPARE(status(), QString("Ready"));
    }

    void errorInAReactionToAnEditShows_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        // clang-format off
        QTest::newRow("PS typed")       << "TSProgram" << "PSDEF"  << "K";
        QTest::newRow("interval typed") << "TSRT"      << "SERTSW" << "7";
        QTest::newRow("flag clicked")   << "TSProgram" << "TP"     << "";
        // clang-format on
    }
    void errorInAReactionToAnEditShows() {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(QString, typed);
        const auto name = korvel::model::ControlName::find(control.toStdString()).value();
        auto failing =
            m_harness->panel.settings().react(name, [] { throw std::runtime_error("reaction failed"); });
        m_harness->showPage(qPrintable(page));
        auto* field = find<QWidget>(qPrintable(control));
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, typed);
        QCOMPARE(status(), QString("reaction failed"));

        failing.reset();
        m_harness->showPage("TSProgram");
        type("PI", "12AB");
        QCOMPARE(m_harness->panel.settings().text("PI"), std::string("12AB"));
    }

private:
    template <typename Widget> Widget* find(const char* name) { return m_harness->find<Widget>(name); }

    void type(const char* field, const char* text) {
        auto* edit = find<QLineEdit>(field);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
    QString status() { return find<QLabel>("StatusBar1")->text(); }

    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(WindowErrorsTest)
#include "WindowErrorsTest.moc"
