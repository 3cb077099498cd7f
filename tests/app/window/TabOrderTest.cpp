#include "app/window/TabOrder.h"

#include "app/WindowHarness.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <array>
#include <memory>

using korvel::tests::WindowHarness;

// Tab walks each page top to bottom and left to right, a group of controls as one unit, and then
// the main buttons; Shift+Tab walks the same way back. A group of radio buttons counts once.
class TabOrderTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    void tabWalksThePageInReadingOrder_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("subPage"); // of the Text Sources page
        QTest::addColumn<QStringList>("stops");
        const QStringList mainButtons{"BSEND1", "BSTOR1", "BREC1", "MExit", "PageControl1"};
        // clang-format off
        QTest::newRow("Program") << "TSProgram" << 0 << QStringList{
            "PSDEF", "PI", "TP", "TA", "BSETTA", "PTY", "MS", "SGAF", "CBAF", "DI", "BANSIC"} + mainButtons;
        QTest::newRow("Dynamic PS") << "TSDPS1" << 0 << QStringList{
            "DPS1B", "RGDPS1M2", "RGDLD1", "SEDPS1DL", "SEDPSLP", "DPS1EN"} + mainButtons;
        QTest::newRow("Radiotext") << "TSRT" << 0 << QStringList{
            "RBRT1", "RT1", "RBRT2", "RT2", "RBRT3", "RT3", "RBRT4", "RT4", "CBRTEN", "RTSA", "SERTSW",
            "CBAUTO"} + mainButtons;
        QTest::newRow("Text Sources, dynamic PS") << "TSTS" << 0 << QStringList{
            "PageControl2", "CBD1FF", "ED1F", "BR8", "CBD1SC", "SED1BE", "SED1EN", "RGD1L1", "ED1PR", "CBD1FB",
            "SED1FB", "ED1FB"} + mainButtons;
        QTest::newRow("Text Sources, radiotext") << "TSTS" << 1 << QStringList{
            "PageControl2", "CBR1FF", "ER1F", "BR9", "CBR1SC", "SER1BE", "SER1EN", "RGR1L1", "ER1PR", "CBR1FB",
            "SER1FB", "ER1FB"} + mainButtons;
        QTest::newRow("Text Sources, options") << "TSTS" << 2 << QStringList{
            "PageControl2", "RBJUST0", "RBJUST1", "RBJUST2", "RBFILSP", "RBFILCU", "ECUSCH", "CBRSN", "CBREIB",
            "CBCTC", "RBANSIC2"} + mainButtons;
        QTest::newRow("System") << "TSSystem" << 0 << QStringList{
            "RGCS0", "BSETCT", "CBUDGEN", "CBGRTYP", "DB3", "DB4", "DB5", "DB6", "DB7", "BSWOFF", "BSWON",
            "BRESET", "BSTAT"} + mainButtons;
        QTest::newRow("Preferences") << "MPreferences" << 0 << QStringList{
            // The typed offsets wait while the time zone gives them.
            "RBPTYC0", "BR1", "ColorBox1", "CBCTTZ", "CBHPRI", "ALONTOP", "CBCOEX", "CBMITR",
            "URLAB"} + mainButtons;
        QTest::newRow("Hardware") << "TabSheet1" << 0 << QStringList{
            "RGHTYP1", "CBPORT", "CBBI", "CBSS", "ELPTA", "BitBtn1", "BCUPD"} + mainButtons;
        // clang-format on
    }
    void tabWalksThePageInReadingOrder() {
        QFETCH(QString, page);
        QFETCH(int, subPage);
        QFETCH(QStringList, stops);
        m_harness->showPage(qPrintable(page)); // made now, and chained into the order as it is made
        if (page == "TSTS") {
            find<QTabWidget>("PageControl2")->setCurrentIndex(subPage);
        }
        QCOMPARE(walk(Qt::Key_Tab, stops.size()), stops);
        QStringList back = stops;
        std::reverse(back.begin(), back.end() - 1); // from the tab bar back to it
        QCOMPARE(walk(Qt::Key_Backtab, stops.size()), back);
    }

    // In mode 0 a click opens a label's cell for typing; Tab still moves on to the next control.
    void tabLeavesALabelCell() {
        auto& settings = m_harness->panel.settings();
        settings.setChoice("RGDPS1M", 0);
        m_harness->showPage("TSDPS1");
        auto* grid = find<QTableWidget>("DPS1");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(2, 0)).center());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, "KORVEL");
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(stopName(QApplication::focusWidget()), QString("RGDPS1M0"));
        QCOMPARE(grid->item(2, 0)->text(), QString("KORVEL"));
        QCOMPARE(settings.cell("DPS1", 2), std::string("KORVEL"));
    }

    // A grid layout is read row by row, whatever order its cells were added in.
    void gridLayoutIsReadRowByRow() {
        QWidget form;
        auto* grid = new QGridLayout(&form);
        const std::array<std::pair<int, int>, 4> cells{{{1, 1}, {1, 0}, {0, 1}, {0, 0}}};
        for (const auto& [row, column] : cells) {
            auto* edit = new QLineEdit(&form);
            edit->setObjectName(QString("R%1C%2").arg(row).arg(column));
            grid->addWidget(edit, row, column);
        }
        korvel::app::TabOrder order;
        order.add(&form);
        order.apply();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.findChild<QLineEdit*>("R0C0")->setFocus();
        QStringList stops;
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(stops, (QStringList{"R0C1", "R1C0", "R1C1"}));
    }

private:
    template <typename Widget> Widget* find(const char* name) { return m_harness->find<Widget>(name); }

    // The stops that key reaches, starting from the page control's tab bar.
    QStringList walk(Qt::Key key, qsizetype count) {
        find<QTabWidget>("PageControl1")->setFocus(Qt::TabFocusReason);
        QStringList stops;
        for (qsizetype step = 0; step < count; ++step) {
            QTest::keyClick(QApplication::focusWidget(), key);
            stops << stopName(QApplication::focusWidget());
        }
        return stops;
    }

    // The control the focus is in: the parts of a control (a spin box's editor, a page control's
    // tab bar) carry Qt's own names.
    static QString stopName(const QWidget* focus) {
        for (const QWidget* widget = focus; widget != nullptr; widget = widget->parentWidget()) {
            if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_")) {
                return widget->objectName();
            }
        }
        return {};
    }

    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(TabOrderTest)
#include "TabOrderTest.moc"
