#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class ProgramPage;
}

namespace korvel::app {

// The "&Program" page: identification, programme type, traffic flags, decoder
// identification and the alternative frequency list.
class ProgramPage : public QWidget {
    Q_OBJECT

public:
    explicit ProgramPage(QWidget* parent = nullptr);
    ~ProgramPage() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void shapeFrequencyGrid();

    std::unique_ptr<Ui::ProgramPage> m_ui;
};

} // namespace korvel::app
