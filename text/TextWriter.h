#pragma once

#include <string>

namespace korvel::text {

// Where the text logic sends what it has composed for the air: the encoder, through the
// operations that write its registers. Keeps the text logic free of the encoder link.
class TextWriter {
public:
    virtual ~TextWriter() = default;

    // Loads a radiotext message (bytes of the desktop code page) into the encoder's radiotext
    // registers and switches radiotext on with the A/B flag of this write (ActualRTType).
    virtual void writeRadiotext(const std::string& message, bool flagB) = 0;
};

} // namespace korvel::text
