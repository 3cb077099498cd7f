#pragma once

#include <string>

namespace korvel::app {

// The desktop's viewer for a kind of document.
class DocumentViewer {
public:
    // Shows the file; false when the desktop has no way to show it.
    [[nodiscard]] static bool open(const std::string& path);
};

} // namespace korvel::app
