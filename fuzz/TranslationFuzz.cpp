// Any bytes as the translation file, applied to a small window of tagged and untagged
// components of each kind the file can name: labels, buttons, group boxes, pages and edits; its
// program's words then show the program's texts of each shape: whole, with parts that vary, on
// several lines.
#include "FuzzInput.h"
#include "app/desktop/Translation.h"
#include "text/CodePage.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdlib>
#include <memory>

namespace korvel::fuzz {
namespace {

template <typename Widget> Widget* add(QWidget& parent, const char* name, int tag) {
    auto* widget = new Widget(&parent);
    widget->setObjectName(name);
    widget->setProperty("tag", tag);
    return widget;
}

// The window: a page control with two pages, a group box on one, and components of each kind.
class Form {
public:
    Form() {
        m_form.setObjectName("Form1");
        auto* pages = add<QTabWidget>(m_form, "PageControl1", 1);
        for (const char* name : {"TSGEN", "TSRT"}) {
            pages->addTab(add<QWidget>(*pages, name, 2), name);
        }
        QWidget& general = *pages->widget(0);
        auto* group = add<QGroupBox>(general, "GBMO", 3);
        add<QCheckBox>(*group, "CBRSN", 4);
        add<QLabel>(general, "LPS", 5);
        add<QPushButton>(general, "BSEND1", 6);
        add<QLineEdit>(general, "PI", 7);
        add<QLineEdit>(general, "PSDEF", 0); // untagged: never translated
    }

    QWidget& widget() { return m_form; }

private:
    QWidget m_form;
};

QApplication& application() {
    static int argc = 1;
    static char name[] = "translation_fuzz";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

constexpr std::array kProgramTexts{"Ready",
                                   "Port COM3 opened",
                                   "Code page 1252 has no \"x\" (U+0078) nor 2 more; they were left out.",
                                   "Status byte value: 133\rPilot tone: 1\rShowing: Dynamic PS",
                                   "",
                                   "\r\n",
                                   "*",
                                   "**"};

} // namespace
} // namespace korvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvel;
    static_cast<void>(fuzz::application());
    static std::array<std::unique_ptr<text::CodePage>, fuzz::kCodePages.size()> pages;
    static fuzz::Form form;
    fuzz::FuzzInput input(data, size);
    const std::size_t page = input.choice(fuzz::kCodePages.size());
    if (!pages.at(page)) {
        pages[page] = std::make_unique<text::CodePage>(fuzz::kCodePages[page]);
    }
    const app::Translation translation{app::DesktopText(*pages[page])};
    translation.apply(form.widget(), input.rest());
    const app::DisplayTexts words = translation.words(input.rest());
    for (const char* text : fuzz::kProgramTexts) {
        static_cast<void>(words.shown(QString::fromUtf8(text)));
    }
    return 0;
}
