#pragma once

#include "app/pages/LazyPage.h"

#include <memory>

namespace Ui {
class DynamicPsPage;
}

namespace korvel::app {

// The "&Dynamic PS" page: the label grid and free text, mode, timing, speed and the preview.
class DynamicPsPage : public LazyPage {
    Q_OBJECT

public:
    DynamicPsPage(const char* name, int tag);
    ~DynamicPsPage() override;

protected:
    void buildControls() override;

private:
    void shapeLabelGrid();
    void shapePreview();

    std::unique_ptr<Ui::DynamicPsPage> m_ui;
};

} // namespace korvel::app
