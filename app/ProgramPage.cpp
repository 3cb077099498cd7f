#include "app/ProgramPage.h"

#include "ui_ProgramPage.h"

#include <QHeaderView>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>

namespace korvel::app {

namespace {

constexpr int kRowHeight_px = 16;
constexpr int kNumberColumn_px = 18;
constexpr int kFrequencyColumn_px = 50;
constexpr int kAfEntryWidth_px = 66;

} // namespace

ProgramPage::ProgramPage(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::ProgramPage>()) {
    m_ui->setupUi(this);
    shapeFrequencyGrid();
}

ProgramPage::~ProgramPage() = default;

void ProgramPage::showEvent(QShowEvent* event) {
    // Rows have their height only once the items exist, which binding does after construction.
    QListWidget* list = m_ui->DI;
    if (list->count() > 0) {
        list->setFixedHeight(list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth());
    }
    QWidget::showEvent(event);
}

void ProgramPage::showPicture(const QString& path) {
    QPixmap picture;
    if (path.isEmpty() || !picture.load(path)) {
        return;
    }
    m_picture = picture;
    update();
}

// Captions paint in the window-text colour; edits, lists and buttons in colours of their own.
void ProgramPage::setLabelColour(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void ProgramPage::paintEvent(QPaintEvent* event) {
    if (!m_picture.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(rect(), m_picture);
    }
    QWidget::paintEvent(event);
}

void ProgramPage::shapeFrequencyGrid() {
    QTableWidget* grid = m_ui->SGAF;
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight_px);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setDefaultSectionSize(kFrequencyColumn_px);
    grid->setColumnCount(2);
    grid->setColumnWidth(0, kNumberColumn_px);
    grid->setColumnWidth(1, kFrequencyColumn_px);
    const int width = kNumberColumn_px + kFrequencyColumn_px + grid->verticalScrollBar()->sizeHint().width() +
                      2 * grid->frameWidth();
    grid->setFixedWidth(width);
    m_ui->CBAF->setFixedWidth(kAfEntryWidth_px);
}

} // namespace korvel::app
