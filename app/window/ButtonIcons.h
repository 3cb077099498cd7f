#pragma once

#include <QIcon>

namespace korvel::app {

// The pictures of the main buttons, drawn rather than taken from the style: the style's own are
// image files, and the first of them made Qt load every image format plugin during start-up.
class ButtonIcons {
public:
    // SendPending: Send's picture with a dot, while the window shows values not sent yet.
    enum class Picture { Send, SendPending, Store, Read };

    [[nodiscard]] static QIcon make(Picture picture);
};

} // namespace korvel::app
