#pragma once

#include <string>

namespace korvel::app {

// The window's own steps of start-up, which the panel runs in their places among its own.
class FormView {
public:
    virtual ~FormView() = default;

    // Replaces captions and hints from the translation file in the program's folder, if any.
    virtual void applyTranslation(const std::string& programFolder) = 0;
    // Makes the window stay on top of others, or not, as ALONTOP says.
    virtual void ALONTOPClick() = 0;
    // No item of the decoder identification list stands selected; its check marks stay.
    virtual void clearDecoderIdentificationSelection() = 0;
    // Places the window at its stored position and shows it, or leaves it hidden in the tray.
    virtual void showAtStart(bool visible) = 0;
};

} // namespace korvel::app
