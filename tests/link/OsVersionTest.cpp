#include "link/OsVersion.h"

#include <gtest/gtest.h>

namespace korvel::link {
namespace {

TEST(OsVersionTest, ClassFollowsTheVersionTable) {
    using F = VersionReport::Family;
    struct Case {
        VersionReport report;
        int osClass;
    };
    const Case cases[] = {
        {{F::Windows9x, 4, 0, ""}, 1},    {{F::Windows9x, 4, 10, " C"}, 2}, {{F::Windows9x, 4, 10, ""}, 2},
        {{F::Windows9x, 4, 10, " A"}, 3}, {{F::Windows9x, 4, 10, "A"}, 2},  {{F::Windows9x, 4, 90, ""}, 4},
        {{F::Windows9x, 4, 3, ""}, 9},    {{F::WindowsNT, 3, 51, ""}, 5},   {{F::WindowsNT, 4, 0, ""}, 5},
        {{F::WindowsNT, 5, 0, ""}, 6},    {{F::WindowsNT, 5, 1, ""}, 7},    {{F::WindowsNT, 5, 2, ""}, 9},
        {{F::WindowsNT, 6, 1, ""}, 8},    {{F::WindowsNT, 10, 0, ""}, 9},   {{F::Other, 6, 0, ""}, 9},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OsVersionClass(c.report), c.osClass)
            << int(c.report.family) << " " << c.report.major << "." << c.report.minor << " '"
            << c.report.servicePack << "'";
    }
    EXPECT_EQ(OsVersionClass(std::nullopt), 9) << "a failed query";
    EXPECT_EQ(OsVersionClass(), 9) << "Linux";
}

} // namespace
} // namespace korvel::link
