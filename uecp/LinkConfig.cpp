#include "uecp/LinkConfig.h"

#include "uecp/SerialSpeeds.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace korvel::uecp {

namespace {

constexpr const char* kConfigVariable = "KXIO_UECP_CONFIG";
constexpr const char* kFolder = "korvel-uecp";
constexpr const char* kFileName = "uecp.ini";
constexpr const char* kSection = "uecp";
constexpr std::size_t kMaxFileSize = 64 * 1024;

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A whole number in [low, high], decimal or 0x hexadecimal.
std::optional<long> number(std::string_view text, long low, long high) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> boolean(std::string_view text) {
    if (text == "1" || text == "yes" || text == "true" || text == "on") {
        return true;
    }
    if (text == "0" || text == "no" || text == "false" || text == "off") {
        return false;
    }
    return std::nullopt;
}

// Each key's reading: stores the value, or returns what a valid value looks like.
using Apply = std::optional<std::string> (*)(LinkConfig&, std::string_view);

template <typename Field>
std::optional<std::string> numberInto(Field& field, std::string_view value, long low, long high) {
    const auto parsed = number(value, low, high);
    if (!parsed) {
        return "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    }
    field = static_cast<Field>(*parsed);
    return std::nullopt;
}

std::optional<std::string> transportKey(LinkConfig& config, std::string_view value) {
    constexpr std::array<std::pair<std::string_view, LinkConfig::Transport>, 3> kNames{{
        {"tcp", LinkConfig::Transport::Tcp},
        {"udp", LinkConfig::Transport::Udp},
        {"serial", LinkConfig::Transport::Serial},
    }};
    const auto found =
        std::find_if(kNames.begin(), kNames.end(), [&](const auto& n) { return n.first == value; });
    if (found == kNames.end()) {
        return "tcp, udp or serial";
    }
    config.transport = found->second;
    return std::nullopt;
}

std::optional<std::string> textKey(std::string& field, std::string_view value) {
    if (value.empty()) {
        return "a value";
    }
    field = value;
    return std::nullopt;
}

std::optional<std::string> speedKey(LinkConfig& config, std::string_view value) {
    const auto parsed = number(value, 1, kSerialSpeeds.back().bitsPerSecond);
    if (!parsed || findSerialSpeed(static_cast<unsigned>(*parsed)) == nullptr) {
        return "a standard serial speed such as 9600, 19200 or 115200";
    }
    config.speed = static_cast<unsigned>(*parsed);
    return std::nullopt;
}

std::optional<std::string> acknowledgeKey(LinkConfig& config, std::string_view value) {
    const auto parsed = boolean(value);
    if (!parsed) {
        return "yes or no";
    }
    config.acknowledge = *parsed;
    return std::nullopt;
}

std::optional<std::string> readsKey(LinkConfig& config, std::string_view value) {
    if (value != "acknowledged" && value != "request") {
        return "acknowledged or request";
    }
    config.reads = value == "request" ? LinkConfig::Reads::Request : LinkConfig::Reads::Acknowledged;
    return std::nullopt;
}

struct Key {
    std::string_view name;
    Apply apply;
};

// clang-format off
constexpr std::array kKeys{
    Key{"transport",   transportKey},
    Key{"host",        [](LinkConfig& c, std::string_view v) { return textKey(c.host, v); }},
    Key{"port",        [](LinkConfig& c, std::string_view v) { return numberInto(c.port, v, 1, 65535); }},
    Key{"device",      [](LinkConfig& c, std::string_view v) { return textKey(c.device, v); }},
    Key{"speed",       speedKey},
    Key{"site",        [](LinkConfig& c, std::string_view v) { return numberInto(c.address.site, v, 0, kMaxSite); }},
    Key{"encoder",     [](LinkConfig& c, std::string_view v) { return numberInto(c.address.encoder, v, 0, kMaxEncoder); }},
    Key{"service",     [](LinkConfig& c, std::string_view v) { return numberInto(c.service, v, 0, 255); }},
    Key{"acknowledge", acknowledgeKey},
    Key{"retries",     [](LinkConfig& c, std::string_view v) { return numberInto(c.retries, v, 0, 5); }},
    Key{"timeout_ms",  [](LinkConfig& c, std::string_view v) { return numberInto(c.timeout, v, 20, 2000); }},
    Key{"dataset",     [](LinkConfig& c, std::string_view v) { return numberInto(c.dataSet, v, 0, 255); }},
    Key{"reads",       readsKey},
};
// clang-format on

std::string lineError(int line, std::string_view what) {
    return "line " + std::to_string(line) + ": " + std::string(what);
}

// What the transport needs and the file did not give.
std::optional<std::string> missing(const LinkConfig& config) {
    if (config.transport == LinkConfig::Transport::Serial) {
        return config.device.empty()
                   ? std::optional<std::string>("key 'device' is missing (transport serial)")
                   : std::nullopt;
    }
    if (config.host.empty()) {
        return "key 'host' is missing";
    }
    if (config.port == 0) {
        return "key 'port' is missing";
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value != '/') {
        return std::nullopt; // relative XDG paths are to be ignored
    }
    return std::filesystem::path(value);
}

} // namespace

std::string LinkConfig::where() const {
    std::ostringstream out;
    switch (transport) {
    case Transport::Tcp:
    case Transport::Udp:
        out << (transport == Transport::Tcp ? "TCP " : "UDP ") << host << ':' << port;
        break;
    case Transport::Serial:
        out << "serial " << device << " at " << speed << " bit/s";
        break;
    }
    return out.str();
}

LinkConfigResult parseLinkConfig(std::string_view text) {
    LinkConfig config;
    int lineNumber = 0;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        const std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[') {
            if (line != std::string("[") + kSection + "]") {
                return {std::nullopt,
                        lineError(lineNumber, "unknown section " + std::string(line) + ", expected [uecp]")};
            }
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            return {std::nullopt, lineError(lineNumber, "expected key = value")};
        }
        const std::string_view name = trim(line.substr(0, equals));
        const std::string_view value = trim(line.substr(equals + 1));
        const auto key =
            std::find_if(kKeys.begin(), kKeys.end(), [&](const Key& k) { return k.name == name; });
        if (key == kKeys.end()) {
            return {std::nullopt, lineError(lineNumber, "unknown key '" + std::string(name) + "'")};
        }
        if (const auto expected = key->apply(config, value)) {
            return {std::nullopt, lineError(lineNumber, "key '" + std::string(name) + "' wants " + *expected +
                                                            ", not '" + std::string(value) + "'")};
        }
    }
    if (const auto absent = missing(config)) {
        return {std::nullopt, *absent};
    }
    return {config, {}};
}

std::optional<std::filesystem::path> linkConfigPath() {
    if (const char* path = std::getenv(kConfigVariable); path != nullptr && *path != '\0') {
        return std::filesystem::path(path);
    }
    if (const auto dataHome = absoluteFromEnvironment("XDG_DATA_HOME")) {
        return *dataHome / kFolder / kFileName;
    }
    if (const auto home = absoluteFromEnvironment("HOME")) {
        return *home / ".local" / "share" / kFolder / kFileName;
    }
    return std::nullopt;
}

LinkConfigResult loadLinkConfig() {
    const auto path = linkConfigPath();
    if (!path) {
        return {std::nullopt, "no configuration file: set KXIO_UECP_CONFIG or HOME"};
    }
    std::ifstream file(*path, std::ios::binary);
    if (!file) {
        return {std::nullopt, "cannot read " + path->string()};
    }
    std::string text(kMaxFileSize + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMaxFileSize) {
        return {std::nullopt, path->string() + " is larger than 64 KiB"};
    }
    auto result = parseLinkConfig(text);
    if (!result.config) {
        result.error = path->string() + ": " + result.error;
    }
    return result;
}

} // namespace korvel::uecp
