#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class DynamicPsPage;
}

namespace korvel::app {

// The "&Dynamic PS" page: the label grid and free text, mode, timing, speed and the preview.
class DynamicPsPage : public QWidget {
    Q_OBJECT

public:
    explicit DynamicPsPage(QWidget* parent = nullptr);
    ~DynamicPsPage() override;

private:
    void shapeLabelGrid();
    void fitFreeText();
    void shapePreview();

    std::unique_ptr<Ui::DynamicPsPage> m_ui;
};

} // namespace korvel::app
