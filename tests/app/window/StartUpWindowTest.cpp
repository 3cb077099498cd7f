#include "app/WindowHarness.h"
#include "app/window/TForm2.h"
#include "fakes/TempFolder.h"
#include "settings/IniFile.h"
#include "settings/ProgramFolder.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using korvel::fakes::TempFolder;
using korvel::tests::WindowHarness;

// Start-up and close as the operator meets them in the window, with the settings file in a
// folder of the test's own.
class StartUpWindowTest : public QObject {
    Q_OBJECT

public slots:
    // Stands in for the desktop's document viewer.
    void openUrl(const QUrl& url) { m_opened.append(url); }

private slots:
    void init() {
        m_temp = std::make_unique<TempFolder>();
        m_file = std::make_unique<korvel::settings::SettingsFile>(
            korvel::settings::ProgramFolder("/opt/studio/korvel"),
            korvel::settings::ProgramFolder::Environment{m_temp->root().string(), std::nullopt});
    }
    void cleanup() {
        m_file.reset();
        m_temp.reset();
    }

    // Kept first: a later test loads a picture, and with it the plugins.
    void theWindowStartsWithoutLoadingImagePlugins() {
        WindowHarness harness({.file = m_file.get()});
        harness.window.show();
        QCoreApplication::processEvents();
        QFile maps("/proc/self/maps");
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY2(!mapped.contains("/imageformats/"), "an image format plugin was loaded");
        for (const char* button : {"BSEND1", "BSTOR1", "BREC1"}) {
            QVERIFY2(!harness.find<QPushButton>(button)->icon().isNull(), button);
        }
        QVERIFY(!harness.window.windowIcon().isNull());
    }

    // The long port list is sized from its longest name rather than by measuring every name; it
    // must still show each name whole, and take no more room than the measured size would.
    void theLongPortListShowsEveryNameWhole() {
        WindowHarness harness({.file = m_file.get()});
        auto* ports = harness.find<QComboBox>("CBPORT");
        QComboBox measured;
        measured.setStyle(ports->style());
        measured.setFont(ports->font());
        for (int row = 0; row < ports->count(); ++row) {
            measured.addItem(ports->itemText(row));
        }
        measured.setSizeAdjustPolicy(QComboBox::AdjustToContents);
        const int needed = measured.sizeHint().width();
        QVERIFY(ports->count() > 200);
        QVERIFY2(ports->sizeHint().width() >= needed, "the size would cut the widest name");
        QVERIFY2(ports->sizeHint().width() <= needed + ports->fontMetrics().horizontalAdvance('X'),
                 "the size is wider than any name needs");
        QCOMPARE(ports->sizeHint().height(), measured.sizeHint().height());
        QVERIFY(ports->width() >= needed);
    }

    void aSettingChangedInTheWindowSurvivesARestart() {
        {
            WindowHarness first({.file = m_file.get()});
            first.showPage("TSProgram");
            auto* ps = first.find<QLineEdit>("PSDEF");
            ps->setFocus();
            QTest::keyClicks(ps, "STUDIO 7");
            WindowHarness::clickBox(first.find<QCheckBox>("TP"));
            first.find<QComboBox>("PTY")->setCurrentIndex(10);
            QTest::mouseClick(first.find<QPushButton>("MExit"), Qt::LeftButton);
            QVERIFY(!first.window.isVisible());
        }
        WindowHarness second({.file = m_file.get()});
        second.showPage("TSProgram");
        QCOMPARE(second.find<QLineEdit>("PSDEF")->text(), QString("STUDIO 7"));
        QVERIFY(second.find<QCheckBox>("TP")->isChecked());
        QCOMPARE(second.find<QComboBox>("PTY")->currentText(), QString("Pop M"));
    }

