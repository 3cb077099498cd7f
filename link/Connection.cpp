#include "link/Connection.h"

#include "link/PortList.h"
#include "model/Blanks.h"

#include <charconv>

namespace korvel::link {

namespace {

constexpr char kBackspace = 8;

// A decimal integer with an optional sign and blanks around it, as an operator may leave it.
std::optional<int> parseDecimal(std::string_view text) {
    text = model::trimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

Connection::Connection(EncoderLibrary& library, model::StationSettings& settings, model::Dialogs& dialogs,
                       std::function<void()> processEvents)
    : m_library(library)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_processEvents(std::move(processEvents)) {}

std::optional<int> Connection::portValue(int portIndex, std::string_view lpt2Address) {
    if (portIndex == model::kPortLPT1) {
        return kLpt1Address;
    }
    if (portIndex == model::kPortLPT2) {
        return parseDecimal(lpt2Address).value_or(kDefaultLpt2Address);
    }
    if (portIndex >= model::kFirstSerialPort && portIndex < model::kPortNone) {
        return portIndex - model::kFirstSerialPort + 1;
    }
    return std::nullopt;
}

void Connection::RGPORTClick(Sender sender) {
    m_settings.setText("StatusBar1", "Opening port...");
    if (sender == Sender::Operator) {
        m_library.Disconnect();
        if (m_processEvents) {
            m_processEvents();
        }
    }
    const int portIndex = m_settings.choice("CBPORT");
    m_settings.program().portIndex = portIndex;
    const std::optional<int> port = portValue(portIndex, m_settings.text("ELPTA"));
    if (!port) {
        notConnected("Not connected");
        return;
    }
    const bool bidirectional = m_settings.flag("CBBI");
    m_settings.setEnabled("BREC1", bidirectional);
    m_settings.setEnabled("BSTAT", bidirectional);
    m_library.ConnectionSetup(m_settings.choice("RGHTYP"), *port, bidirectional, m_settings.flag("CBSS"));
    if (!m_library.Connect()) {
        notConnected("Can't open the port!");
        return;
    }
    m_settings.setText("LS",
                       "Port " + m_settings.items("CBPORT")[static_cast<std::size_t>(portIndex)] + " opened");
    m_settings.setText("StatusBar1", "Ready");
}

void Connection::notConnected(const char* status) {
    m_settings.setChoice("PageControl1", model::kHardwarePage);
    m_settings.setText("StatusBar1", status);
    m_settings.setText("LS", "Not connected");
}

void Connection::ELPTAKeyPress(char& key) {
    if (!((key >= '0' && key <= '9') || key == kBackspace)) {
        key = '\0';
    }
}

bool Connection::ELPTAHolds(const std::string& text) {
    const std::optional<int> address = parseDecimal(text);
    if (text.empty() || (address && *address <= kMaxPortAddress)) {
        return true;
    }
    m_settings.setText("StatusBar1", "The LPT2 address is a decimal number up to " +
                                         std::to_string(kMaxPortAddress) + ": " + text + " is not taken");
    return false;
}

void Connection::BitBtn1Click() {
    const std::vector<std::string> ports = PortList::present();
    if (ports.empty()) {
        m_dialogs.showInformation("No serial or parallel ports were found on this computer.");
        return;
    }
    std::string text = "Ports installed in your system:\n";
    for (const std::string& port : ports) {
        text += '\n' + port;
    }
    m_dialogs.showInformation(text);
}

} // namespace korvel::link
