#include "link/PortList.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace korvel::link {
namespace {

TEST(PortListTest, ListsSerialAndParallelPortsInNaturalOrder) {
    const std::filesystem::path devices =
        std::filesystem::temp_directory_path() / ("korvel-ports-" + std::to_string(::getpid()));
    std::filesystem::create_directories(devices);
    for (const char* name : {"ttyS10", "ttyS2", "ttyUSB0", "parport0", "tty0", "ttyS", "ttyACM1", "null"}) {
        std::ofstream(devices / name) << "";
    }
    const std::vector<std::string> expected{(devices / "parport0").string(), (devices / "ttyACM1").string(),
                                            (devices / "ttyS2").string(), (devices / "ttyS10").string(),
                                            (devices / "ttyUSB0").string()};
    EXPECT_EQ(PortList::present(devices), expected);
    std::filesystem::remove_all(devices);
    EXPECT_TRUE(PortList::present(devices).empty()) << "a missing folder lists nothing";
}

} // namespace
} // namespace korvel::link
