#pragma once

#include "app/pages/LazyPage.h"

#include <memory>

namespace korvel::app {

// A page that is nothing but its Designer form: its controls are bound by name.
template <typename Form> class DesignedPage : public LazyPage {
public:
    using LazyPage::LazyPage;

protected:
    void buildControls() override {
        m_ui = std::make_unique<Form>();
        m_ui->setupUi(this);
    }

private:
    std::unique_ptr<Form> m_ui;
};

} // namespace korvel::app
