#include "app/WindowHarness.h"
#include "fakes/TempFolder.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <memory>

using korvel::fakes::TempFolder;
using korvel::tests::WindowHarness;

// Every text field of a fixed length shows its whole length of the widest character it takes,
// typed in, without scrolling and inside its page, in English and in German.
class FieldWidthTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        m_harness.reset();
        m_folder.reset();
    }

    void aFullFieldOfTheWidestCharacterShowsWhole_data() {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("takes"); // any: every printable character of the code page
        QTest::addColumn<int>("length");
        struct Row {
            const char* page;
            const char* field;
            const char* takes;
            int length;
        };
        // clang-format off
        const Row rows[] = {
            {"TSProgram", "PSDEF",  "any",    8}, {"TSProgram", "PI",     "hex",    4},
            {"TSProgram", "CBAF",   "any",    5}, {"TSDPS1",    "DPS1B",  "any",   72},
            {"TSDPS1",    "DPS1",   "any",    8}, {"TSRT",      "RT1",    "any",   64},
            {"TSRT",      "RT4",    "any",   64}, {"TSSystem",  "DB3",    "hex",    2},
            {"TSSystem",  "DB7",    "hex",    2}, {"TSTS",      "ED1FB",  "any",   72},
            {"TSTS",      "ER1FB",  "any",   64}, {"TSTS",      "ECUSCH", "any",    1},
            {"TabSheet1", "ELPTA",  "address", 5},
        };
        // clang-format on
        for (const bool german : {false, true}) {
            for (const Row& row : rows) {
                QTest::addRow("%s %s", german ? "German" : "English", row.field)
                    << german << row.page << row.field << row.takes << row.length;
            }
        }
    }
    void aFullFieldOfTheWidestCharacterShowsWhole() {
        QFETCH(bool, german);
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, takes);
        QFETCH(int, length);
        start(german);
        auto& settings = m_harness->panel.settings();
        if (field == "DPS1") {
            settings.setChoice("RGDPS1M", 0); // the labels take typing in mode 0, the free text in the others
        }
        settings.setFlag("RBFILCU", true);
        settings.setFlag("CBD1FB", true); // the fallback texts take typing when they are on
        settings.setFlag("CBR1FB", true);
        m_harness->showPage(qPrintable(page));
        if (page == "TSTS") {
            const QStringList subPages{"ED1FB", "ER1FB", "ECUSCH"}; // on the source tabs and the options
            m_harness->find<QTabWidget>("PageControl2")
                ->setCurrentIndex(static_cast<int>(subPages.indexOf(field)));
        }
        auto* widget = m_harness->find<QWidget>(qPrintable(field));
        QLineEdit* edit = editorOf(widget);
        QVERIFY(edit != nullptr && edit->isEnabled());
        const QString widest(length, widestOf(characters(takes), edit->font()));
        edit->setFocus();
        edit->selectAll();
        WindowHarness::typeText(edit, widest);
        QCOMPARE(edit->text(), widest);
        QTest::keyClick(edit, Qt::Key_End);
        edit->grab();
        const int middle = edit->height() / 2;
        QCOMPARE(edit->cursorPositionAt(QPoint(0, middle)), 0);
        QCOMPARE(edit->cursorPositionAt(QPoint(edit->width() - 1, middle)), length);
        const QWidget* shown = m_harness->find<QTabWidget>("PageControl1")->currentWidget();
        QVERIFY2(shown->rect().contains(QRect(widget->mapTo(shown, QPoint()), widget->size())),
                 "the field reaches beyond its page");
    }

    // The frequency list shows what its entry box holds, five characters of any kind.
    void aFrequencyRowShowsFiveOfTheWidestCharacter() {
        for (const bool german : {false, true}) {
            start(german);
            m_harness->showPage("TSProgram");
            auto* grid = m_harness->find<QTableWidget>("SGAF");
            const QChar widest = widestOf(characters("any"), grid->font());
            const auto bytes = m_harness->codePage.encode(std::u32string(5, widest.unicode()));
            QVERIFY(bytes);
            m_harness->panel.settings().setCell("SGAF", 0, 1, *bytes);
            const int margins =
                2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
            const qreal text = QFontMetricsF(grid->font()).horizontalAdvance(grid->item(0, 1)->text());
            QVERIFY2(text + margins <= grid->visualItemRect(grid->item(0, 1)).width(),
                     german ? "German" : "English");
            QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(0, 1))));
        }
    }

private:
    void start(bool german) {
        m_harness.reset();
        m_folder = std::make_unique<TempFolder>();
        if (german) {
            TempFolder::writeFile(m_folder->root() / "fennel.lng",
                                  TempFolder::readFile(KORVEL_GERMAN_TRANSLATION));
        }
        m_harness =
            std::make_unique<WindowHarness>(WindowHarness::Options{.programFolder = m_folder->path()});
    }

    // The line edit the operator types into: the field itself, the drop-down's, or a grid cell's.
    static QLineEdit* editorOf(QWidget* widget) {
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            return combo->lineEdit();
        }
        if (auto* grid = qobject_cast<QTableWidget*>(widget)) {
            grid->setFocus();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualItemRect(grid->item(1, 0)).center());
            return qobject_cast<QLineEdit*>(QApplication::focusWidget());
        }
        return qobject_cast<QLineEdit*>(widget);
    }

    QString characters(const QString& takes) const {
        if (takes == "hex") {
            return "0123456789ABCDEF";
        }
        if (takes == "address") {
            return "012345"; // the digits of an address below 65536 in each of its five places
        }
        QString printable;
        for (int byte = 0x20; byte <= 0xFF; ++byte) {
            const auto character = m_harness->codePage.toUnicode(static_cast<std::uint8_t>(byte));
            if (character && QChar::isPrint(*character)) {
                printable += QChar(static_cast<char16_t>(*character));
            }
        }
        return printable;
    }

    // Of characters as wide as each other, the last: a visible one rather than the blank.
    static QChar widestOf(const QString& characters, const QFont& font) {
        const QFontMetricsF metrics(font);
        QChar widest = characters.front();
        for (const QChar character : characters) {
            if (metrics.horizontalAdvance(character) >= metrics.horizontalAdvance(widest)) {
                widest = character;
            }
        }
        return widest;
    }

    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(FieldWidthTest)
#include "FieldWidthTest.moc"
