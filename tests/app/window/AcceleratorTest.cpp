#include "app/WindowHarness.h"
#include "fakes/TempFolder.h"
#include "model/Definitions.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <memory>

using korvel::fakes::TempFolder;
using korvel::tests::WindowHarness;

namespace {

// Controls with no caption or label of their own: each is a Tab away from one that has one.
const QStringList kFollowers{
    "TA",        // beside its button, "Traffic Announcement"
    "CBAF",      // entered from the frequency grid by typing a digit
    "SERTSW",    // after its check box, "Send next RT after"
    "SED1FB",    // after its check box, "Fallback after"
    "SER1FB",    // the same
    "ECUSCH",    // after its radio button, "Custom character"
    "ColorBox1", // after the frame's button
    "SEPHASE",   // before the frame's choices, to which the frame's letter leads
    "RBRT1",     "RBRT2", "RBRT3",  "RBRT4",  "RT2",
    "RT3",       "RT4",   "CBRTT2", "CBRTT3", "CBRTT4", // rows under the first
};

// The letter after the "&" of a caption, lower case; none when it has none.
QChar mnemonic(const QString& caption) {
    for (qsizetype at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] == u'&') {
            if (caption[at + 1] != u'&') {
                return caption[at + 1].toLower();
            }
            ++at;
        }
    }
    return {};
}

bool isControl(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget) != nullptr &&
        (qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) != nullptr ||
         qobject_cast<QComboBox*>(widget->parentWidget()) != nullptr)) {
        return false; // a part of its spin box or drop-down list
    }
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
           qobject_cast<const QTabBar*>(widget) == nullptr &&
           qobject_cast<const QTabWidget*>(widget) == nullptr;
}

// The control a frame's accelerator gives the focus to, as the frame chooses it: its checked
// radio button, else the first of its controls in Tab order.
QWidget* frameTarget(QGroupBox* frame) {
    QWidget* first = nullptr;
    for (QWidget* w = frame->nextInFocusChain(); w != frame; w = w->nextInFocusChain()) {
        if (frame->isAncestorOf(w) && isControl(w) && w->isVisibleTo(frame)) {
            if (auto* radio = qobject_cast<QRadioButton*>(w); radio != nullptr && radio->isChecked()) {
                return w;
            }
            first = first != nullptr ? first : w;
        }
    }
    return first;
}

QGroupBox* frameOf(const QWidget* widget) {
    for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (auto* frame = qobject_cast<QGroupBox*>(up)) {
            return frame;
        }
    }
    return nullptr;
}

// The controls each letter leads to.
using Owners = QMap<QChar, QStringList>;

void addOwner(Owners& owners, const QString& owner, const QString& caption) {
    if (const QChar letter = mnemonic(caption); !letter.isNull()) {
        owners[letter].append(owner);
    }
}

} // namespace

