#include "model/ItemLists.h"

namespace korvel::model {

namespace {

constexpr int kFirstAfTenths = 876; // 87.6 MHz
constexpr int kLastAfTenths = 1079; // 107.9 MHz
constexpr int kGroupTypes = 16;

} // namespace

std::vector<std::string> portItems(char /*decimalSeparator*/) {
    std::vector<std::string> items{"LPT1", "LPT2"};
    items.reserve(kPortNone + 1);
    for (int com = 1; com <= kSerialPortCount; ++com) {
        items.push_back("COM" + std::to_string(com));
    }
    items.emplace_back("(None)");
    return items;
}

std::vector<std::string> groupTypeItems(char /*decimalSeparator*/) {
    std::vector<std::string> items;
    for (int type = 0; type < kGroupTypes; ++type) {
        items.push_back(std::to_string(type) + 'A');
        items.push_back(std::to_string(type) + 'B');
    }
    return items;
}

std::vector<std::string> afFrequencyItems(char decimalSeparator) {
    std::vector<std::string> items;
    for (int tenths = kFirstAfTenths; tenths <= kLastAfTenths; ++tenths) {
        items.push_back(std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10));
    }
    return items;
}

std::vector<std::string> ptyNumberItems(char /*decimalSeparator*/) {
    std::vector<std::string> items;
    for (std::size_t code = 0; code < kPtyEuropean.size(); ++code) {
        items.push_back("(" + std::to_string(code) + ")");
    }
    return items;
}

} // namespace korvel::model
