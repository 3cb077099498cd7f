#include "app/WindowHarness.h"
#include "link/KxioLibrary.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <memory>

using korvel::app::Panel;
using korvel::app::TForm1;
using korvel::tests::WindowHarness;

class TForm1Test : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_harness = std::make_unique<WindowHarness>();
        m_harness->showPage("TSProgram");
    }
    void cleanup() { m_harness.reset(); }

    void frameShowsTitlePagesAndStatus() {
        QCOMPARE(m_harness->window.windowTitle(), QString("[*]Korvel")); // the place of the unsent mark
        auto* pages = find<QTabWidget>("PageControl1");
        const QStringList expected{"&Program",      "&Dynamic PS", "Radiot&ext",  "S&ystem",
                                   "Text Sour&ces", "Hard&ware",   "Pre&ferences"};
        QCOMPARE(pages->count(), expected.size());
        for (int i = 0; i < pages->count(); ++i) {
            QCOMPARE(pages->tabText(i), expected[i]);
        }
        QCOMPARE(pages->currentWidget()->objectName(), QString("TSProgram"));
        QCOMPARE(find<QLabel>("StatusBar1")->text(), QString("Not connected"));
        QCOMPARE(m_harness->window.size(), QSize(599, 308));
    }

    void startUpWithoutAPortShowsTheHardwarePage() {
        WindowHarness fresh;
        QCOMPARE(fresh.find<QTabWidget>("PageControl1")->currentWidget()->objectName(), QString("TabSheet1"));
        QCOMPARE(fresh.find<QLabel>("LS")->text(), QString("Not connected"));
        QVERIFY(fresh.library.calls.empty());
    }

    void everyProgramPageControlExists() {
        for (const char* name :
             {"PSDEF", "PI", "PTY", "MS", "TP", "TA", "BSETTA", "DI", "SGAF", "CBAF", "LMHZ"}) {
            QVERIFY2(m_harness->window.findChild<QWidget*>(name) != nullptr, name);
        }
    }

    void typingIntoPsChangesTheModelAndANinthCharacterIsRefused() {
        auto* edit = find<QLineEdit>("PSDEF");
        edit->setFocus();
        QTest::keyClicks(edit, "RADIO ONE");
        QCOMPARE(m_harness->panel.settings().text("PSDEF"), std::string("RADIO ON"));
        QCOMPARE(edit->text(), QString("RADIO ON"));
    }

    void aCharacterTheCodePageLacksCannotBeTyped() {
        auto* edit = find<QLineEdit>("PSDEF");
        WindowHarness::typeText(edit, QString::fromUtf8("Caf\u00e9\u0416"));
        QCOMPARE(edit->text(), QString::fromUtf8("Caf\u00e9"));
        QCOMPARE(m_harness->panel.settings().text("PSDEF"), std::string("Caf\xe9"));
        const QString status = find<QLabel>("StatusBar1")->text();
        QVERIFY2(status.contains(QString::fromUtf8("\u0416")) && status.contains("1252"), qPrintable(status));
    }

    void modelChangesReachTheWidgets() {
        auto& settings = m_harness->panel.settings();
        settings.setText("PSDEF", "K\xe9RVEL");
        settings.setChoice("PTY", 10);
        settings.setFlag("TP", true);
        settings.setChecked("DI", 3, true);
        settings.setCell("SGAF", 2, 1, "98.5");
        settings.setText("StatusBar1", "!Ready");
        QCOMPARE(find<QLineEdit>("PSDEF")->text(), QString::fromUtf8("K\u00e9RVEL"));
        QCOMPARE(find<QComboBox>("PTY")->currentText(), QString("Pop M"));
        QVERIFY(find<QCheckBox>("TP")->isChecked());
        QCOMPARE(find<QListWidget>("DI")->item(3)->checkState(), Qt::Checked);
        QCOMPARE(find<QTableWidget>("SGAF")->item(2, 1)->text(), QString("98.5"));
        QCOMPARE(find<QTableWidget>("SGAF")->item(14, 0)->text(), QString("15"));
        QCOMPARE(find<QLabel>("StatusBar1")->text(), QString("!Ready"));
    }

    void operatorEditsReachTheModel() {
        auto& settings = m_harness->panel.settings();
        WindowHarness::clickBox(find<QCheckBox>("TA"));
        QVERIFY(settings.flag("TA"));
        find<QComboBox>("MS")->setCurrentIndex(0);
        QCOMPARE(settings.choice("MS"), 0);
        auto* di = find<QListWidget>("DI");
        di->item(0)->setCheckState(Qt::Checked);
        QVERIFY(settings.checked("DI", 0));
        auto* af = find<QComboBox>("CBAF");
        af->lineEdit()->setFocus();
        QTest::keyClicks(af->lineEdit(), "101.15");
        QCOMPARE(settings.text("CBAF"), std::string("101.1"));
        QCOMPARE(af->count(), 204);
    }

    void stateFromTheModelEnablesAndHides() {
        auto& settings = m_harness->panel.settings();
        auto* read = find<QPushButton>("BREC1");
        settings.setEnabled("BREC1", false);
        QVERIFY(!read->isEnabled());
        QVERIFY(!find<QPushButton>("GBHELP")->isVisible());
        settings.setVisible("GBHELP", true);
        QVERIFY(find<QPushButton>("GBHELP")->isVisible());
    }

    void updateConnectsToTheChosenPort() {
        auto* pages = find<QTabWidget>("PageControl1");
        pages->setCurrentIndex(5);
        QCOMPARE(m_harness->panel.settings().choice("PageControl1"), 5);
        auto* ports = find<QComboBox>("CBPORT");
        QCOMPARE(ports->count(), 258);
        QCOMPARE(ports->currentText(), QString("(None)"));
        ports->setCurrentIndex(2);
        QTest::mouseClick(find<QPushButton>("BCUPD"), Qt::LeftButton);
        QCOMPARE(find<QLabel>("LS")->text(), QString("Port COM1 opened"));
        QCOMPARE(m_harness->library.calls,
                 (std::vector<std::string>{"Disconnect", "ConnectionSetup(1,1,0,1)", "Connect"}));

        pages->setCurrentIndex(0);
        ports->setCurrentIndex(257);
        QTest::mouseClick(find<QPushButton>("BCUPD"), Qt::LeftButton);
        QCOMPARE(find<QLabel>("LS")->text(), QString("Not connected"));
        QCOMPARE(pages->currentIndex(), 5);
    }

    // The same operator steps against the stand-in library the program ships with.
    void updateOpensCom1OnTheStandInLibrary() {
        korvel::link::KxioLibrary library;
        Panel panel(Panel::Services{
            m_harness->codePage, '.', ':', library, m_harness->dialogs, m_harness->clock, {}});
        TForm1 window(panel);
        panel.FormCreate(window);
        auto* ls = window.findChild<QLabel*>("LS");
        QCOMPARE(ls->text(), QString("Not connected"));
        window.findChild<QComboBox*>("CBPORT")->setCurrentIndex(2);
        QTest::mouseClick(window.findChild<QPushButton*>("BCUPD"), Qt::LeftButton);
        QCOMPARE(ls->text(), QString("Port COM1 opened"));
        QCOMPARE(window.findChild<QLabel*>("StatusBar1")->text(), QString("Ready"));
        QVERIFY(panel.transactions().KeepAliveActive());
        window.close();
        QVERIFY(!panel.transactions().KeepAliveActive());
    }

    // The port list opens as a scrolling list of a few rows at the current entry, not as a
    // menu as tall as the screen.
    void portListOpensAtTheCurrentEntry() {
        m_harness->showPage("TabSheet1");
        auto* ports = find<QComboBox>("CBPORT");
        QAbstractItemView* list = ports->view();
        QTest::mouseClick(ports, Qt::LeftButton);
        QTRY_VERIFY(list->isVisible());
        QVERIFY2(visibleRows(list) <= 16, qPrintable(QString::number(visibleRows(list))));
        QVERIFY(showsRow(list, ports->findText("(None)")));
        QVERIFY(list->verticalScrollBar()->isVisible());

        QTest::keyClick(list, Qt::Key_Home);
        for (int step = 0; step < 6; ++step) {
            QTest::keyClick(list, Qt::Key_Down);
        }
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(ports->currentText(), QString("COM5"));
        QTest::mouseClick(ports, Qt::LeftButton);
        QTRY_VERIFY(list->isVisible());
        QVERIFY(visibleRows(list) <= 16);
        QVERIFY(showsRow(list, ports->findText("COM5")));
        QTest::keyClick(list, Qt::Key_Escape);
    }

    // A page's accelerator brings it to the front from a field of another page: its tab, the
    // page shown and the model agree.
    void acceleratorSwitchesTabAndPageTogether_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        // clang-format off
        QTest::newRow("Radiotext to Dynamic PS") << "TSRT"      << "RT1"   << int(Qt::Key_D) << "TSDPS1";
        QTest::newRow("Program to Hardware")     << "TSProgram" << "PSDEF" << int(Qt::Key_W) << "TabSheet1";
        QTest::newRow("Hardware to Radiotext")   << "TabSheet1" << "ELPTA" << int(Qt::Key_E) << "TSRT";
        // clang-format on
    }
    void acceleratorSwitchesTabAndPageTogether() {
        QFETCH(QString, from);
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(QString, to);
        auto* pages = find<QTabWidget>("PageControl1");
        for (const QString& page : {QString("TSProgram"), from}) { // a first switch, as an operator's
            QTest::keyClick(&m_harness->window, pageKey(page), Qt::AltModifier);
        }
        QCOMPARE(pages->currentWidget()->objectName(), from);
        auto* edit = find<QLineEdit>(qPrintable(field));
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, static_cast<Qt::Key>(key), Qt::AltModifier);
        QCOMPARE(pages->currentWidget()->objectName(), to);
        QCOMPARE(pages->currentIndex(), pages->indexOf(pages->currentWidget()));
        QCOMPARE(m_harness->panel.settings().choice("PageControl1"), pages->currentIndex());
    }

    void lptAddressTakesDigitsOnly() {
        auto* edit = find<QLineEdit>("ELPTA");
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, "a1b2-3");
        QCOMPARE(edit->text(), QString("123"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(m_harness->panel.settings().text("ELPTA"), std::string("12"));
    }

private:
    template <typename Widget> Widget* find(const char* name) { return m_harness->find<Widget>(name); }

    // The accelerator of a page's caption ("Radiot&ext": E).
    Qt::Key pageKey(const QString& page) {
        auto* pages = find<QTabWidget>("PageControl1");
        const QString caption = pages->tabText(pages->indexOf(find<QWidget>(qPrintable(page))));
        return static_cast<Qt::Key>(caption.at(caption.indexOf('&') + 1).toUpper().unicode());
    }

    // Rows a list shows from top to bottom.
    static int visibleRows(const QAbstractItemView* list) {
        int rows = 0;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            rows += showsRow(list, row) ? 1 : 0;
        }
        return rows;
    }
    static bool showsRow(const QAbstractItemView* list, int row) {
        const QRect shown = list->visualRect(list->model()->index(row, 0));
        return !shown.isEmpty() && shown.top() >= 0 && shown.bottom() < list->viewport()->height();
    }

    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(TForm1Test)
#include "TForm1Test.moc"
