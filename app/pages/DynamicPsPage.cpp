#include "app/pages/DynamicPsPage.h"

#include "ui_DynamicPsPage.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLayout>
#include <QPalette>

namespace korvel::app {

namespace {

constexpr int kRows = 9;
constexpr int kRowHeight_px = 18;
constexpr int kPreviewCharacters = 8;
constexpr int kPreviewMargin_px = 4;
constexpr QColor kPreviewText{255, 255, 0};
constexpr QColor kPreviewBackground{24, 24, 40};

} // namespace

DynamicPsPage::DynamicPsPage(const char* name, int tag)
    : LazyPage(name, tag) {}

DynamicPsPage::~DynamicPsPage() = default;

void DynamicPsPage::buildControls() {
    m_ui = std::make_unique<Ui::DynamicPsPage>();
    m_ui->setupUi(this);
    shapeLabelGrid();
    shapePreview();
}

// The preview changes a few times a second all day long. At a fixed size a new text repaints the
// display alone: no layout pass, no style sheet, and its filled background hides the page beneath.
void DynamicPsPage::shapePreview() {
    QLabel* display = m_ui->LP;
    QPalette colours = display->palette();
    colours.setColor(QPalette::WindowText, kPreviewText);
    colours.setColor(QPalette::Window, kPreviewBackground);
    display->setPalette(colours);
    display->setAutoFillBackground(true);
    const QFontMetrics metrics(display->font());
    display->setFixedSize(metrics.horizontalAdvance(QString(kPreviewCharacters, u'W')) +
                              2 * kPreviewMargin_px,
                          metrics.height() + 2 * kPreviewMargin_px);
    display->parentWidget()->layout()->setAlignment(display, Qt::AlignCenter);
}

void DynamicPsPage::shapeLabelGrid() {
    QTableWidget* grid = m_ui->DPS1;
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight_px);
    grid->horizontalHeader()->setStretchLastSection(true);
    // The width follows the labels' column, which the window fits to the characters they show.
    grid->setFixedHeight(kRows * kRowHeight_px + 2 * grid->frameWidth());
}

} // namespace korvel::app
