#include "link/OsVersion.h"

namespace korvel::link {

namespace {

constexpr int kOther = 9;

int windows9xClass(const VersionReport& report) {
    if (report.major != 4) {
        return kOther;
    }
    switch (report.minor) {
    case 0:
        return 1;
    case 10:
        // The second character of the service-pack text marks the second edition.
        return report.servicePack.size() > 1 && report.servicePack[1] == 'A' ? 3 : 2;
    case 90:
        return 4;
    default:
        return kOther;
    }
}

int windowsNtClass(const VersionReport& report) {
    if (report.major <= 4) {
        return 5;
    }
    if (report.major == 5) {
        return report.minor == 0 ? 6 : report.minor == 1 ? 7 : kOther;
    }
    return report.major == 6 ? 8 : kOther;
}

} // namespace

int OsVersionClass(const std::optional<VersionReport>& report) {
    if (!report) {
        return kOther;
    }
    switch (report->family) {
    case VersionReport::Family::Windows9x:
        return windows9xClass(*report);
    case VersionReport::Family::WindowsNT:
        return windowsNtClass(*report);
    case VersionReport::Family::Other:
        break;
    }
    return kOther;
}

int OsVersionClass() {
    return OsVersionClass(VersionReport{});
}

} // namespace korvel::link
