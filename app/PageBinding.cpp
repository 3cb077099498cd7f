#include "app/PageBinding.h"

namespace korvel::app {

PageBinding::PageBinding(BindingContext context, QTabWidget* pages)
    : WidgetBinding(context, pages)
    , m_pages(pages) {
    QObject::connect(pages, &QTabWidget::currentChanged, receiver(),
                     [this](int index) { edit([this, index] { settings().setChoice(name(), index); }); });
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
