#include "app/WindowHarness.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>

using korvel::tests::WindowHarness;

// The fields with editing rules of their own, used by keystrokes as an operator would.
class FieldEditorsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_harness = std::make_unique<WindowHarness>();
        m_harness->showPage("TSProgram");
    }
    void cleanup() { m_harness.reset(); }

    void anAfFrequencyIsTypedWithTheKeyboardAlone() {
        auto* grid = selectAfRow(3);
        QTest::keyClick(grid, Qt::Key_9);
        QCOMPARE(QApplication::focusWidget(), entry());
        QCOMPARE(entry()->currentText(), QString("9"));
        QTest::keyClicks(entry(), "8.5");
        QCOMPARE(entry()->currentText(), QString("98.5"));
        QCOMPARE(grid->item(3, 1)->text(), QString("98.5")); // the grid follows each keystroke
        QTest::keyClick(entry(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->currentRow(), 4);
        QCOMPARE(entry()->currentText(), QString(""));
        QCOMPARE(m_harness->panel.settings().cell("SGAF", 3, 1), std::string("98.5"));
    }

    void theWholeAfListIsInView() {
        auto* grid = selectAfRow(14);
        const QRect view = grid->viewport()->rect();
        for (int row : {0, 14}) {
            for (int column : {0, 1}) {
                QVERIFY(view.contains(grid->visualItemRect(grid->item(row, column))));
            }
        }
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(grid->verticalScrollBar()->maximum(), 0);
    }

    void enterOnTheLastRowGoesBackToTheFirst() {
        auto* grid = selectAfRow(14);
        m_harness->panel.settings().setCell("SGAF", 0, 1, "87.6");
        QTest::keyClick(grid, Qt::Key_1);
        QTest::keyClick(entry(), Qt::Key_Return);
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(entry()->currentText(), QString("87.6")); // the row it lands on
    }

    void theGridTakesOnlyWhatStartsAFrequency() {
        auto* grid = selectAfRow(2);
        QTest::keyClick(grid, Qt::Key_A);
        QTest::keyClick(grid, Qt::Key_Comma); // the decimal separator here is the point
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->item(2, 1)->text(), QString(""));
        QTest::keyClick(grid, Qt::Key_Period);
        QCOMPARE(entry()->currentText(), QString("."));
    }

    void deleteEmptiesTheSelectedRow() {
        m_harness->panel.settings().setCell("SGAF", 5, 1, "101.1");
        auto* grid = selectAfRow(5);
        QCOMPARE(entry()->currentText(), QString("101.1"));
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(grid->item(5, 1)->text(), QString(""));
        QCOMPARE(entry()->currentText(), QString(""));
    }

    void aFrequencyPickedFromTheListGoesIntoTheRow() {
        auto* grid = selectAfRow(6);
        const int item = entry()->findText("101.1");
        QVERIFY(item >= 0);
        entry()->showPopup();
        auto* view = entry()->view();
        view->setCurrentIndex(view->model()->index(item, 0));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(grid->item(6, 1)->text(), QString("101.1"));
    }

    void theProgramFillingTheEntryBoxDoesNotWriteBack() {
        auto* grid = selectAfRow(7);
        m_harness->panel.settings().setText("CBAF", "99.9");
        QCOMPARE(entry()->currentText(), QString("99.9"));
        QCOMPARE(grid->item(7, 1)->text(), QString(""));
    }

    void piTakesHexadecimalDigitsAndFillsUpWhenLeft() {
        auto* pi = m_harness->find<QLineEdit>("PI");
        pi->setFocus();
        pi->selectAll();
        QTest::keyClicks(pi, "a1xf");
        QCOMPARE(pi->text(), QString("A1F"));
        QTest::keyClick(pi, Qt::Key_Tab);
        QCOMPARE(pi->text(), QString("0A1F"));
    }

    void ptyCodingChangesTheNamesAndKeepsTheCode() {
        auto& settings = m_harness->panel.settings();
        auto* pty = m_harness->find<QComboBox>("PTY");
        pty->setCurrentIndex(5);
        struct Case {
            int coding;
            const char* name;
        };
        for (const Case& c : {Case{1, "Rock"}, Case{2, "(5)"}, Case{0, "Educate"}}) {
            settings.setChoice("RBPTYC", c.coding);
            QCOMPARE(pty->currentText(), QString(c.name));
            QCOMPARE(settings.choice("PTY"), 5);
        }
    }

    void theHardwareDescriptionFollowsTheType() {
        m_harness->showPage("TabSheet1");
        WindowHarness::clickBox(m_harness->find<QRadioButton>("RGHTYP0"));
        QVERIFY(m_harness->find<QLabel>("LHDES0")->isVisible());
        QVERIFY(!m_harness->find<QLabel>("LHDES1a")->isVisible());
        QVERIFY(!m_harness->find<QLabel>("LHDES1b")->isVisible());
        WindowHarness::clickBox(m_harness->find<QRadioButton>("RGHTYP1"));
        QVERIFY(!m_harness->find<QLabel>("LHDES0")->isVisible());
        QVERIFY(m_harness->find<QLabel>("LHDES1a")->isVisible());
    }

    void chooseFillsTheFileNameAndCancelKeepsIt() {
        m_harness->showPage("TSTS");
        auto* name = m_harness->find<QLineEdit>("ED1F");
        m_harness->dialogs.chosenFile = "/srv/playout/nowplaying.txt";
        QTest::mouseClick(m_harness->find<QPushButton>("BR8"), Qt::LeftButton);
        QCOMPARE(name->text(), QString("/srv/playout/nowplaying.txt"));
        m_harness->dialogs.chosenFile.reset();
        QTest::mouseClick(m_harness->find<QPushButton>("BR8"), Qt::LeftButton);
        QCOMPARE(name->text(), QString("/srv/playout/nowplaying.txt"));
    }

private:
    QComboBox* entry() { return m_harness->find<QComboBox>("CBAF"); }

    QTableWidget* selectAfRow(int row) {
        auto* grid = m_harness->find<QTableWidget>("SGAF");
        grid->scrollToItem(grid->item(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(row, 1)).center());
        grid->setFocus();
        return grid;
    }

    std::unique_ptr<WindowHarness> m_harness;
};

QTEST_MAIN(FieldEditorsTest)
#include "FieldEditorsTest.moc"
