#include "app/WindowHarness.h"
#include "app/window/TimerBridge.h"
#include "fakes/TempFolder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

using korvel::fakes::TempFolder;
using korvel::tests::WindowHarness;

// The Dynamic PS, Radiotext and Text Sources pages, and the timers behind them.
class TextPagesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    void everyPageFitsTheFixedWindow_data() {
        QTest::addColumn<bool>("german");
        QTest::newRow("English") << false;
        QTest::newRow("German") << true;
    }
    void everyPageFitsTheFixedWindow() {
        QFETCH(bool, german);
        const TempFolder folder;
        if (german) {
            TempFolder::writeFile(folder / "fennel.lng", TempFolder::readFile(KORVEL_GERMAN_TRANSLATION));
            m_harness.reset();
            m_harness =
                std::make_unique<WindowHarness>(WindowHarness::Options{.programFolder = folder.path()});
        }
        auto& settings = m_harness->panel.settings();
        settings.setDecimal("SERTSW", 0);       // ".5 min"
        settings.setDecimal("SEDPS1DL", 688.5); // "(infinite)"
        m_harness->window.buildEveryPage();
        auto* pages = find<QTabWidget>("PageControl1");
        const QSize area = pages->currentWidget()->size();
        for (int index = 0; index < pages->count(); ++index) {
            const QSize needed = pages->widget(index)->minimumSizeHint();
            QVERIFY2(needed.width() <= area.width() && needed.height() <= area.height(),
                     qPrintable(QString("%1 needs %2x%3")
                                    .arg(pages->tabText(index))
                                    .arg(needed.width())
                                    .arg(needed.height())));
        }
    }

    // Enter commits the row and opens the next one (the last wraps to the first) without a word
    // from Qt about editors: the logic sees the key before the cell's delegate.
    void labelGridTakesEightCharactersAndEnterMovesOn_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("next");
        QTest::newRow("middle row") << 3 << 4;
        QTest::newRow("last row") << 8 << 0;
    }
    void labelGridTakesEightCharactersAndEnterMovesOn() {
        QFETCH(int, row);
        QFETCH(int, next);
        auto* grid = editLabelGrid();
        clickCell(grid, row);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, "ABCDEFGHI");
        QCOMPARE(m_harness->panel.settings().cell("DPS1", row), std::string("ABCDEFGH"));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the delegate's own commit would come now
        QCOMPARE(grid->currentRow(), next);
        QVERIFY2(QApplication::focusWidget() != editor, "the next row has its own editor");
        QCOMPARE(grid->item(row, 0)->text(), QString("ABCDEFGH"));
    }

    void disabledLabelGridShowsNoSelection() {
        auto* grid = editLabelGrid();
        clickCell(grid, 2);
        QVERIFY(!grid->selectedItems().isEmpty());
        m_harness->panel.settings().setChoice("RGDPS1M", 2); // the free text's mode
        QVERIFY(!grid->isEnabled());
        QVERIFY(grid->selectedItems().isEmpty());
    }

    // The free text's 72 characters are all in view, with the caret at the end: the field's
    // left edge still shows the first character and its right edge the end of the text.
    void freeTextShowsAllItsCharacters() {
        m_harness->showPage("TSDPS1");
        auto* text = find<QLineEdit>("DPS1B");
        const QString widest(72, QChar('W'));
        QTest::mouseClick(text, Qt::LeftButton);
        QTest::keyClicks(text, widest);
        QCOMPARE(m_harness->panel.settings().text("DPS1B"), widest.toStdString());
        QTest::keyClick(text, Qt::Key_End);
        text->grab(); // a field scrolls its text when it paints
        const int middle = text->height() / 2;
        QCOMPARE(text->cursorPositionAt(QPoint(0, middle)), 0);
        QCOMPARE(text->cursorPositionAt(QPoint(text->width() - 1, middle)), widest.size());
    }

    void previewShowsTheStaticPsAfterARestart() {
        auto& settings = m_harness->panel.settings();
        settings.setText("PSDEF", "KORVEL");
        m_harness->showPage("TSDPS1");
        auto* preview = find<QLabel>("LP");
        QTest::mouseDClick(preview, Qt::LeftButton);
        auto* timer = m_harness->window.findChild<QTimer*>("TimerPreview");
        QVERIFY(timer != nullptr && timer->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(preview->text(), QString("KORVEL  "), 3000); // the first tick
        QCOMPARE(timer->intervalAsDuration(), settings.interval("TimerPreview"));
    }

    // The preview changes a few times a second all day: a new text repaints the display alone,
    // with no layout pass and nothing else of the window drawn again.
    void previewRepaintsItselfAlone() {
        m_harness->showPage("TSDPS1");
        auto* preview = find<QLabel>("LP");
        QVERIFY(QTest::qWaitForWindowExposed(&m_harness->window));
        QTest::qWait(50); // the page's own layout and first paint
        EventCount events;
        qApp->installEventFilter(&events);
        for (const char* text : {"ABCDEFGH", "BCDEFGHI", "W       "}) {
            m_harness->panel.settings().setText("LP", text);
            QTRY_VERIFY(events.paints.contains(preview));
            QCOMPARE(preview->text(), QString(text));
        }
        qApp->removeEventFilter(&events);
        QCOMPARE(events.layouts, 0);
        events.paints.remove(preview);
        QStringList others;
        for (const QObject* painted : events.paints.keys()) {
            others << painted->objectName();
        }
        QVERIFY2(others.isEmpty(), qPrintable("also painted: " + others.join(", ")));
    }

    // The long-run test's accelerated timers: set before the window starts.
    void aSpeedUpFromTheEnvironmentRunsThePeriodicTimersFaster() {
        m_harness.reset();
        qputenv(korvel::app::TimerBridge::kSpeedUpVariable, "60");
        m_harness = std::make_unique<WindowHarness>();
        qunsetenv(korvel::app::TimerBridge::kSpeedUpVariable);
        auto& settings = m_harness->panel.settings();
        settings.setFlag("CBRTEN", true);
        settings.setFlag("RTSA", true);
        QCOMPARE(m_harness->window.findChild<QTimer*>("Timer2")->interval(), 5 * 1000);
        QCOMPARE(m_harness->window.findChild<QTimer*>("Timer1")->interval(), 3000 / 60);
    }

    void rotationTimerFollowsItsControls() {
        m_harness->showPage("TSRT");
        auto* timer = m_harness->window.findChild<QTimer*>("Timer2");
        QVERIFY(timer != nullptr);
        QVERIFY(!timer->isActive());
        WindowHarness::clickBox(find<QCheckBox>("RTSA"));
        QVERIFY(!timer->isActive());
        WindowHarness::clickBox(find<QCheckBox>("CBRTEN"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 5 * 60000);
        auto* minutes = find<QDoubleSpinBox>("SERTSW");
        minutes->setValue(0);
        QCOMPARE(timer->interval(), 30000);
        QCOMPARE(minutes->text(), QString(".5 min"));
        WindowHarness::clickBox(find<QCheckBox>("RTSA"));
        QVERIFY(!timer->isActive());
    }

    void delayAtItsTopShowsInfinite() {
        m_harness->showPage("TSDPS1");
        auto* delay = find<QDoubleSpinBox>("SEDPS1DL");
        delay->setValue(delay->maximum());
        QCOMPARE(delay->suffix(), QString(" (infinite)"));
        QCOMPARE(m_harness->panel.settings().decimal("SEDPS1DL"), 688.5);
        delay->stepDown();
        QCOMPARE(delay->suffix(), QString(" sec"));
    }

    // A special unit never moves the boxes beside it: the box keeps its width.
    void specialUnitKeepsTheBoxWidth_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("special");
        // clang-format off
        QTest::newRow("interval at 0")    << "TSRT"   << "SERTSW"   << 1.0   << int(Qt::Key_Down) << ".5 min";
        QTest::newRow("delay at the top") << "TSDPS1" << "SEDPS1DL" << 685.8 << int(Qt::Key_Up)   << "688.5 (infinite)";
        // clang-format on
    }
    void specialUnitKeepsTheBoxWidth() {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(double, from);
        QFETCH(int, key);
        QFETCH(QString, special);
        m_harness->showPage(qPrintable(page));
        m_harness->panel.settings().setDecimal(
            korvel::model::ControlName::find(control.toStdString()).value(), from);
        auto* spin = find<QDoubleSpinBox>(qPrintable(control));
        QApplication::processEvents(); // the layout follows the text
        const int width = spin->width();
        const int asked = askedWidth(spin);
        spin->setFocus();
        QTest::keyClick(spin, static_cast<Qt::Key>(key));
        QApplication::processEvents();
        QCOMPARE(spin->text(), special);
        QCOMPARE(spin->width(), width);
        QCOMPARE(askedWidth(spin), asked); // also where the layout has no room to spare
    }

    void oneMessageIsCurrent() {
        m_harness->showPage("TSRT");
        auto& settings = m_harness->panel.settings();
        auto* third = find<QRadioButton>("RBRT3");
        WindowHarness::clickBox(third);
        QVERIFY(settings.flag("RBRT3"));
        QVERIFY(!settings.flag("RBRT1"));
        QVERIFY(!find<QRadioButton>("RBRT1")->isChecked());
        WindowHarness::clickBox(third);
        QVERIFY2(third->isChecked(), "a second click keeps the choice");
    }

    // Each sub-page edits its own source, and its "From file:" box locks what the file feeds.
    void sourcePagesEditTheirSources_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("prefix"); // of the control names: D1 or R1
        QTest::addColumn<QStringList>("locked");
        QTest::newRow("dynamic PS") << "TSTSDPS1"
                                    << "D1" << QStringList{"DPS1", "DPS1B"};
        QTest::newRow("radiotext") << "TSTSRT1"
                                   << "R1" << QStringList{"RT1"};
    }
    void sourcePagesEditTheirSources() {
        QFETCH(QString, page);
        QFETCH(QString, prefix);
        QFETCH(QStringList, locked);
        auto& settings = m_harness->panel.settings();
        settings.setFlag("DPS1EN", true);
        settings.setFlag("CBRTEN", true);
        m_harness->window.buildEveryPage(); // the locked editors are on other pages
        m_harness->showPage("TSTS");
        find<QTabWidget>("PageControl2")->setCurrentWidget(find<QWidget>(qPrintable(page)));
        const auto name = [&prefix](const char* pattern) { return QString(pattern).arg(prefix); };
        const auto control = [&](const char* pattern) {
            return korvel::model::ControlName::find(name(pattern).toStdString()).value();
        };
        WindowHarness::clickBox(find<QCheckBox>(qPrintable(name("CB%1FF"))));
        QVERIFY(settings.flag(control("CB%1FF")));
        for (const QString& fed : locked) {
            QVERIFY2(!find<QWidget>(qPrintable(fed))->isEnabled(), qPrintable(fed));
        }
        WindowHarness::clickBox(find<QCheckBox>(qPrintable(name("CB%1SC"))));
        QVERIFY(!settings.flag(control("CB%1SC")));
        QTest::mouseClick(find<QLineEdit>(qPrintable(name("E%1F"))), Qt::LeftButton);
        QTest::keyClicks(find<QLineEdit>(qPrintable(name("E%1F"))), "/srv/now*.txt");
        QCOMPARE(settings.text(control("E%1F")), std::string("/srv/now*.txt"));
        QTest::keyClicks(find<QLineEdit>(qPrintable(name("E%1PR"))), "Now: ");
        QCOMPARE(settings.text(control("E%1PR")), std::string("Now: "));
        find<QSpinBox>(qPrintable(name("SE%1BE")))->setValue(3);
        QCOMPARE(settings.integer(control("SE%1BE")), 3);
        find<QSpinBox>(qPrintable(name("SE%1EN")))->setValue(4);
        QCOMPARE(settings.integer(control("SE%1EN")), 4);
        const QList<QRadioButton*> lines =
            find<QGroupBox>(qPrintable(name("RG%1L")))->findChildren<QRadioButton*>();
        QCOMPARE(lines.size(), 2);
        WindowHarness::clickBox(lines[0]);
        QCOMPARE(settings.choice(control("RG%1L")), 0);
        WindowHarness::clickBox(find<QCheckBox>(qPrintable(name("CB%1FF"))));
        QVERIFY2(find<QWidget>(qPrintable(locked.last()))->isEnabled(), "the editor of the mode, again");
    }

    void optionsShowTheirExampleAndConversion() {
        m_harness->showPage("TSTS");
        find<QTabWidget>("PageControl2")->setCurrentWidget(find<QWidget>("TSMORE"));
        auto& settings = m_harness->panel.settings();
        auto* example = find<QLabel>("STEXMP");
        const QString before = example->text();
        QVERIFY(!before.isEmpty());
        WindowHarness::clickBox(find<QCheckBox>("CBCTC"));
        QCOMPARE(example->text(), before.toUpper());
        auto* conversion = find<QGroupBox>("RBANSIC");
        const QList<QRadioButton*> choices = conversion->findChildren<QRadioButton*>();
        QCOMPARE(choices.size(), 3);
        WindowHarness::clickBox(choices[2]);
        QCOMPARE(settings.choice("RBANSIC"), 2);
    }

private:
    template <typename Widget> Widget* find(const char* name) { return m_harness->find<Widget>(name); }

    // The label grid with the focus, in mode 0, which edits it.
    QTableWidget* editLabelGrid() {
        m_harness->panel.settings().setChoice("RGDPS1M", 0);
        m_harness->showPage("TSDPS1");
        auto* grid = find<QTableWidget>("DPS1");
        grid->setFocus();
        return grid;
    }
    // The width a box asks of its layout, whatever room the layout has to give.
    static int askedWidth(QWidget* box) {
        QLayout* layout = box->parentWidget()->layout();
        return layout->itemAt(layout->indexOf(box))->sizeHint().width();
    }
    static void clickCell(QTableWidget* grid, int row) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(row, 0)).center());
    }

    struct EventCount : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::LayoutRequest) {
                ++layouts;
            } else if (event->type() == QEvent::Paint) {
                ++paints[watched];
            }
            return false;
        }
        int layouts = 0;
        QHash<QObject*, int> paints;
    };

    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(TextPagesTest)
#include "TextPagesTest.moc"
