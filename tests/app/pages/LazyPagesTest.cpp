#include "app/WindowHarness.h"
#include "app/pages/LazyPage.h"
#include "model/Definitions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

using korvel::tests::WindowHarness;

// The window makes the page it shows at start; every other page is made the first time the
// operator brings it to the front, and then looks as it would had it been there all along.
class LazyPagesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    void onlyThePageShownAtStartIsMade() {
        auto* pages = find<QTabWidget>("PageControl1");
        QCOMPARE(pages->currentIndex(), korvel::model::kHardwarePage); // no encoder connected
        for (int index = 0; index < pages->count(); ++index) {
            const auto* page = qobject_cast<korvel::app::LazyPage*>(pages->widget(index));
            QVERIFY(page != nullptr);
            QCOMPARE(page->isBuilt(), index == pages->currentIndex());
            QCOMPARE(pages->tabText(index), QString::fromLatin1(korvel::model::kPages[index]));
        }
    }

    // What the settings took while the page did not exist yet.
    void aPageMadeLaterShowsTheSettingsAsTheyAreNow() {
        auto& settings = m_harness->panel.settings();
        settings.setText("PSDEF", "KORVEL");
        settings.setFlag("TP", true);
        settings.setEnabled("TA", false);
        settings.setVisible("BSETTA", false);
        settings.setChoice("RBPTYC", 1); // other programme type names
        settings.setChoice("PTY", 3);
        settings.setChoice("ColorBox1", kRed);
        settings.setCaption("BSETCT", "Stop");

        clickTab("TSProgram");
        QCOMPARE(find<QLineEdit>("PSDEF")->text(), QString("KORVEL"));
        QVERIFY(find<QLineEdit>("PSDEF")->isVisible()); // at once, not from the event loop
        QVERIFY(find<QCheckBox>("TP")->isChecked());
        QVERIFY(!find<QWidget>("TA")->isEnabled());
        QVERIFY(find<QWidget>("BSETTA")->isHidden());
        auto* types = find<QComboBox>("PTY");
        const auto& names = settings.items("PTY");
        QCOMPARE(types->count(), static_cast<int>(names.size()));
        QCOMPARE(types->currentText(), QString::fromStdString(names[3]));
        QCOMPARE(find<QWidget>("LPSDEF")->palette().color(QPalette::WindowText), QColor(Qt::red));

        clickTab("TSSystem");
        QCOMPARE(find<QPushButton>("BSETCT")->text(), QString("Stop"));
    }

    // The page's combo boxes and group boxes take the window's compact style, its link its look.
    void aPageMadeLaterIsDressedAsTheWindowDressesItsPages() {
        clickTab("MPreferences");
        const QStyle* compact = find<QTabWidget>("PageControl1")->tabBar()->style();
        auto* page = find<QWidget>("MPreferences");
        QVERIFY(!page->findChildren<QComboBox*>().isEmpty());
        for (const QComboBox* combo : page->findChildren<QComboBox*>()) {
            QVERIFY2(combo->style() == compact, qPrintable(combo->objectName()));
        }
        QVERIFY(!page->findChildren<QGroupBox*>().isEmpty());
        for (const QGroupBox* box : page->findChildren<QGroupBox*>()) {
            QVERIFY2(box->style() == compact, qPrintable(box->objectName()));
        }
        QVERIFY(find<QPushButton>("URLAB")->styleSheet().contains("underline"));
    }

    // A page made early carries its form's tag, which decides whether its caption is translated.
    void eachPageCarriesItsFormsTagBeforeItIsMade() {
        auto* pages = find<QTabWidget>("PageControl1");
        QList<int> before;
        for (int index = 0; index < pages->count(); ++index) {
            before << pages->widget(index)->property("tag").toInt();
        }
        m_harness->window.buildEveryPage();
        for (int index = 0; index < pages->count(); ++index) {
            QCOMPARE(before[index], pages->widget(index)->property("tag").toInt());
        }
    }

private:
    static constexpr int kRed = 9; // of the label colours

    template <typename Widget> Widget* find(const char* name) { return m_harness->find<Widget>(name); }

    // The operator clicks the page's tab.
    void clickTab(const char* page) {
        auto* pages = find<QTabWidget>("PageControl1");
        QTabBar* bar = pages->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->tabRect(pages->indexOf(find<QWidget>(page))).center());
        QCOMPARE(pages->currentWidget(), find<QWidget>(page));
    }

    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(LazyPagesTest)
#include "LazyPagesTest.moc"
