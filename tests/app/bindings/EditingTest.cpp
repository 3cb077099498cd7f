#include "app/WindowHarness.h"
#include "app/bindings/CodePageValidator.h"

#include <QClipboard>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cctype>
#include <memory>

using korvel::tests::WindowHarness;

// How the fields take the operator's typing, pasting and moving on.
class EditingTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    void tabAndShortcutsPassTheDigitFilter() {
        m_harness->showPage("TabSheet1");
        auto* address = find<QLineEdit>("ELPTA");
        QTest::mouseClick(address, Qt::LeftButton);
        QTest::keyClick(address, Qt::Key_Tab);
        QVERIFY2(!address->hasFocus(), "Tab leaves the field");
        QTest::mouseClick(address, Qt::LeftButton);
        QTest::keyClick(address, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY2(!address->hasFocus(), "Shift+Tab leaves the field");

        QGuiApplication::clipboard()->setText("12");
        QTest::mouseClick(address, Qt::LeftButton);
        QTest::keyClick(address, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(address->selectedText(), QString("632"));
        QTest::keyClick(address, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(address->text(), QString("12"));
        QCOMPARE(m_harness->panel.settings().text("ELPTA"), std::string("12"));
    }

    // A typed value stands while the operator types and when the field is left. The logic may
    // change it meanwhile (here a reaction capitalises PS and caps the interval at 100 minutes):
    // the field keeps what was typed until editing ends, and then shows the model.
    void typedValueShowsTheModelWhenEditingEnds_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("finish");
        QTest::addColumn<QString>("finally");
        constexpr int tab = Qt::Key_Tab;
        constexpr int enter = Qt::Key_Return;
        // clang-format off
        QTest::newRow("interval")               << "TSRT"      << "SERTSW" << "5"     << "12"     << "12 min"  << tab   << "12 min";
        QTest::newRow("interval from .5 min")   << "TSRT"      << "SERTSW" << "0"     << "12"     << "12 min"  << tab   << "12 min";
        QTest::newRow("PI")                     << "TSProgram" << "PI"     << "FFFF"  << "12AB"   << "12AB"    << tab   << "12AB";
        QTest::newRow("PS changed, Tab")        << "TSProgram" << "PSDEF"  << "RADIO" << "korvel" << "korvel"  << tab   << "KORVEL";
        QTest::newRow("PS changed, Enter")      << "TSProgram" << "PSDEF"  << "RADIO" << "korvel" << "korvel"  << enter << "KORVEL";
        QTest::newRow("interval capped, Tab")   << "TSRT"      << "SERTSW" << "5"     << "150"    << "150 min" << tab   << "100 min";
        QTest::newRow("interval capped, Enter") << "TSRT"      << "SERTSW" << "5"     << "150"    << "150 min" << enter << "100 min";
        // clang-format on
    }
    void typedValueShowsTheModelWhenEditingEnds() {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, finish);
        QFETCH(QString, finally);
        auto& settings = m_harness->panel.settings();
        store(qPrintable(control), before.toStdString());
        const auto capitalise = settings.react("PSDEF", [&settings] {
            std::string text = settings.text("PSDEF");
            for (char& c : text) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            settings.setText("PSDEF", text);
        });
        const auto cap = settings.react("SERTSW", [&settings] {
            if (settings.decimal("SERTSW") > 100) {
                settings.setDecimal("SERTSW", 100);
            }
        });
        m_harness->showPage(qPrintable(page));
        auto* field = find<QWidget>(qPrintable(control));
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, typed);
        QCOMPARE(shownText(field), shown);
        QCOMPARE(QString::fromStdString(storedText(qPrintable(control))), finally.section(' ', 0, 0));
        QTest::keyClick(field, static_cast<Qt::Key>(finish));
        QCOMPARE(shownText(field), finally);
    }

    // Alt+R while Read is disabled (no bidirectional port) is no accelerator: the filtered field
    // with the focus must not take the letter.
    void aDisabledAcceleratorTypesNothing_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::newRow("PI") << "TSProgram"
                            << "PI";
        QTest::newRow("byte 4") << "TSSystem"
                                << "DB3";
        QTest::newRow("LPT2 address") << "TabSheet1"
                                      << "ELPTA";
    }
    void aDisabledAcceleratorTypesNothing() {
        QFETCH(QString, page);
        QFETCH(QString, control);
        m_harness->panel.settings().setEnabled("BREC1", false); // as a one-way port leaves it
        m_harness->showPage(qPrintable(page));
        auto* field = find<QLineEdit>(qPrintable(control));
        const QString before = field->text();
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier); // as Tab leaves it: all selected
        QTest::keyClick(field, Qt::Key_R, Qt::AltModifier);
        QCOMPARE(field->text(), before);
        QCOMPARE(QString::fromStdString(storedText(qPrintable(control))), before);
    }

    void pasteKeepsWhatTheCodePageHas() {
        m_harness->showPage("TSRT");
        auto* rt = find<QLineEdit>("RT1");
        QGuiApplication::clipboard()->setText(QString::fromUtf8("Caf\u00e9\u0416X"));
        QTest::mouseClick(rt, Qt::LeftButton);
        QTest::keyClick(rt, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rt->text(), QString::fromUtf8("Caf\u00e9X"));
        QCOMPARE(m_harness->panel.settings().text("RT1"), std::string("Caf\xe9X"));
        QVERIFY(statusNames(QString::fromUtf8("\u0416")));
    }

    // Pasted text passes the field's key filter as if typed, whichever way it is pasted; what
    // the field held stays, even what the filter would not take.
    void pasteIntoAFilteredFieldIsTypedThroughItsFilter_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("after");
        // clang-format off
        QTest::newRow("PI, Ctrl+V")           << "TSProgram" << "PI"    << ""     << "ab12"    << "ctrl+v"       << "AB12";
        QTest::newRow("PI, Shift+Insert")     << "TSProgram" << "PI"    << ""     << " 1a\n2 " << "shift+insert" << "1A2";
        QTest::newRow("PI, after its digits") << "TSProgram" << "PI"    << "12"   << "xcd"     << "menu"         << "12CD";
        QTest::newRow("PI, full")             << "TSProgram" << "PI"    << "12AB" << "cd"      << "ctrl+v"       << "12AB";
        QTest::newRow("PI, as the file had it") << "TSProgram" << "PI" << "XY" << "c"  << "ctrl+v"       << "XYC";
        QTest::newRow("byte, menu")           << "TSSystem"  << "DB3"   << ""     << "zz7"     << "menu"         << "7";
        QTest::newRow("LPT2 address, middle") << "TabSheet1" << "ELPTA" << ""     << "0x3-78"  << "middle"       << "0378";
        // clang-format on
    }
    void pasteIntoAFilteredFieldIsTypedThroughItsFilter() {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(QString, before);
        QFETCH(QString, pasted);
        QFETCH(QString, way);
        QFETCH(QString, after);
        m_harness->showPage(qPrintable(page));
        store(qPrintable(control), before.toStdString());
        auto* field = find<QLineEdit>(qPrintable(control));
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_End);
        QGuiApplication::clipboard()->setText(pasted);
        if (way == "ctrl+v") {
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        } else if (way == "shift+insert") {
            QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (way == "menu") {
            field->paste(); // what the context menu's Paste does
        } else {
            field->insert(pasted); // what the middle button does with the selection
        }
        QCOMPARE(field->text(), after);
        QCOMPARE(QString::fromStdString(storedText(qPrintable(control))), after);
        QCOMPARE(field->cursorPosition(), after.size());
    }

    void steppedValuesTakeNoTyping() {
        m_harness->showPage("TSDPS1");
        auto& settings = m_harness->panel.settings();
        auto* period = find<QDoubleSpinBox>("SEDPSLP");
        QTest::mouseClick(period, Qt::LeftButton);
        QTest::keyClick(period, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(period, "2.7");
        QTest::keyClick(period, Qt::Key_Tab);
        QCOMPARE(settings.decimal("SEDPSLP"), 2.5);
        QCOMPARE(period->text(), QString("2.5 sec"));
        period->setFocus();
        QTest::keyClick(period, Qt::Key_Up);
        QCOMPARE(settings.decimal("SEDPSLP"), 3.0);

        auto* delay = find<QDoubleSpinBox>("SEDPS1DL");
        delay->setFocus();
        QTest::keyClicks(delay, "9");
        QTest::keyClick(delay, Qt::Key_Up);
        QCOMPARE(settings.decimal("SEDPS1DL"), 24.3);
        QCOMPARE(delay->text(), QString("24.3 sec"));
    }

private:
    template <typename Widget> Widget* find(const char* name) { return m_harness->find<Widget>(name); }

    void store(const char* control, std::string value) {
        const auto name = korvel::model::ControlName::find(control).value();
        auto& settings = m_harness->panel.settings();
        if (name.kind() == korvel::model::Kind::Decimal) {
            settings.setDecimalText(name, std::move(value));
        } else {
            settings.setText(name, std::move(value));
        }
    }
    std::string storedText(const char* control) {
        const auto name = korvel::model::ControlName::find(control).value();
        auto& settings = m_harness->panel.settings();
        return name.kind() == korvel::model::Kind::Decimal ? settings.decimalText(name) : settings.text(name);
    }
    static QString shownText(QWidget* field) {
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) {
            return spin->text();
        }
        return qobject_cast<QLineEdit*>(field)->text();
    }
    // The status bar tells of a refused character and of the desktop code page.
    bool statusNames(const QString& character) {
        const QString status = find<QLabel>("StatusBar1")->text();
        return status.contains(character) && status.contains("1252");
    }

    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(EditingTest)
#include "EditingTest.moc"
