#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QTabWidget>

namespace korvel::app {

// The page control: the shown page is a choice the logic may change (to bring a page to the
// front), and the page captions are its items.
class PageBinding : public WidgetBinding {
public:
    PageBinding(BindingContext context, QTabWidget* pages);

private:
    void showItems() override;
    void showValue() override;

    QTabWidget* m_pages;
};

} // namespace korvel::app
