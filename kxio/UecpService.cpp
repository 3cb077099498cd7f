#include "kxio/UecpService.h"

namespace korvel::kxio {

namespace {

constexpr std::uint8_t kCurrentDataSet = 0;
constexpr std::uint8_t kAllButCurrent = 254;
constexpr std::uint8_t kAllDataSets = 255;
constexpr std::uint8_t kMainService = 0;

} // namespace

std::optional<uecp::AckCode> UecpService::refusal(uecp::Service service) {
    const std::uint8_t set = service.dataSet;
    if (set != kCurrentDataSet && set != kDataSet && set != kAllButCurrent && set != kAllDataSets) {
        return uecp::AckCode::DataSet;
    }
    if (service.programme != kMainService && service.programme != kProgramme) {
        return uecp::AckCode::Service;
    }
    return std::nullopt;
}

bool UecpService::onAir(uecp::Service service) {
    return service.dataSet != kAllButCurrent;
}

bool UecpService::selectable(std::uint8_t dataSet) {
    return dataSet == kCurrentDataSet || dataSet == kDataSet;
}

} // namespace korvel::kxio
