#include "app/window/TForm1.h"

#include "app/desktop/SourceWatch.h"
#include "app/desktop/Translation.h"
#include "app/desktop/TranslationChoice.h"
#include "app/desktop/TrayIcon.h"
#include "app/desktop/WindowPreferences.h"
#include "app/pages/DesignedPage.h"
#include "app/pages/DynamicPsPage.h"
#include "app/pages/FixedLengthFields.h"
#include "app/pages/LazyPage.h"
#include "app/pages/ProgramPage.h"
#include "app/window/ButtonIcons.h"
#include "app/window/CompactStyle.h"
#include "app/window/ProgramPicture.h"
#include "app/window/TabOrder.h"
#include "app/window/TimerBridge.h"
#include "app/window/UnsentMark.h"
#include "settings/FileBytes.h"
#include "ui_HardwarePage.h"
#include "ui_PreferencesPage.h"
#include "ui_RadiotextPage.h"
#include "ui_SystemPage.h"
#include "ui_TForm1.h"
#include "ui_TextSourcesPage.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <utility>

namespace korvel::app {

namespace {

struct PageDef {
    const char* name;
    int tag; // as the page's form has it
    LazyPage* (*make)(const char* name, int tag);
};

template <typename Page> LazyPage* make(const char* name, int tag) {
    return new Page(name, tag);
}

// In tab order; the captions are the items of PageControl1.
// clang-format off
constexpr std::array kPages{
    PageDef{"TSProgram",    1, make<ProgramPage>},
    PageDef{"TSDPS1",       1, make<DynamicPsPage>},
    PageDef{"TSRT",         1, make<DesignedPage<Ui::RadiotextPage>>},
    PageDef{"TSSystem",     1, make<DesignedPage<Ui::SystemPage>>},
    PageDef{"TSTS",         1, make<DesignedPage<Ui::TextSourcesPage>>},
    PageDef{"TabSheet1",    1, make<DesignedPage<Ui::HardwarePage>>},
    PageDef{"MPreferences", 1, make<DesignedPage<Ui::PreferencesPage>>},
};
// clang-format on
static_assert(kPages.size() == model::kPages.size());

constexpr int kClientWidth_px = 599;
constexpr int kClientHeight_px = 308;
// The fixed client area was laid out for a small dialog font; a compact font and narrow tabs
// keep all seven page captions and every control inside it.
constexpr int kFont_pt = 8;
// A window whose top-left corner comes closer than this to the screen's far edges is moved back
// onto the screen.
constexpr int kMinOnScreen_px = 20;
// How soon a close the system asks for tries again while an operation is under way.
constexpr std::chrono::milliseconds kCloseRetry{50};

} // namespace

TForm1::TForm1(Panel& panel, QWidget* parent)
    : QMainWindow(parent)
    , m_panel(panel)
    , m_ui(std::make_unique<Ui::TForm1>())
    , m_binder(BindingContext{panel.settings(), DesktopText(panel.codePage()), panel.events(), m_words}) {
    QFont compact = font();
    compact.setPointSize(kFont_pt);
    setFont(compact);
    m_ui->setupUi(this);
    setObjectName("Form1"); // the window follows the settings' Form1: shown, or hidden to the tray
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    addPages();
    addStatusText();
    m_compact = new CompactStyle(style()->name());
    m_compact->setParent(this);
    m_ui->PageControl1->tabBar()->setStyle(m_compact);
    compactControls(*this);
    setWindowIcon(ProgramPicture::icon());
    new UnsentMark(panel.settings(), this, m_ui->BSEND1);
    m_ui->BSTOR1->setIcon(ButtonIcons::make(ButtonIcons::Picture::Store));
    m_ui->BREC1->setIcon(ButtonIcons::make(ButtonIcons::Picture::Read));
    connect(m_ui->MExit, &QPushButton::clicked, this, &TForm1::Exit1Click);
    m_binder.bindTree(this);
    m_preferences = new WindowPreferences(panel.settings(), DesktopText(panel.codePage()), this,
                                          findChild<ProgramPage*>("TSProgram"), m_ui->statusBar);
    orderTabs();
    new TimerBridge(panel.settings(), panel.events(), this);
    m_tray = new TrayIcon(panel.settings(), panel.events(), this);
    auto* sourceWatch = new SourceWatch(panel.events(), this);
    panel.sourcePoll().watchSources([sourceWatch](const auto& paths) { sourceWatch->watch(paths); });
    // The clock display follows whenever the event loop runs out of work.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [&panel] { panel.events().idle(); });
    setFixedSize(kClientWidth_px, kClientHeight_px);
    // A page brought to the front is made then; while the window is hidden, when it shows.
    connect(m_ui->PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (isVisible()) {
            buildPage(index);
        }
    });
}

TForm1::~TForm1() {
    m_panel.sourcePoll().watchSources({});
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized()) {
        return;
    }
    m_panel.events().click("Form1");
    if (!m_panel.settings().visible("Form1")) {
        setWindowState(windowState() & ~Qt::WindowMinimized); // hidden to the tray, shown whole again
    }
}

// What shows already takes the file's words; pages made later take them as they are made.
void TForm1::applyTranslation(const std::string& programFolder) {
    const auto file = TranslationChoice::file(programFolder, TranslationChoice::processEnvironment());
    m_translation = file ? settings::FileBytes::read(*file) : std::nullopt;
    if (m_translation) {
        m_words = Translation(DesktopText(m_panel.codePage())).words(*m_translation);
        m_binder.showAgain();
    }
    translate(*this);
}

void TForm1::ALONTOPClick() {
    m_preferences->ALONTOPClick();
}

void TForm1::clearDecoderIdentificationSelection() {
    auto* list = findChild<QListWidget*>("DI");
    if (list == nullptr) {
        return; // made later, with nothing selected
    }
    list->clearSelection();
    list->setCurrentRow(-1);
}

