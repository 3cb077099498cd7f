#include "app/WindowHarness.h"
#include "app/desktop/MessageDialogs.h"
#include "fakes/TempFolder.h"
#include "model/ControlName.h"
#include "model/StationSettings.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <memory>
#include <optional>

using korvel::fakes::TempFolder;
using korvel::tests::WindowHarness;

// The German translation shipped with the program: taken on a German desktop, and reaching every
// text the operator reads, the program's own words in lists, units, the status bar and messages
// included.
class TranslationTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_folder = std::make_unique<TempFolder>();
        m_german = TempFolder::readFile(KORVEL_GERMAN_TRANSLATION);
        QVERIFY(!m_german.empty());
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) {
            m_environment[name] =
                qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
            qunsetenv(name);
        }
    }
    void cleanup() {
        for (auto variable = m_environment.cbegin(); variable != m_environment.cend(); ++variable) {
            if (variable.value()) {
                qputenv(variable.key(), *variable.value());
            } else {
                qunsetenv(variable.key());
            }
        }
        m_folder.reset();
    }

    // Installed, the translations lie below the program's folder; the desktop's language picks one.
    void theDesktopsLanguageChoosesTheShippedTranslation_data() {
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QString>("send");
        QTest::newRow("German desktop") << QByteArray("de_DE.UTF-8") << "&Senden";
        QTest::newRow("English desktop") << QByteArray("en_GB.UTF-8") << "&Send";
        QTest::newRow("C locale") << QByteArray("C") << "&Send";
    }
    void theDesktopsLanguageChoosesTheShippedTranslation() {
        QFETCH(QByteArray, lang);
        QFETCH(QString, send);
        TempFolder::writeFile(m_folder->root() / "translations/de/fennel.lng", m_german);
        qputenv("LANG", lang);
        WindowHarness harness({.programFolder = m_folder->path()});
        QCOMPARE(harness.find<QAbstractButton>("BSEND1")->text(), send);
    }

    // Every text of the German window that is still the English one is a translation missing,
    // unless it is the same in both languages or holds no word at all (codes, numbers).
    void theGermanWindowShowsNoEnglishText() {
        const QMap<QString, QString> english = shownTexts();
        TempFolder::writeFile(m_folder->root() / "fennel.lng", m_german);
        const QMap<QString, QString> german = shownTexts();
        QCOMPARE(german.keys(), english.keys());
        static const QRegularExpression word("[a-z]{2}");
        static const QStringList same{
            "S&ystem", "Hard&ware", "Status", "Byte &4",      "Byte &5",       "Byte &6",       "Byte &7",
            "Byte &8", "Start",     "min",    "Stereo",       "Sport",         "Jazz",          "Country",
            "Oldies",  "Religion",  "Alarm!", "Version 1.1b", "Fennel (KX71)", "Corvid (KX93)", "Rad&iotext"};
        QStringList untranslated;
        for (auto text = german.cbegin(); text != german.cend(); ++text) {
            const QString shown = text.value().trimmed();
            if (shown == english[text.key()].trimmed() && shown.contains(word) && !same.contains(shown)) {
                untranslated << text.key() + ": " + shown;
            }
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join('\n')));
        QVERIFY(german.size() > 400);
    }

    // The program's texts are looked up line by line; a "*" in a line stands for what varies.
    void theProgramsOwnTextsShowInTheTranslationsWords_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole text") << "StatusBar1"
                                    << "Sending Data..."
                                    << "Sende Daten...";
        QTest::newRow("a part that varies") << "LS"
                                            << "Port COM3 opened"
                                            << "Schnittstelle COM3 geöffnet";
        QTest::newRow("several parts")
            << "StatusBar1"
            << "Code page 1252 has no \"\u0416\" (U+0416) nor 2 more; they were left out."
            << "Die Codepage 1252 enthält weder „\u0416“ (U+0416) noch 2 weitere Zeichen; "
               "sie wurden weggelassen.";
        QTest::newRow("a line of its own") << "StatusBar1"
                                           << "Unable to write to /srv/a.rds"
                                           << "Schreiben nicht möglich: /srv/a.rds";
        QTest::newRow("no translation") << "StatusBar1"
                                        << "Sending Data now"
                                        << "Sending Data now";
    }
    void theProgramsOwnTextsShowInTheTranslationsWords() {
        QFETCH(QString, control);
        QFETCH(QString, english);
        QFETCH(QString, shown);
        TempFolder::writeFile(m_folder->root() / "fennel.lng", m_german);
        WindowHarness harness({.programFolder = m_folder->path()});
        harness.showPage("TabSheet1");
        const auto name = korvel::model::ControlName::find(control.toStdString()).value();
        harness.panel.settings().setText(name, english.toStdString());
        QCOMPARE(harness.find<QLabel>(qPrintable(control))->text(), shown);
    }

    // The page tabs show before the file is read; a translation of the program's words reaches them.
    void wordsReachWhatShowedBeforeTheFileWasRead() {
        TempFolder::writeFile(m_folder->root() / "fennel.lng", "[TEXTS]\r\n&Program=&Programm\r\n");
        WindowHarness harness({.programFolder = m_folder->path()});
        auto* pages = harness.find<QTabWidget>("PageControl1");
        QCOMPARE(pages->tabText(0), QString("&Programm"));
    }

    // A message of the logic, over several lines: each line in the window's words, the path as it
    // is; a question's answers too.
    void theLogicsMessagesShowInTheWindowsWords() {
        TempFolder::writeFile(m_folder->root() / "fennel.lng", m_german);
        WindowHarness harness({.programFolder = m_folder->path()});
        korvel::app::MessageDialogs dialogs{korvel::app::DesktopText(harness.codePage)};
        dialogs.showOver(&harness.window, &harness.window.words());
        QStringList shown;
        const auto read = [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            shown << box->text();
            for (QAbstractButton* button : box->buttons()) {
                shown << button->text();
            }
            box->button(QMessageBox::Yes) != nullptr ? box->button(QMessageBox::Yes)->click() : box->accept();
        };
        QTimer::singleShot(0, &harness.window, read);
        dialogs.showError(
            "The operator's guide is missing:\r/opt/k/korvel.pdf\rInstall Korvel again to bring it back.");
        QTimer::singleShot(0, &harness.window, read);
        QVERIFY(dialogs.askYesNo("Exit the Korvel?"));
        QCOMPARE(shown, (QStringList{"Die Bedienungsanleitung fehlt:\n/opt/k/korvel.pdf\n"
                                     "Installieren Sie Korvel erneut, um sie wiederherzustellen.",
                                     "OK", "Korvel beenden?", "&Ja", "&Nein"}));
    }