    void theWindowComesBackWhereItWas() {
        {
            WindowHarness first({.file = m_file.get()});
            QCOMPARE(first.window.pos(), QPoint(10, 10));
            first.window.move(50, 60);
            QTest::qWait(1);
            QTest::mouseClick(first.find<QPushButton>("MExit"), Qt::LeftButton);
        }
        {
            WindowHarness second({.file = m_file.get()});
            QCOMPARE(second.window.pos(), QPoint(50, 60));
            second.window.move(70, 80); // and closed before the event loop comes round
            QTest::mouseClick(second.find<QPushButton>("MExit"), Qt::LeftButton);
        }
        WindowHarness third({.file = m_file.get()});
        QCOMPARE(third.window.pos(), QPoint(70, 80));
    }

    // As a tray's "Hide" leaves it: the next start knows it was hidden.
    void aWindowHiddenWhenSavedIsStoredAsHidden() {
        WindowHarness harness({.file = m_file.get()});
        harness.window.hide();
        harness.clock.advance(std::chrono::seconds(2));
        harness.panel.events().click("BSTOR1");
        const std::string saved = TempFolder::readFile(m_temp->root() / "studio/korvel.rds");
        QVERIFY2(saved.find("\nVisible=0\n") != std::string::npos, saved.c_str());
    }

    void aWindowStoredOffTheScreenComesBackOntoIt() {
        TempFolder::writeFile(m_temp->root() / "studio/korvel.rds", "[Config]\nTop=5000\nLeft=5000\n");
        WindowHarness harness({.file = m_file.get()});
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect frame = harness.window.frameGeometry();
        QCOMPARE(frame.bottom() + 1, screen.height());
        QCOMPARE(frame.right() + 1, screen.width());
    }

    void aTranslationFileChangesTaggedCaptionsAndHintsOnly() {
        TempFolder::writeFile(m_temp->root() / "fennel.lng",
                              "[TRANSLATIONS]\r\n"
                              "Form1.BSEND1.Caption=&Senden\r\n"
                              "Form1.BSEND1.Hint=Sendet alles~~an den Kodierer\r\n"
                              "Form1.bstor1.caption=Sp\xe9ichern\r\n"
                              "Form1.TSDPS1.Caption=Dyn. PS\r\n"
                              "Form1.RGDPS1M.Caption=Modus\r\n"
                              "Form1.LMHZ.Caption=untagged\r\n"
                              "Form2.BREC1.Caption=other form\r\n"
                              "Form1.BREC1.Color=clRed\r\n"
                              "Form1.BREC1=no property\r\n"
                              "[OTHER]\r\n"
                              "Form1.MExit.Caption=other section\r\n");
        WindowHarness harness({.programFolder = m_temp->root().string() + "/"});
        auto* send = harness.find<QPushButton>("BSEND1");
        QCOMPARE(send->text(), QString("&Senden"));
        QCOMPARE(send->toolTip(), QString("Sendet alles\nan den Kodierer"));
        QCOMPARE(harness.find<QPushButton>("BSTOR1")->text(), QString::fromUtf8("Sp\u00e9ichern"));
        auto* pages = harness.find<QTabWidget>("PageControl1");
        QCOMPARE(pages->tabText(pages->indexOf(harness.find<QWidget>("TSDPS1"))), QString("Dyn. PS"));
        // Pages made after the file was read are translated as they are made.
        harness.showPage("TSDPS1");
        QCOMPARE(harness.find<QGroupBox>("RGDPS1M")->title(), QString("Modus"));
        harness.showPage("TSProgram");
        QCOMPARE(harness.find<QLabel>("LMHZ")->text(), QString("MHz"));
        QCOMPARE(harness.find<QPushButton>("BREC1")->text(), QString("&Read"));
        QCOMPARE(harness.find<QPushButton>("MExit")->text(), QString("Save and E&xit"));
    }

