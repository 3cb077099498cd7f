#pragma once

#include "app/pages/LazyPage.h"

#include <QPixmap>
#include <memory>

namespace Ui {
class ProgramPage;
}

namespace korvel::app {

// The "&Program" page: identification, programme type, traffic flags, decoder
// identification and the alternative frequency list.
class ProgramPage : public LazyPage {
    Q_OBJECT

public:
    ProgramPage(const char* name, int tag);
    ~ProgramPage() override;

    // The skin picture behind everything; a picture that cannot be loaded leaves the one shown.
    void showPicture(const QString& path);
    // The colour of the captions drawn over the picture; the input fields keep their own.
    void setLabelColour(const QColor& colour);

protected:
    void buildControls() override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void shapeFrequencyGrid();

    std::unique_ptr<Ui::ProgramPage> m_ui;
    QPixmap m_picture;
};

} // namespace korvel::app
