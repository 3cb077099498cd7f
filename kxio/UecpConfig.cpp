#include "kxio/UecpConfig.h"

#include "kxio/IniFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace korvel::kxio {

namespace {

// clang-format off
constexpr std::array kKeys{
    IniFile::Key{"tcp_port",        "KXIO_UECP_TCP_PORT"},
    IniFile::Key{"udp_port",        "KXIO_UECP_UDP_PORT"},
    IniFile::Key{"bind",            "KXIO_UECP_BIND"},
    IniFile::Key{"site",            "KXIO_UECP_SITE"},
    IniFile::Key{"encoder",         "KXIO_UECP_ENCODER"},
    IniFile::Key{"max_connections", "KXIO_UECP_MAX_CONNECTIONS"},
};
// clang-format on
static_assert(kKeys.size() == 6);

constexpr unsigned kMaxPort = 0xFFFF;

// A decimal number, or a hexadecimal one after "0x", from min to max.
std::optional<unsigned> number(std::string_view text, unsigned min, unsigned max) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < min ||
        value > max) {
        return std::nullopt;
    }
    return value;
}

// Numbers separated by commas; nothing when one of them is not a number in range.
template <typename T>
std::optional<std::vector<T>> numbers(std::string_view text, unsigned min, unsigned max) {
    std::vector<T> values;
    while (!text.empty()) {
        const std::size_t comma = std::min(text.find(','), text.size());
        const std::optional<unsigned> value = number(IniFile::trimmed(text.substr(0, comma)), min, max);
        if (!value) {
            return std::nullopt;
        }
        values.push_back(static_cast<T>(*value));
        text.remove_prefix(std::min(comma + 1, text.size()));
    }
    return values;
}

void refuse(std::string_view key, const std::string& value) {
    std::fprintf(stderr, "kxio: [uecp] %.*s = %s cannot be used; left at its default\n",
                 static_cast<int>(key.size()), key.data(), value.c_str());
}

// An empty value leaves the key at its default without complaint: that is how a variable switches
// a key of the file off.
template <typename T, typename Parse>
void take(const IniFile::Values& values, std::string_view key, T& target, Parse parse) {
    const auto found = values.find(key);
    if (found == values.end() || found->second.empty()) {
        return;
    }
    if (const auto parsed = parse(found->second)) {
        target = *parsed;
    } else {
        refuse(key, found->second);
    }
}

std::optional<std::uint16_t> port(const std::string& text) {
    const std::optional<unsigned> value = number(text, 0, kMaxPort);
    return value ? std::optional<std::uint16_t>{static_cast<std::uint16_t>(*value)} : std::nullopt;
}

template <typename T> bool listed(const std::vector<T>& list, unsigned value) {
    return list.empty() || value == 0 || std::ranges::find(list, value) != list.end();
}

} // namespace

bool UecpConfig::accepts(std::uint16_t site, std::uint8_t encoder) const {
    return listed(sites, site) && listed(encoders, encoder);
}

std::uint16_t UecpConfig::ownSite(std::uint16_t addressed) const {
    return sites.empty() ? addressed : sites.front();
}

std::uint8_t UecpConfig::ownEncoder(std::uint8_t addressed) const {
    return encoders.empty() ? addressed : encoders.front();
}

UecpConfig UecpConfig::load() {
    const IniFile::Values values = IniFile::read({"uecp"}, kKeys);
    UecpConfig config;
    take(values, "tcp_port", config.tcpPort, port);
    take(values, "udp_port", config.udpPort, port);
    take(values, "bind", config.bind, [](const std::string& text) { return std::optional{text}; });
    take(values, "site", config.sites,
         [](const std::string& text) { return numbers<std::uint16_t>(text, 1, kMaxSite); });
    take(values, "encoder", config.encoders,
         [](const std::string& text) { return numbers<std::uint8_t>(text, 1, kMaxEncoder); });
    take(values, "max_connections", config.maxConnections, [](const std::string& text) {
        const std::optional<unsigned> value = number(text, 1, kMaxConnectionLimit);
        return value ? std::optional<std::size_t>{*value} : std::nullopt;
    });
    return config;
}

} // namespace korvel::kxio
