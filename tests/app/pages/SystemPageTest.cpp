#include "app/WindowHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using korvel::tests::WindowHarness;

// The System page and the main buttons, pressed as the operator presses them.
class SystemPageTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_harness = std::make_unique<WindowHarness>();
        m_harness->showPage("TSSystem");
    }
    void cleanup() { m_harness.reset(); }

    void clockTimeStartsAndStopsWithItsButton() {
        auto* button = find<QPushButton>("BSETCT");
        QCOMPARE(button->text(), QString("Start"));
        QVERIFY(!find<QLabel>("LCT")->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), QString("Stop"));
        QVERIFY(find<QLabel>("LCT")->isVisible());
        QCOMPARE(m_harness->library.writes.back().block.at(0), std::uint8_t{0x67});
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), QString("Start"));
        QVERIFY(!find<QLabel>("LCT")->isVisible());
        QVERIFY2(!find<QCheckBox>("STMEN")->isEnabled(), "summer time is shown, never set by hand");
    }

    void theClockDisplayFollowsWhenTheWindowIsIdle() {
        QEventLoop loop; // the event loop runs out of work while it waits
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
        QCOMPARE(find<QLabel>("LTIME")->text(), QString("10:29"));
        QCOMPARE(find<QLabel>("LDATE")->text(), QString("8.12.26"));
    }

    void byteEditorsBecomeTwoDigitsWhenLeft() {
        auto* byte4 = find<QLineEdit>("DB3");
        byte4->setFocus();
        byte4->selectAll();
        QTest::keyClicks(byte4, "xe5");
        QTest::keyClick(byte4, Qt::Key_Tab);
        QCOMPARE(byte4->text(), QString("05"));
        QCOMPARE(find<QLineEdit>("DB3D")->text(), QString("5"));
        QVERIFY(!find<QLineEdit>("DB3D")->isEnabled());
    }

    void aVersionBGroupLocksBytesFiveAndSix() {
        find<QComboBox>("CBGRTYP")->setCurrentIndex(5); // 2B
        QVERIFY(!find<QLineEdit>("DB4")->isEnabled());
        QVERIFY(!find<QLineEdit>("DB5")->isEnabled());
        QVERIFY(find<QLineEdit>("DB6")->isEnabled());
        find<QComboBox>("CBGRTYP")->setCurrentIndex(4); // 2A
        QVERIFY(find<QLineEdit>("DB4")->isEnabled());
    }

    void theClockSourceUnlocksThePhase() {
        QVERIFY(!find<QDoubleSpinBox>("SEPHASE")->isEnabled());
        WindowHarness::clickBox(find<QRadioButton>("RGCS1"));
        QVERIFY(find<QDoubleSpinBox>("SEPHASE")->isEnabled());
        QVERIFY2(!find<QGroupBox>("RGPLLR")->isEnabled(), "a Corvid device has no PLL range");
    }

    void theDeviceButtonsTalkToTheEncoder() {
        auto& library = m_harness->library;
        QTest::mouseClick(find<QPushButton>("BSWOFF"), Qt::LeftButton);
        QCOMPARE(library.writes.back().block, (std::vector<std::uint8_t>{0x71, '0'}));
        QTest::mouseClick(find<QPushButton>("BSWON"), Qt::LeftButton);
        QCOMPARE(library.writes.back().block, (std::vector<std::uint8_t>{0x71, '1'}));
        m_harness->dialogs.answer = false;
        const auto writes = library.writes.size();
        QTest::mouseClick(find<QPushButton>("BRESET"), Qt::LeftButton);
        QCOMPARE(m_harness->dialogs.questions.back(), std::string("Reset the RDS encoder?"));
        QCOMPARE(library.writes.size(), writes);
        library.memory[0x70] = 0x80;
        QTest::mouseClick(find<QPushButton>("BSTAT"), Qt::LeftButton);
        QCOMPARE(
            m_harness->dialogs.information.back(),
            std::string(
                "Status byte value: 128\rPilot tone: 0\rTA: 0\rShowing: Static PS\rRDS generator: Enabled"));
    }

    void theMainButtonsSendStoreAndRead() {
        auto& library = m_harness->library;
        m_harness->clock.advance(std::chrono::seconds(1));
        QTest::mouseClick(find<QPushButton>("BSEND1"), Qt::LeftButton);
        QCOMPARE(library.writes.size(), std::size_t{6});
        m_harness->clock.advance(std::chrono::seconds(1));
        QTest::mouseClick(find<QPushButton>("BSTOR1"), Qt::LeftButton);
        QCOMPARE(library.writes.back().block, (std::vector<std::uint8_t>{0x71, 'E'}));
        m_harness->clock.advance(std::chrono::seconds(1));
        QTest::mouseClick(find<QPushButton>("BREC1"), Qt::LeftButton);
        QCOMPARE(library.calls.back(), std::string("Receive(0,192)"));
    }

    void theTrafficAnnouncementButtonFlipsTheFlag() {
        m_harness->showPage("TSProgram");
        QTest::mouseClick(find<QPushButton>("BSETTA"), Qt::LeftButton);
        QVERIFY(find<QCheckBox>("TA")->isChecked());
        QCOMPARE(m_harness->library.writes.back().block, (std::vector<std::uint8_t>{0x0E, 1}));
    }

private:
    template <typename Widget> Widget* find(const char* name) { return m_harness->find<Widget>(name); }

    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(SystemPageTest)
#include "SystemPageTest.moc"