    // The German translation shipped with the program: every line reaches a tagged component,
    // and its Windows-1252 letters arrive as such.
    void theGermanTranslationFileGivesGermanCaptions() {
        const std::string bytes = TempFolder::readFile(KORVEL_GERMAN_TRANSLATION);
        QVERIFY(!bytes.empty());
        TempFolder::writeFile(m_temp->root() / "fennel.lng", bytes);
        WindowHarness harness({.programFolder = m_temp->root().string() + "/"});
        harness.window.buildEveryPage();

        const auto file = korvel::settings::IniFile::parse(bytes);
        const auto entries = file.entries("TRANSLATIONS");
        QVERIFY(entries.size() > 100);
        for (const auto& entry : entries) {
            const QStringList key = QString::fromStdString(std::string(entry.first)).split('.');
            QCOMPARE(key.size(), 3);
            QCOMPARE(key[0], QString("Form1"));
            const auto* component = harness.window.findChild<QObject*>(key[1]);
            QVERIFY2(component != nullptr && component->property("tag").toInt() > 0, qPrintable(key[1]));
        }
        QCOMPARE(harness.find<QPushButton>("BSEND1")->text(), QString("&Senden"));
        QCOMPARE(harness.find<QPushButton>("BSEND1")->toolTip(),
                 QString("Sendet alle Daten an den RDS-Coder"));
        QCOMPARE(harness.find<QCheckBox>("CBHPRI")->text(), QString::fromUtf8("Hohe Pr&iorit\u00e4t"));
        QCOMPARE(harness.find<QGroupBox>("GBD1PR")->title(), QString::fromUtf8("P&r\u00e4fix"));
        auto* pages = harness.find<QTabWidget>("PageControl1");
        QCOMPARE(pages->tabText(pages->indexOf(harness.find<QWidget>("MPreferences"))),
                 QString("&Einstellungen"));
    }

    // The components a translation may reach, by name; all others keep tag 0.
    void exactlyTheTranslatableComponentsAreTagged() {
        const QStringList translatable =
            QString("LOGO BANSIC GNTS TP GNID GNPR GNDI GNAF LPSDEF LPI LPTY LMS "
                    "BSETTA TSDPS1 LM0 LM123 GBDBL1 RGDPS1M GBDPSP "
                    "RGDLD DPS1EN TSRT LRTT LRTM CBRTEN RTOP RTSA CBAUTO "
                    "TSSystem LCAR LSPEC BRESET GBPHASE RGCS RGPLLR "
                    "GNCT STMEN GNDATA LGRTYP CBUDGEN BSWOFF BSWON BSTAT TSTS "
                    "PageControl2 TSTSDPS1 GBDPS1 LD1H CBD1FF BR8 "
                    "CBD1SC GBD1CUT LD1BE LD1EN RGD1L GBD1PR TSTSRT1 GBRT1 LR1H "
                    "CBD1FB LD1FM LD1FT CBR1FB LR1FM LR1FT "
                    "CBR1FF BR9 CBR1SC RGR1L GBR1CUT LR1BE "
                    "LR1EN GBR1PR TSMORE GBDPSJ RBJUST0 RBJUST1 RBJUST2 GBFILL "
                    "RBFILSP RBFILCU GBMO LEXMP CBRSN CBREIB "
                    "CBCTC RBANSIC GBDS LLPTA CBBI CBSS BCUPD MPreferences "
                    "RBPTYC GBLOGB BR1 ColorBox1 GBUTCO LUTCO GBSMTO "
                    "LSMTO CBCTTZ GBSET CBHPRI ALONTOP CBCOEX CBMITR BSEND1 BSTOR1 "
                    "BREC1 MExit GBHELP PMTray Show1 Hide1 Exit1 "
                    // and all else the operator reads
                    "TSProgram TabSheet1 GBPreview LP RGHTYP GBHardwareDescription "
                    "LHDES0 LHDES1a LHDES1b GBCommunicationPort BitBtn1 GBConnection "
                    "GBStatus GBABOUT LAB1 LAB2 URLAB LDB3 LDB4 LDB5 LDB6 LDB7")
                .split(' ');
        QCOMPARE(translatable.size(), 138);
        WindowHarness harness;
        harness.window.buildEveryPage();
        QSet<QString> tagged;
        for (const QObject* object : harness.window.findChildren<QObject*>()) {
            if (object->property("tag").toInt() > 0) {
                QVERIFY2(translatable.contains(object->objectName()), qPrintable(object->objectName()));
                tagged.insert(object->objectName());
            }
        }
        for (const QString& name : translatable) {
            const bool exists = harness.window.findChild<QObject*>(name) != nullptr;
            QVERIFY2(!exists || tagged.contains(name), qPrintable(name + " is not tagged"));
        }
        QVERIFY2(tagged.size() >= 109, qPrintable(QString::number(tagged.size())));
    }

