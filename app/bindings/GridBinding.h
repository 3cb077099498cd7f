#pragma once

#include "app/bindings/WidgetBinding.h"

#include <QTableWidget>

namespace korvel::app {

// A grid of texts. A column of row numbers is shown but never edited; edited cells obey the
// control's cell length and the desktop code page. A disabled grid shows no selection.
class GridBinding : public WidgetBinding {
public:
    GridBinding(BindingContext context, QTableWidget* table);

private:
    void showValue() override;
    void showEnabled(bool enabled) override;
    void showCell(int row, int column);

    QTableWidget* m_table;
};

} // namespace korvel::app
