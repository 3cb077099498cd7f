#pragma once

#include "link/EncoderLibrary.h"
#include "model/Dialogs.h"
#include "model/StationSettings.h"

#include <functional>
#include <optional>
#include <string_view>

namespace korvel::link {

// Port selection and the connection to the encoder: the Hardware page's settings become one
// configuration of the I/O library, applied by "Update" and once at start-up.
class Connection {
public:
    // Who asked for the connection attempt: start-up (the window itself) or the operator.
    enum class Sender { Window, Operator };

    static constexpr int kLpt1Address = 888;
    static constexpr int kDefaultLpt2Address = 632;
    static constexpr int kMaxPortAddress = 0xFFFF;

    Connection(EncoderLibrary& library, model::StationSettings& settings, model::Dialogs& dialogs,
               std::function<void()> processEvents);

    // The connection attempt of the "Update" button and of start-up.
    void RGPORTClick(Sender sender);
    // Key filter of the LPT2 address: digits and backspace only; others become '\0'.
    static void ELPTAKeyPress(char& key);
    // Whether the LPT2 address field can hold the text: empty, or an address of the I/O port
    // space. A larger one is refused as typed, with the reason in the status bar.
    [[nodiscard]] bool ELPTAHolds(const std::string& text);
    // "List...": shows the serial and parallel ports present on this machine.
    void BitBtn1Click();

    // The library's port value for a CBPORT row; nullopt for "(None)" and no row.
    [[nodiscard]] static std::optional<int> portValue(int portIndex, std::string_view lpt2Address);

private:
    void notConnected(const char* status);

    EncoderLibrary& m_library;
    model::StationSettings& m_settings;
    model::Dialogs& m_dialogs;
    std::function<void()> m_processEvents;
};

} // namespace korvel::link
