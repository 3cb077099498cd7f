#pragma once

#include <QColor>

namespace korvel::app {

// The colours of the label colour list, in the order of its items: sixteen basic and four extra
// named colours, then colours of the desktop's palette.
class LabelColours {
public:
    static constexpr int kCount = 47;

    // The colour of item `index`; the window-text colour for an index outside the list.
    [[nodiscard]] static QColor colour(int index);
};

} // namespace korvel::app
