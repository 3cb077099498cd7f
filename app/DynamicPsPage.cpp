#include "app/DynamicPsPage.h"

#include "ui_DynamicPsPage.h"

#include <QFontDatabase>
#include <QHeaderView>

namespace korvel::app {

namespace {

constexpr int kRows = 9;
constexpr int kRowHeight_px = 18;
constexpr int kLabelWidth_px = 76; // eight characters and the cell margins

} // namespace

DynamicPsPage::DynamicPsPage(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::DynamicPsPage>()) {
    m_ui->setupUi(this);
    shapeLabelGrid();
    fitFreeText();
}

DynamicPsPage::~DynamicPsPage() = default;

// The 72 characters of the free text fit the page's width in a fixed-pitch font only; the size
// stays the window's.
void DynamicPsPage::fitFreeText() {
    QFont fixedPitch;
    fixedPitch.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    fixedPitch.setStyleHint(QFont::TypeWriter);
    m_ui->DPS1B->setFont(fixedPitch);
}

void DynamicPsPage::shapeLabelGrid() {
    QTableWidget* grid = m_ui->DPS1;
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight_px);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setFixedSize(kLabelWidth_px, kRows * kRowHeight_px + 2 * grid->frameWidth());
}

} // namespace korvel::app
