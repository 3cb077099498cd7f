#include "app/WindowHarness.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using korvel::tests::WindowHarness;

// The Preferences page and what the window does with it, as the operator uses it.
class PreferencesTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { m_harness.reset(); }

    void theLabelColourReachesTheCaptionsAndNotTheFields() {
        start();
        m_harness->window.buildEveryPage(); // the captions are on the Program page
        m_harness->showPage("MPreferences");
        auto* colours = m_harness->find<QComboBox>("ColorBox1");
        QCOMPARE(colours->count(), 47);
        QCOMPARE(colours->currentText(), QString("Window Text"));
        QVERIFY(!colours->itemIcon(9).isNull());
        colours->setCurrentIndex(9); // Red
        for (const char* caption : {"LPSDEF", "LPI", "TP"}) {
            QCOMPARE(m_harness->find<QWidget>(caption)->palette().color(QPalette::WindowText),
                     QColor(Qt::red));
        }
        QVERIFY(m_harness->find<QLineEdit>("PSDEF")->palette().color(QPalette::Text) != QColor(Qt::red));
        QVERIFY(m_harness->find<QLabel>("LPSDEF")->font().bold());
    }

    void theSkinPictureFillsTheProgramPage() {
        start();
        QTemporaryDir folder;
        QImage picture(40, 40, QImage::Format_RGB32);
        picture.fill(Qt::magenta);
        const QString path = folder.filePath("skin.png");
        QVERIFY(picture.save(path));
        m_harness->dialogs.chosenFile = path.toStdString();
        m_harness->showPage("MPreferences");
        QTest::mouseClick(m_harness->find<QPushButton>("BR1"), Qt::LeftButton);
        QCOMPARE(m_harness->find<QLabel>("LImageFile")->text(), path);
        m_harness->showPage("TSProgram");
        auto* page = m_harness->find<QWidget>("TSProgram");
        const QImage shown = page->grab().toImage();
        QCOMPARE(shown.pixelColor(2, shown.height() - 3), QColor(Qt::magenta));

        m_harness->dialogs.chosenFile = folder.filePath("gone.png").toStdString();
        m_harness->showPage("MPreferences");
        QTest::mouseClick(m_harness->find<QPushButton>("BR1"), Qt::LeftButton);
        QCOMPARE(m_harness->find<QLabel>("LImageFile")->text(), QString("(none)"));
        QCOMPARE(page->grab().toImage().pixelColor(2, shown.height() - 3), QColor(Qt::magenta));
    }

    void alwaysOnTopFollowsItsBox() {
        start();
        m_harness->showPage("MPreferences");
        WindowHarness::clickBox(m_harness->find<QCheckBox>("ALONTOP"));
        QVERIFY(m_harness->window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_harness->window.isVisible());
        WindowHarness::clickBox(m_harness->find<QCheckBox>("ALONTOP"));
        QVERIFY(!m_harness->window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void theTrayMenuHidesAndShowsTheWindowWhereThereIsATray() {
        start(true);
        QAction* show = trayEntry("Show1");
        QAction* hide = trayEntry("Hide1");
        QVERIFY(!show->isVisible());
        hide->trigger();
        QVERIFY(!m_harness->window.isVisible());
        QVERIFY(show->isVisible());
        QVERIFY(!hide->isVisible());
        show->trigger();
        QVERIFY(m_harness->window.isVisible());
        QVERIFY(!show->isVisible());
    }

    void withoutATrayTheWindowStaysReachable() {
        start(false);
        trayEntry("Hide1")->trigger();
        QVERIFY(m_harness->window.isVisible());
        m_harness->panel.settings().setFlag("CBMITR", true);
        m_harness->window.setWindowState(Qt::WindowMinimized); // as the title bar button does
        QVERIFY(m_harness->window.isVisible());
        QVERIFY2(m_harness->window.isMinimized(), "minimised normally");
    }

    void minimisingGoesToTheTrayWithThatOption() {
        start(true);
        m_harness->panel.settings().setFlag("CBMITR", true);
        m_harness->window.setWindowState(Qt::WindowMinimized); // as the title bar button does
        QVERIFY(!m_harness->window.isVisible());
        QVERIFY(trayEntry("Show1")->isVisible());
        trayEntry("Show1")->trigger();
        QVERIFY(m_harness->window.isVisible());
        QVERIFY(!m_harness->window.isMinimized());
    }

    // On every page the accelerators the operator can press are all different: the page's own,
    // the page tabs' and the main buttons'.
    void everyPageHasItsOwnAccelerators() {
        start();
        auto* pages = m_harness->find<QTabWidget>("PageControl1");
        QStringList common;
        for (int index = 0; index < pages->count(); ++index) {
            common << pages->tabText(index);
        }
        for (const char* button : {"BSEND1", "BSTOR1", "BREC1", "MExit", "GBHELP"}) {
            common << m_harness->find<QPushButton>(button)->text();
        }
        for (int index = 0; index < pages->count(); ++index) {
            QStringList captions = common;
            for (auto* widget : pages->widget(index)->findChildren<QWidget*>()) {
                if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                    captions << button->text();
                } else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
                    captions << label->text();
                } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
                    for (int sub = 0; sub < tabs->count(); ++sub) {
                        captions << tabs->tabText(sub);
                    }
                }
            }
            QStringList keys;
            for (const QString& caption : captions) {
                const auto match = QRegularExpression("&([^&])").match(caption);
                if (match.hasMatch()) {
                    const QString key = match.captured(1).toLower();
                    QVERIFY2(!keys.contains(key), qPrintable(pages->tabText(index) + ": " + key + " twice"));
                    keys << key;
                }
            }
        }
    }

private:
    void start(bool tray = false) {
        m_harness = std::make_unique<WindowHarness>(WindowHarness::Options{.tray = tray});
    }

    QAction* trayEntry(const char* name) {
        auto* menu = m_harness->window.findChild<QMenu*>("PMTray");
        if (menu == nullptr) {
            qFatal("no tray menu");
        }
        return menu->findChild<QAction*>(name);
    }

    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(PreferencesTest)
#include "PreferencesTest.moc"
