// What a new operator sees in the window: whether what it shows is on air, the LPT2 address
// refused as it is typed, and the way from the Program page to the character conversion.
#include "app/WindowHarness.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

using korvel::tests::WindowHarness;

class FirstUseWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    // Until a Send, the title and the Send button say that the window shows values not on air;
    // a Send clears the mark and the operator's next change sets it again.
    void theUnsentMarkShowsOnTheSendButtonAndInTheTitle() {
        auto* send = find<QPushButton>("BSEND1");
        const qint64 marked = send->icon().cacheKey();
        QVERIFY(unsent());
        m_harness->clock.advance(std::chrono::seconds(1));
        QTest::mouseClick(send, Qt::LeftButton);
        QVERIFY(!unsent());
        QVERIFY(send->icon().cacheKey() != marked);
        m_harness->showPage("TSProgram");
        auto* ps = find<QLineEdit>("PSDEF");
        QTest::mouseClick(ps, Qt::LeftButton);
        QTest::keyClicks(ps, "X");
        QVERIFY(unsent());
    }

    // A translation that sets the title keeps the mark's place in it.
    void aNewTitleKeepsTheMark() {
        m_harness->window.setWindowTitle("Korvel (Studio)");
        QVERIFY(m_harness->window.windowTitle().contains("[*]"));
        QVERIFY(unsent());
    }

    void theLpt2AddressRefusesAnAddressAboveThePortSpace() {
        m_harness->showPage("TabSheet1");
        auto* address = find<QLineEdit>("ELPTA");
        QTest::mouseClick(address, Qt::LeftButton);
        QTest::keyClick(address, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(address, "99999");
        QCOMPARE(address->text(), QString("9999"));
        QCOMPARE(m_harness->panel.settings().text("ELPTA"), std::string("9999"));
        QCOMPARE(find<QLabel>("StatusBar1")->text(),
                 QString("The LPT2 address is a decimal number up to 65535: 99999 is not taken"));
    }

    void theProgramPageLeadsToTheCharacterConversion() {
        m_harness->showPage("TSProgram");
        QTest::mouseClick(find<QPushButton>("BANSIC"), Qt::LeftButton);
        QCOMPARE(find<QTabWidget>("PageControl1")->currentWidget()->objectName(), QString("TSTS"));
        auto* conversion = find<QGroupBox>("RBANSIC");
        QVERIFY(conversion->isVisible());
        QVERIFY(conversion->isAncestorOf(QApplication::focusWidget()));
        QVERIFY(qobject_cast<QAbstractButton*>(QApplication::focusWidget())->isChecked());
    }

private:
    template <typename Widget> Widget* find(const char* name) { return m_harness->find<Widget>(name); }
    bool unsent() {
        const bool marked = m_harness->window.isWindowModified();
        const bool onButton = find<QPushButton>("BSEND1")->property("unsent").toBool();
        if (marked != onButton || marked != m_harness->panel.settings().flag("UNSENT")) {
            qFatal("the title and the Send button disagree on the unsent mark");
        }
        return marked;
    }

    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(FirstUseWindowTest)
#include "FirstUseWindowTest.moc"
