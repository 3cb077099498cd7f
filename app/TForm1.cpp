#include "app/TForm1.h"

#include "app/CompactStyle.h"
#include "app/ProgramPage.h"
#include "ui_TForm1.h"

#include <QLabel>
#include <QStyle>
#include <QTabBar>
#include <array>

namespace korvel::app {

namespace {

struct PageDef {
    const char* name;
    const char* caption;
};

// clang-format off
constexpr std::array kPages{
    PageDef{"TSProgram",    "&Program"},
    PageDef{"TSDPS1",       "&Dynamic PS"},
    PageDef{"TSRT",         "Radiot&ext"},
    PageDef{"TSSystem",     "S&ystem"},
    PageDef{"TSTS",         "Text Sour&ces"},
    PageDef{"TabSheet1",    "Hard&ware"},
    PageDef{"MPreferences", "Pre&ferences"},
};
// clang-format on
static_assert(kPages.size() == 7);

constexpr int kClientWidth_px = 599;
constexpr int kClientHeight_px = 308;
// The fixed client area was laid out for a small dialog font; a compact font and narrow tabs
// keep all seven page captions and every control inside it.
constexpr int kFont_pt = 8;

QWidget* makePage(const PageDef& def) {
    if (std::string_view(def.name) == "TSProgram") {
        return new ProgramPage;
    }
    auto* page = new QWidget;
    page->setObjectName(def.name);
    return page;
}

} // namespace

TForm1::TForm1(Panel& panel, QWidget* parent)
    : QMainWindow(parent)
    , m_panel(panel)
    , m_ui(std::make_unique<Ui::TForm1>())
    , m_binder(BindingContext{panel.settings(), DesktopText(panel.codePage())}) {
    QFont compact = font();
    compact.setPointSize(kFont_pt);
    setFont(compact);
    m_ui->setupUi(this);
    auto* tabStyle = new CompactStyle(style()->name());
    tabStyle->setParent(m_ui->PageControl1);
    m_ui->PageControl1->tabBar()->setStyle(tabStyle);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    addPages();
    addStatusText();
    m_ui->BSEND1->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    m_ui->BSTOR1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_ui->BREC1->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    m_binder.bindTree(this);
    setFixedSize(kClientWidth_px, kClientHeight_px);
}

TForm1::~TForm1() = default;

void TForm1::addPages() {
    for (const PageDef& def : kPages) {
        m_ui->PageControl1->addTab(makePage(def), QString::fromLatin1(def.caption));
    }
    m_ui->PageControl1->setCurrentIndex(0);
}

void TForm1::addStatusText() {
    auto* text = new QLabel(m_ui->statusBar);
    text->setObjectName("StatusBar1");
    m_ui->statusBar->addWidget(text, 1);
}

} // namespace korvel::app
