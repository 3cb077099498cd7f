// The emulated encoder's outputs through the library's calls: chosen by the configuration file or
// the environment, written by the generator's own thread at the standard's rate, never in the way
// of a Send. The group lines are read back by libv4l2rds.
#include "KxioFixture.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <libv4l2rds.h>
#include <memory>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace korvel::kxio::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream{text};
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
}

std::string contents(const std::filesystem::path& path) {
    std::ifstream file{path, std::ios::binary};
    return {std::istreambuf_iterator<char>{file}, {}};
}

// What libv4l2rds makes of group lines "PPPP BBBB CCCC DDDD".
std::unique_ptr<v4l2_rds, decltype(&v4l2_rds_destroy)> decode(const std::vector<std::string>& groupLines) {
    std::unique_ptr<v4l2_rds, decltype(&v4l2_rds_destroy)> decoder{v4l2_rds_create(false), &v4l2_rds_destroy};
    for (const std::string& line : groupLines) {
        std::istringstream words{line};
        for (std::uint8_t block = V4L2_RDS_BLOCK_A; block <= V4L2_RDS_BLOCK_D; ++block) {
            unsigned value = 0;
            words >> std::hex >> value;
            v4l2_rds_data data{static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8),
                               block};
            v4l2_rds_add(decoder.get(), &data);
        }
    }
    return decoder;
}

class AirOutputTest : public KxioFixture {
protected:
    std::filesystem::path groupsPath() const { return folder() / "groups.txt"; }

    // Power-on with the environment as it is now, connected.
    void powerOn() {
        kxioTestReset();
        connectCom1();
    }

    // Off the air, so that every line is written and nothing more comes.
    void powerOff() {
        environment().set("KXIO_GROUPS", std::nullopt);
        environment().set("KXIO_SAMPLES", std::nullopt);
        std::filesystem::remove(folder() / "kxio.ini");
        kxioTestReset();
    }

    static void putStation() {
        ASSERT_TRUE(write(0x00, {0x2F, 0x0A, 'O', 'N', ' ', 'A', 'I', 'R', ' ', '1'}));
    }
};

TEST_F(AirOutputTest, GroupsGoOutAsHexLinesAtElevenGroupsPerSecond) {
    environment().set("KXIO_GROUPS", groupsPath().string());
    powerOn();
    putStation();
    std::this_thread::sleep_for(2s);
    powerOff();

    const std::vector<std::string> sent = lines(contents(groupsPath()));
    EXPECT_GE(sent.size(), 21u); // 11.4 per second
    EXPECT_LE(sent.size(), 25u);
    const std::regex format{"[0-9A-F]{4} [0-9A-F]{4} [0-9A-F]{4} [0-9A-F]{4}"};
    for (const std::string& line : sent) {
        EXPECT_TRUE(std::regex_match(line, format)) << line;
    }
    const auto decoded = decode(sent);
    EXPECT_EQ(decoded->pi, 0x2F0A);
    EXPECT_STREQ(reinterpret_cast<const char*>(decoded->ps), "ON AIR 1");
}

