#pragma once

#include "kxio/kxio.h"
#include "kxio/kxioTest.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korvel::kxio::test {

using Bytes = std::vector<std::uint8_t>;

// Sets environment variables for the life of the object and puts the old values back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_saved) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }

    // Nothing unsets the variable.
    void set(const std::string& name, const std::optional<std::string>& value) {
        if (!m_saved.contains(name)) {
            const char* old = std::getenv(name.c_str());
            m_saved[name] = old ? std::optional<std::string>{old} : std::nullopt;
        }
        if (value) {
            ::setenv(name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

// Every test starts from a freshly loaded library whose image file lives in a folder of its own.
class KxioFixture : public ::testing::Test {
protected:
    static constexpr std::uint8_t kStatus = 0x70;
    static constexpr std::uint8_t kCommand = 0x71;
    static constexpr std::uint8_t kPilot = 0x01;
    static constexpr std::uint8_t kTrafficAnnouncement = 0x02;
    static constexpr std::uint8_t kDynamicPs = 0x04;
    static constexpr std::uint8_t kGenerator = 0x80;

    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "kxio-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_environment.set("KXIO_IMAGE", imagePath().string());
        m_environment.set("KXIO_CONFIG", (m_folder / "kxio.ini").string()); // off the air unless a test says
        for (const char* variable : {"KXIO_GROUPS", "KXIO_SAMPLES", "KXIO_RDS_LEVEL", "KXIO_PILOT_LEVEL"}) {
            m_environment.set(variable, std::nullopt);
        }
        kxioTestReset();
    }

    void TearDown() override {
        kxioTestReset();
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    [[nodiscard]] const std::filesystem::path& folder() const { return m_folder; }
    [[nodiscard]] std::filesystem::path imagePath() const { return m_folder / "image" / "encoder.img"; }
    ScopedEnvironment& environment() { return m_environment; }

    static void connectCom1() {
        ConnectionSetup(0, 1, 0, 0);
        ASSERT_EQ(Connect(), 1u);
    }

    // One Send of data at address; the block is the full 256 bytes a caller would pass.
    static bool write(std::uint8_t address, const Bytes& data) {
        Bytes block(256, 0);
        block[0] = address;
        std::copy(data.begin(), data.end(), block.begin() + 1);
        return Send(static_cast<std::int32_t>(data.size()), block.data()) != 0;
    }

    static bool command(char c) { return write(kCommand, {static_cast<std::uint8_t>(c)}); }

    // The bytes of one Receive, or nothing when it reported a failure.
    static std::optional<Bytes> read(std::uint8_t address, std::size_t count) {
        Bytes block(256, 0xEE);
        Receive(block.data(), address, static_cast<std::int32_t>(count));
        if (block[1] == 0) {
            return std::nullopt;
        }
        return Bytes(block.begin() + 2, block.begin() + 2 + static_cast<std::ptrdiff_t>(count));
    }

    static std::optional<std::uint8_t> status() {
        const std::optional<Bytes> bytes = read(kStatus, 1);
        return bytes ? std::optional<std::uint8_t>{bytes->front()} : std::nullopt;
    }

private:
    std::filesystem::path m_folder;
    ScopedEnvironment m_environment;
};

} // namespace korvel::kxio::test