// Every control of a page can be reached with Alt and a letter, where its caption has a letter to
// spare: its own, its label's or its frame's. No letter leads to two places on a page, the main
// buttons and the page tabs included, in English and in German.
class AcceleratorTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        m_harness.reset();
        m_folder.reset();
    }

    void everyControlHasItsOwnLetter_data() {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("subPage"); // of the Text Sources page
        const std::array<std::pair<const char*, int>, 9> pages{{{"TSProgram", 0},
                                                                {"TSDPS1", 0},
                                                                {"TSRT", 0},
                                                                {"TSSystem", 0},
                                                                {"TSTS", 0},
                                                                {"TSTS", 1},
                                                                {"TSTS", 2},
                                                                {"TabSheet1", 0},
                                                                {"MPreferences", 0}}};
        for (const bool german : {false, true}) {
            for (const auto& [page, subPage] : pages) {
                QTest::addRow("%s %s %d", german ? "German" : "English", page, subPage)
                    << german << page << subPage;
            }
        }
    }
    void everyControlHasItsOwnLetter() {
        QFETCH(bool, german);
        QFETCH(QString, page);
        QFETCH(int, subPage);
        start(german);
        QWidget* shown = showPage(page, subPage);

        Owners owners = alwaysShown();
        QList<QWidget*> controls;
        for (QWidget* widget : shown->findChildren<QWidget*>()) {
            if (!widget->isVisible()) {
                continue;
            }
            addCaption(widget, owners);
            if (isControl(widget) &&
                !std::count(korvel::model::kDisplayOnly.begin(), korvel::model::kDisplayOnly.end(),
                            widget->objectName().toStdString())) {
                controls.append(widget);
            }
        }

        QStringList faults;
        for (auto letter = owners.cbegin(); letter != owners.cend(); ++letter) {
            if (letter.value().size() > 1) {
                faults << QString("Alt+%1 leads to %2").arg(letter.key(), letter.value().join(", "));
            }
        }
        for (QWidget* control : controls) {
            if (const QString fault = wayIn(control, owners); !fault.isEmpty()) {
                faults << control->objectName() + ": " + fault;
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    // Alt and the letter put the focus into the control, as the operator presses them.
    void altAndTheLetterReachTheControl_data() {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("subPage");
        QTest::addColumn<char>("letter");
        QTest::addColumn<QString>("control");
        // clang-format off
        QTest::newRow("Program, label")         << false << "TSProgram"    << 0 << 'a' << "PSDEF";
        QTest::newRow("Program, frame")         << false << "TSProgram"    << 0 << 'l' << "SGAF";
        QTest::newRow("Dynamic PS, digit")      << false << "TSDPS1"       << 0 << '1' << "DPS1B";
        QTest::newRow("Dynamic PS, spin frame") << false << "TSDPS1"       << 0 << 'b' << "SEDPS1DL";
        QTest::newRow("Radiotext")              << false << "TSRT"         << 0 << 'm' << "RT1";
        QTest::newRow("System, byte")           << false << "TSSystem"     << 0 << '6' << "DB5";
        QTest::newRow("System, radio frame")    << false << "TSSystem"     << 0 << 'k' << "RGCS0";
        QTest::newRow("Text Sources")           << false << "TSTS"         << 0 << 't' << "ED1F";
        QTest::newRow("Text Sources, options")  << false << "TSTS"         << 2 << 'j' << "RBJUST2";
        QTest::newRow("Hardware")               << false << "TabSheet1"    << 0 << 'm' << "CBPORT";
        QTest::newRow("Preferences")            << false << "MPreferences" << 0 << 'k' << "BR1";
        QTest::newRow("German Program")         << true  << "TSProgram"    << 0 << 'r' << "PSDEF";
        QTest::newRow("German Radiotext")       << true  << "TSRT"         << 0 << 'm' << "RT1";
        QTest::newRow("German System")          << true  << "TSSystem"     << 0 << 'g' << "CBGRTYP";
        QTest::newRow("German Text Sources")    << true  << "TSTS"         << 1 << 'm' << "ER1F";
        QTest::newRow("German Hardware")        << true  << "TabSheet1"    << 0 << 'a' << "ELPTA";
        QTest::newRow("German Preferences")     << true  << "MPreferences" << 0 << 'z' << "CBCTTZ";
        // clang-format on
    }
    void altAndTheLetterReachTheControl() {
        QFETCH(bool, german);
        QFETCH(QString, page);
        QFETCH(int, subPage);
        QFETCH(char, letter);
        QFETCH(QString, control);
        start(german);
        showPage(page, subPage);
        QApplication::setActiveWindow(&m_harness->window);
        QVERIFY(QTest::qWaitForWindowActive(&m_harness->window));
        m_harness->find<QWidget>("PageControl1")->setFocus();
        const auto key =
            static_cast<Qt::Key>(letter >= 'a' ? Qt::Key_A + (letter - 'a') : Qt::Key_0 + (letter - '0'));
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        const QWidget* target = m_harness->find<QWidget>(qPrintable(control));
        const QWidget* focus = QApplication::focusWidget();
        QVERIFY2(focus == target || target->isAncestorOf(focus),
                 qPrintable(focus != nullptr ? focus->objectName() : QString("nothing")));
    }

private:
    void start(bool german) {
        m_folder = std::make_unique<TempFolder>();
        if (german) {
            TempFolder::writeFile(m_folder->root() / "fennel.lng",
                                  TempFolder::readFile(KORVEL_GERMAN_TRANSLATION));
        }
        // With the guide, so that the Help button shows.
        TempFolder::writeFile(m_folder->root() / "korvel.pdf", "%PDF-1.4");
        m_harness =
            std::make_unique<WindowHarness>(WindowHarness::Options{.programFolder = m_folder->path()});
    }

    // The page, with the inner page of the Text Sources page in front; the others are hidden.
    QWidget* showPage(const QString& page, int subPage) {
        m_harness->showPage(qPrintable(page));
        if (page == "TSTS") {
            m_harness->find<QTabWidget>("PageControl2")->setCurrentIndex(subPage);
            QApplication::processEvents();
        }
        return m_harness->find<QWidget>(qPrintable(page));
    }

    // The main buttons and the page tabs, there whatever page shows.
    Owners alwaysShown() {
        Owners owners;
        for (const char* button : {"BSEND1", "BSTOR1", "BREC1", "GBHELP", "MExit"}) {
            addOwner(owners, button, m_harness->find<QAbstractButton>(button)->text());
        }
        addCaption(m_harness->find<QTabWidget>("PageControl1"), owners);
        return owners;
    }

    static void addCaption(QWidget* widget, Owners& owners) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            addOwner(owners, widget->objectName(), button->text());
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            addOwner(owners, widget->objectName(), frame->title());
        } else if (auto* label = qobject_cast<QLabel*>(widget);
                   label != nullptr && label->buddy() != nullptr) {
            addOwner(owners, widget->objectName(), label->text());
        } else if (auto* pages = qobject_cast<QTabWidget*>(widget)) {
            for (int index = 0; index < pages->count(); ++index) {
                addOwner(owners, pages->widget(index)->objectName(), pages->tabText(index));
            }
        }
    }

    // Empty when the control can be reached with Alt and a letter, or when none of the captions
    // that could lead to it has a letter to spare; else what is wrong.
    QString wayIn(QWidget* control, const Owners& owners) const {
        QStringList ways; // captions that could lead to the control
        if (auto* button = qobject_cast<QAbstractButton*>(control);
            button != nullptr && !button->text().isEmpty()) {
            ways << button->text();
        }
        for (auto* label : m_harness->window.findChildren<QLabel*>()) {
            if (label->buddy() == control) {
                ways << label->text();
            }
        }
        if (QGroupBox* frame = frameOf(control);
            frame != nullptr && !frame->title().isEmpty() &&
            (qobject_cast<QRadioButton*>(control) != nullptr || frameTarget(frame) == control)) {
            ways << frame->title();
        }
        if (std::any_of(ways.begin(), ways.end(),
                        [](const QString& way) { return !mnemonic(way).isNull(); })) {
            return {};
        }
        if (kFollowers.contains(control->objectName())) {
            return {};
        }
        if (ways.isEmpty()) {
            return "no caption, label or frame to carry a letter";
        }
        for (const QString& way : ways) {
            for (const QChar character : way) {
                const QChar key = character.toLower();
                const bool onEveryKeyboard = (key >= u'a' && key <= u'z') || (key >= u'0' && key <= u'9');
                if (onEveryKeyboard && !owners.contains(key)) {
                    return QString("\"%1\" could take the letter %2").arg(way, character);
                }
            }
        }
        return {};
    }

    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(AcceleratorTest)
#include "AcceleratorTest.moc"
