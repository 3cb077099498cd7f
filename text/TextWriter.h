#pragma once

#include <string>

namespace korvel::text {

// Where the text logic sends what it has composed for the air: the encoder, through the
// operations that write its registers. Keeps the text logic free of the encoder link.
// Each write answers whether the encoder took every transaction of it.
class TextWriter {
public:
    virtual ~TextWriter() = default;

    // Loads a radiotext message (bytes of the desktop code page) into the encoder's radiotext
    // registers and switches radiotext on with the A/B flag of this write (ActualRTType).
    virtual bool writeRadiotext(const std::string& message, bool flagB) = 0;
    // Loads a dynamic PS text (desktop bytes; more than the register holds is cut) and switches
    // the dynamic PS on with its length, or off when the text is empty.
    virtual bool writeDynamicPs(const std::string& text) = 0;
};

} // namespace korvel::text