private:
    // Every text the window shows on its pages, by the control and what of it: captions, hints,
    // items and units. Station texts are the operator's and stay out.
    QMap<QString, QString> shownTexts() {
        WindowHarness harness({.programFolder = m_folder->path()});
        harness.window.buildEveryPage();
        QMap<QString, QString> texts;
        for (QObject* object : harness.window.findChildren<QObject*>()) {
            const QString name = object->objectName();
            if (name.isEmpty() || name.startsWith("qt_") || stationText(name)) {
                continue;
            }
            collect(object, name, texts);
        }
        return texts;
    }

    static bool stationText(const QString& name) {
        const auto control = korvel::model::ControlName::find(name.toStdString());
        if (!control) {
            return false;
        }
        if (control->kind() == korvel::model::Kind::Grid) {
            return true;
        }
        return control->kind() == korvel::model::Kind::Text &&
               korvel::model::StationSettings::textDef(*control).words == korvel::model::TextWords::Station;
    }

    static void collect(QObject* object, const QString& name, QMap<QString, QString>& texts) {
        if (auto* widget = qobject_cast<QWidget*>(object);
            widget != nullptr && !widget->toolTip().isEmpty()) {
            texts[name + ".hint"] = widget->toolTip();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(object)) {
            texts[name + ".text"] = button->text();
        } else if (auto* label = qobject_cast<QLabel*>(object)) {
            texts[name + ".text"] = label->text();
        } else if (auto* box = qobject_cast<QGroupBox*>(object)) {
            texts[name + ".title"] = box->title();
        } else if (auto* action = qobject_cast<QAction*>(object)) {
            texts[name + ".text"] = action->text();
        } else if (auto* pages = qobject_cast<QTabWidget*>(object)) {
            for (int index = 0; index < pages->count(); ++index) {
                texts[name + ".tab" + QString::number(index)] = pages->tabText(index);
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(object)) {
            for (int index = 0; index < combo->count(); ++index) {
                texts[name + ".item" + QString::number(index)] = combo->itemText(index);
            }
        } else if (auto* list = qobject_cast<QListWidget*>(object)) {
            for (int row = 0; row < list->count(); ++row) {
                texts[name + ".item" + QString::number(row)] = list->item(row)->text();
            }
        } else if (auto* spin = qobject_cast<QDoubleSpinBox*>(object)) {
            texts[name + ".unit"] = spin->suffix();
            texts[name + ".special"] = spin->specialValueText();
        }
    }

    std::unique_ptr<TempFolder> m_folder;
    std::string m_german;
    QMap<QByteArray, std::optional<QByteArray>> m_environment; // as the test found it
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
