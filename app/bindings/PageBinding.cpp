#include "app/bindings/PageBinding.h"

namespace korvel::app {

PageBinding::PageBinding(BindingContext context, QTabWidget* pages)
    : WidgetBinding(context, pages)
    , m_pages(pages) {
    // A page is switched, not typed: the model follows at once, and nothing waits for the end of
    // an edit. Waiting would show the page the model held when the focus left the old page, which
    // happens before the page control reports the new one.
    QObject::connect(pages, &QTabWidget::currentChanged, receiver(), [this](int index) {
        events().edit(name(), [this, index] { settings().setChoice(name(), index); });
    });
}

void PageBinding::showItems() {
    const QStringList captions = itemList();
    for (int index = 0; index < m_pages->count() && index < captions.size(); ++index) {
        m_pages->setTabText(index, captions[index]);
    }
}

void PageBinding::showValue() {
    const int index = settings().choice(name());
    if (index >= 0) {
        m_pages->setCurrentIndex(index);
    }
}

} // namespace korvel::app
