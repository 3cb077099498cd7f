#include "app/pages/ProgramPage.h"

#include "ui_ProgramPage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QListWidget>
#include <QPainter>
#include <filesystem>
#include <system_error>

namespace korvel::app {

namespace {

constexpr int kAfRows = 15;
constexpr int kRowHeight_px = 14;
constexpr int kNumberColumn_px = 24;
constexpr int kListWidth_px = 150;

} // namespace

ProgramPage::ProgramPage(const char* name, int tag)
    : LazyPage(name, tag) {}

ProgramPage::~ProgramPage() = default;

void ProgramPage::buildControls() {
    m_ui = std::make_unique<Ui::ProgramPage>();
    m_ui->setupUi(this);
    shapeFrequencyGrid();
    // The longest names would widen the page beyond the window; the drop-down shows them whole.
    for (QComboBox* list : {m_ui->PTY, m_ui->MS}) {
        list->setMaximumWidth(kListWidth_px);
        list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + kListWidth_px / 4);
    }
}

void ProgramPage::showEvent(QShowEvent* event) {
    // Rows have their height only once the items exist, which binding does after construction.
    QListWidget* list = m_ui ? m_ui->DI : nullptr;
    if (list != nullptr && list->count() > 0) {
        list->setFixedHeight(list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth());
    }
    QWidget::showEvent(event);
}

// Only a regular file: opening a named pipe or a device as a picture would block the window, at
// start-up before it is even shown.
void ProgramPage::showPicture(const QString& path) {
    std::error_code unreadable;
    QPixmap picture;
    if (path.isEmpty() ||
        !std::filesystem::is_regular_file(QFile::encodeName(path).toStdString(), unreadable) ||
        !picture.load(path)) {
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

// The whole list shows at once, both columns and all 15 rows, so that nothing scrolls away.
void ProgramPage::shapeFrequencyGrid() {
    QTableWidget* grid = m_ui->SGAF;
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(kRowHeight_px);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight_px);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setMinimumSectionSize(kNumberColumn_px);
    grid->setColumnCount(2);
    grid->setRowCount(kAfRows);
    grid->setColumnWidth(0, kNumberColumn_px);
    // One pixel to spare, so that selecting a row never scrolls the view. The width follows the
    // frequency column, which the window fits to the characters it shows.
    grid->setFixedHeight(kAfRows * kRowHeight_px + 2 * grid->frameWidth() + 1);
}

} // namespace korvel::app