void TForm1::showAtStart(bool visible) {
    move(storedPosition());
    if (visible) {
        show();
        move(storedPosition()); // the frame's size may be known only now
    }
}

QPoint TForm1::storedPosition() const {
    const model::ProgramState& program = m_panel.settings().program();
    QPoint at(program.windowLeft, program.windowTop);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return at;
    }
    const QSize area = screen->geometry().size();
    const QSize outer = frameGeometry().size();
    if (area.height() < at.y() + kMinOnScreen_px) {
        at.setY(area.height() - outer.height());
    }
    if (area.width() < at.x() + kMinOnScreen_px) {
        at.setX(area.width() - outer.width());
    }
    return at;
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::closeForSystem() {
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != this) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject(); // a question answers No: nothing it guards is done
        } else {
            modal->close();
        }
        QTimer::singleShot(kCloseRetry, this, &TForm1::closeForSystem);
        return;
    }
    if (m_panel.busy()) {
        QTimer::singleShot(kCloseRetry, this, &TForm1::closeForSystem);
        return;
    }
    m_closeBy = Panel::CloseBy::System;
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    keepPosition();
    const Panel::CloseBy by = std::exchange(m_closeBy, Panel::CloseBy::Operator);
    if (!m_panel.FormClose(by)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    emit closed();
}

// While the window is being shown its frame is still being settled: the position is taken once
// the move is over.
void TForm1::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    QTimer::singleShot(0, this, &TForm1::keepPosition);
}

void TForm1::keepPosition() {
    model::ProgramState& program = m_panel.settings().program();
    program.windowLeft = x();
    program.windowTop = y();
}

// The settings file keeps whether the window was shown (a close hides it after saving); a
// minimised window still counts as shown.
void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    buildPage(m_ui->PageControl1->currentIndex());
    m_panel.settings().program().startVisible = true;
}

void TForm1::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (!event->spontaneous()) {
        m_panel.settings().program().startVisible = false;
    }
}

void TForm1::addPages() {
    for (const PageDef& def : kPages) {
        m_ui->PageControl1->addTab(def.make(def.name, def.tag), QString::fromLatin1(def.name));
    }
}

void TForm1::buildEveryPage() {
    for (int index = 0; index < m_ui->PageControl1->count(); ++index) {
        buildPage(index);
    }
}

// Everything the window does to the controls of its pages, done to one page as it is made.
// Hidden meanwhile: controls added to a shown page would show only later, from the event loop.
void TForm1::buildPage(int index) {
    auto* page = qobject_cast<LazyPage*>(m_ui->PageControl1->widget(index));
    if (page == nullptr || page->isBuilt()) {
        return;
    }
    const bool shown = page->isVisible();
    if (shown) {
        page->hide();
    }
    page->build();
    // Translated before binding: a caption the settings manage shows theirs, as it would had
    // the page been there when the translation was read.
    translate(*page);
    compactControls(*page);
    FixedLengthFields(m_panel.settings(), m_panel.codePage()).fit(*page);
    m_binder.bindTree(page);
    m_preferences->dressPage(*page);
    linkConversion(*page);
    orderTabs();
    if (shown) {
        page->show();
    }
}

void TForm1::linkConversion(QWidget& page) {
    if (auto* link = page.findChild<QPushButton*>("BANSIC")) {
        link->setStyleSheet(
            "QPushButton { color: palette(link); text-decoration: underline; border: none; }");
        connect(link, &QPushButton::clicked, this, &TForm1::showConversion);
    }
}

void TForm1::showConversion() {
    const auto sources = std::find_if(kPages.begin(), kPages.end(), [](const PageDef& def) {
        return std::string_view(def.name) == "TSTS";
    });
    // As a click on the page's tab: the page control tells the settings.
    m_ui->PageControl1->setCurrentIndex(static_cast<int>(sources - kPages.begin()));
    auto* conversion = findChild<QGroupBox*>("RBANSIC");
    if (conversion == nullptr) {
        return;
    }
    // The page of the inner tabs that holds the conversion comes to the front too.
    for (QWidget* child = conversion; child->parentWidget() != nullptr; child = child->parentWidget()) {
        QWidget* stack = child->parentWidget();
        auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
        if (tabs != nullptr && tabs != m_ui->PageControl1 && tabs->indexOf(child) >= 0) {
            tabs->setCurrentWidget(child);
            break;
        }
    }
    const auto choices = conversion->findChildren<QAbstractButton*>();
    const auto chosen = std::find_if(choices.begin(), choices.end(), [](auto* b) { return b->isChecked(); });
    (chosen != choices.end() ? *chosen : static_cast<QWidget*>(conversion))->setFocus(Qt::OtherFocusReason);
}

void TForm1::translate(QWidget& root) {
    if (m_translation) {
        Translation(DesktopText(m_panel.codePage())).apply(root, *m_translation);
    }
}

void TForm1::compactControls(QWidget& root) {
    for (QComboBox* combo : root.findChildren<QComboBox*>()) {
        combo->setStyle(m_compact);
        // The forms built the drop-down list under the menu style, which hides its scroll bar.
        combo->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    for (QGroupBox* box : root.findChildren<QGroupBox*>()) {
        box->setStyle(m_compact);
    }
}

// After binding, which adds the radio buttons of the choices.
void TForm1::orderTabs() {
    TabOrder order;
    order.add(m_ui->PageControl1);
    order.add(m_ui->ButtonColumn);
    order.apply();
}

void TForm1::addStatusText() {
    auto* text = new QLabel(m_ui->statusBar);
    text->setObjectName("StatusBar1");
    m_ui->statusBar->addWidget(text, 1);
}

} // namespace korvel::app