    void theHelpButtonOpensTheManualInTheProgramsFolder() {
        TempFolder::writeFile(m_temp->root() / "korvel.pdf", "%PDF-1.4");
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        WindowHarness harness({.programFolder = m_temp->root().string() + "/"});
        auto* help = harness.find<QPushButton>("GBHELP");
        QVERIFY(help->isVisible());
        QTest::mouseClick(help, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(
                               QString::fromStdString((m_temp->root() / "korvel.pdf").string()))});
    }

    // No viewer, or a guide gone since start-up: a message names the guide's path and what to do.
    void helpThatCannotShowTheManualSaysWhereItIs() {
        const std::string manual = (m_temp->root() / "korvel.pdf").string();
        TempFolder::writeFile(manual, "%PDF-1.4");
        QStringList asked;
        WindowHarness harness({.programFolder = m_temp->root().string() + "/",
                               .openDocument = [&asked](const std::string& path) {
                                   asked << QString::fromStdString(path);
                                   return false;
                               }});
        auto* help = harness.find<QPushButton>("GBHELP");
        QTest::mouseClick(help, Qt::LeftButton);
        std::filesystem::remove(manual);
        QTest::mouseClick(help, Qt::LeftButton);
        QCOMPARE(asked, QStringList{QString::fromStdString(manual)});
        const std::vector<std::string> expected{
            "The operator's guide could not be opened:\r" + manual +
                "\rInstall a PDF viewer (for example evince or mupdf) and xdg-utils, or open the file with a "
                "viewer of your choice.",
            "The operator's guide is missing:\r" + manual + "\rInstall Korvel again to bring it back."};
        QCOMPARE(harness.dialogs.errors, expected);
    }

    void confirmExitAnsweredNoKeepsTheWindowAndSavesNothing() {
        WindowHarness harness({.file = m_file.get()});
        harness.panel.settings().setFlag("CBCOEX", true);
        harness.dialogs.answer = false;
        harness.library.calls.clear();
        const QString status = harness.find<QLabel>("StatusBar1")->text();
        QTest::mouseClick(harness.find<QPushButton>("MExit"), Qt::LeftButton);
        QVERIFY(harness.window.isVisible());
        QCOMPARE(harness.dialogs.questions, std::vector<std::string>{"Exit the Korvel?"});
        QCOMPARE(harness.find<QLabel>("StatusBar1")->text(), status);
        QVERIFY(harness.library.calls.empty());
        QVERIFY(!std::filesystem::exists(m_temp->root() / "studio/korvel.rds"));

        harness.dialogs.answer = true;
        QTest::mouseClick(harness.find<QPushButton>("MExit"), Qt::LeftButton);
        QVERIFY(!harness.window.isVisible());
        QVERIFY(std::filesystem::exists(m_temp->root() / "studio/korvel.rds"));
    }

    // A logout while a message box is open: the box goes, nothing is asked, the settings are saved.
    void aCloseForTheSystemDismissesAnOpenBoxAndSaves() {
        WindowHarness harness({.file = m_file.get()});
        harness.panel.settings().setFlag("CBCOEX", true);
        QSignalSpy closed(&harness.window, &korvel::app::TForm1::closed);
        QTimer::singleShot(0, &harness.window, &korvel::app::TForm1::closeForSystem);
        QMessageBox box(QMessageBox::Question, "Korvel", "Reset the RDS encoder?",
                        QMessageBox::Yes | QMessageBox::No, &harness.window);
        QTimer::singleShot(5000, &box, &QMessageBox::accept); // keeps the test from waiting for ever
        QElapsedTimer shown;
        shown.start();
        box.exec();
        QVERIFY2(shown.elapsed() < 2000, "the box was dismissed at once");
        QVERIFY(box.clickedButton() != box.button(QMessageBox::Yes));
        QTRY_VERIFY(!harness.window.isVisible());
        QVERIFY(harness.dialogs.questions.empty());
        QVERIFY(std::filesystem::exists(m_temp->root() / "studio/korvel.rds"));
        harness.window.closeForSystem();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(std::count(harness.library.calls.begin(), harness.library.calls.end(), "Disconnect"), 1);
    }

    // A shutdown during Send's pause: Send ends first, then the link is closed and the settings saved.
    void aCloseForTheSystemWaitsForAnOperationToEnd() {
        WindowHarness harness({.file = m_file.get()});
        harness.clock.advance(std::chrono::seconds(2));
        harness.clock.duringPause = [&harness] {
            harness.clock.duringPause = nullptr;
            harness.window.closeForSystem();
        };
        harness.library.calls.clear();
        QTest::mouseClick(harness.find<QPushButton>("BSEND1"), Qt::LeftButton);
        QTRY_VERIFY(!harness.window.isVisible());
        const auto& calls = harness.library.calls;
        const auto lastSend = std::find(calls.rbegin(), calls.rend(), "Send");
        const auto disconnect = std::find(calls.rbegin(), calls.rend(), "Disconnect");
        QVERIFY(disconnect < lastSend);
        QCOMPARE(std::count(calls.begin(), calls.end(), "Send"), 6);
        QVERIFY(std::filesystem::exists(m_temp->root() / "studio/korvel.rds"));
    }

    // Start-up's step for "Always on Top": the window follows the flag and stays shown.
    void theStayOnTopStepFollowsItsFlag() {
        WindowHarness harness;
        QVERIFY(!harness.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        for (const bool onTop : {true, false}) {
            harness.panel.settings().setFlag("ALONTOP", onTop);
            harness.window.ALONTOPClick();
            QCOMPARE(harness.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
            QVERIFY(harness.window.isVisible());
        }
    }

    // A named pipe stored as the skin picture: opening it to read would wait for a writer for
    // ever, and start-up with it, before the window is even shown. A writer that comes along
    // later must find no reader waiting.
    void aPipeStoredAsTheSkinPictureNeverHoldsUpStartUp() {
        const std::string pipe = (m_temp->root() / "skin.png").string();
        QVERIFY(::mkfifo(pipe.c_str(), 0600) == 0);
        TempFolder::writeFile(m_file->folder() + korvel::settings::SettingsFile::kFileName,
                              "[Config]\nLogoPicture=" + pipe + "\n");
        std::atomic<bool> readerWaited = false;
        std::thread writer([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            readerWaited = fd >= 0; // opens only while a reader has the pipe open
            if (fd >= 0) {
                ::close(fd); // lets a blocked reader go, so that the test ends either way
            }
        });
        {
            WindowHarness harness({.file = m_file.get()});
            harness.showPage("MPreferences");
            QCOMPARE(harness.find<QLabel>("LImageFile")->text(), QString::fromStdString(pipe));
        }
        writer.join();
        QVERIFY(!readerWaited);
    }

    void theSplashWindowIsSmallBorderlessOnTopAndCentred() {
        korvel::app::TForm2 splash;
        splash.showAtOnce();
        QCOMPARE(splash.size(), QSize(193, 49));
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(splash.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    }

private:
    std::unique_ptr<TempFolder> m_temp;
    std::unique_ptr<korvel::settings::SettingsFile> m_file;
    QList<QUrl> m_opened;
};

QTEST_MAIN(StartUpWindowTest)
#include "StartUpWindowTest.moc"
