#pragma once

#include <QComboBox>

namespace korvel::app {

// The label colour list: each item drawn as a swatch of its colour beside its name.
class ColourComboBox : public QComboBox {
public:
    explicit ColourComboBox(QWidget* parent = nullptr);

private:
    void paintSwatches(int first, int last);
};

} // namespace korvel::app