TEST_F(AirOutputTest, ConfigurationChoosesTheOutputs) {
    struct Case {
        std::string ini;
        std::optional<std::string> groupsVariable;
        bool groups, wav;
    };
    const std::string groups = groupsPath().string();
    const std::string wav = (folder() / "air.wav").string();
    const Case cases[] = {
        {"", std::nullopt, false, false},
        {"[output]\ngroups = " + groups + "\n", std::nullopt, true, false},
        {"; comment\nsamples=wav:" + wav + "\n", std::nullopt, false, true},
        {"groups=" + groups + "\nsamples = wav:" + wav + "\n", std::nullopt, true, true},
        {"groups=" + groups + "\n", "", false, false}, // the environment wins, even to switch off
        {"", groups, true, false},
        {"samples=sideways\n", std::nullopt, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        std::filesystem::remove(groupsPath());
        std::filesystem::remove(wav);
        std::ofstream{folder() / "kxio.ini"} << c.ini;
        environment().set("KXIO_GROUPS", c.groupsVariable);
        powerOn();
        std::this_thread::sleep_for(300ms);
        powerOff();
        EXPECT_EQ(std::filesystem::exists(groupsPath()), c.groups);
        EXPECT_EQ(std::filesystem::exists(wav), c.wav);
        if (c.wav) {
            const std::string header = contents(wav).substr(0, 44);
            EXPECT_EQ(header.substr(0, 4), "RIFF");
            EXPECT_EQ(header.substr(24, 4), std::string("\x00\xEE\x02\x00", 4)); // 192000 Hz
            EXPECT_GT(std::filesystem::file_size(wav), 44u + 192'000u * 2 / 10);
        }
    }
}

// ALSA's null device takes samples as fast as they come; the groups still go at the standard's
// rate. A sound card that cannot be opened leaves the other outputs on air.
TEST_F(AirOutputTest, SoundDeviceKeepsTheRate) {
    for (const char* device : {"alsa:null", "alsa:no-such-card"}) {
        SCOPED_TRACE(device);
        std::filesystem::remove(groupsPath());
        environment().set("KXIO_GROUPS", groupsPath().string());
        environment().set("KXIO_SAMPLES", device);
        powerOn();
        putStation();
        std::this_thread::sleep_for(2s);
        powerOff();
        const std::size_t sent = lines(contents(groupsPath())).size();
        EXPECT_GE(sent, 21u);
        EXPECT_LE(sent, 29u); // at most the device's buffer ahead
    }
}

// Standard output gets a WAV stream whose header declares the largest length: players read it
// until the stream ends.
TEST_F(AirOutputTest, StandardOutputGetsAWavStream) {
    const std::filesystem::path captured = folder() / "stdout.wav";
    const int file = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(file, 0);
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    ::dup2(file, STDOUT_FILENO);
    environment().set("KXIO_SAMPLES", "stdout");
    powerOn();
    std::this_thread::sleep_for(500ms);
    powerOff();
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    ::close(file);

    const std::string stream = contents(captured);
    ASSERT_GT(stream.size(), 44u + 192'000u * 2 * 4 / 10);
    EXPECT_EQ(stream.substr(0, 4), "RIFF");
    EXPECT_EQ(stream.substr(4, 4), std::string(4, '\xFF'));
    EXPECT_EQ(stream.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(stream.substr(36, 4), "data");
}

TEST_F(AirOutputTest, CarrierOffStopsTheGroups) {
    environment().set("KXIO_GROUPS", groupsPath().string());
    powerOn();
    ASSERT_TRUE(command('0'));
    std::this_thread::sleep_for(200ms);
    const std::size_t whileOff = lines(contents(groupsPath())).size();
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(lines(contents(groupsPath())).size(), whileOff);
    ASSERT_TRUE(command('1'));
    std::this_thread::sleep_for(500ms);
    powerOff();
    EXPECT_GE(lines(contents(groupsPath())).size(), whileOff + 4);
}

TEST_F(AirOutputTest, PipeWithoutReaderNeverHoldsUpSend) {
    const std::filesystem::path pipe = folder() / "groups.fifo";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    environment().set("KXIO_GROUPS", pipe.string());
    powerOn();
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < 100; ++i) {
        putStation();
    }
    EXPECT_LT(Clock::now() - start, 500ms);

    // A reader that comes later gets the groups from then on.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::this_thread::sleep_for(600ms);
    std::string received(4096, '\0');
    const ssize_t got = ::read(reader, received.data(), received.size());
    ::close(reader);
    powerOff();
    ASSERT_GT(got, 0);
    received.resize(static_cast<std::size_t>(got));
    EXPECT_GE(lines(received).size(), 4u);
    EXPECT_EQ(decode(lines(received))->pi, 0x2F0A);
}

} // namespace
} // namespace korvel::kxio::test
