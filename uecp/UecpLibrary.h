#pragma once

#include "uecp/DynamicPsSender.h"
#include "uecp/EncoderLink.h"
#include "uecp/EncoderMirror.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace korvel::uecp {

// The five calls of the encoder I/O library over UECP. The program writes registers; this keeps
// their mirror and sends the messages for what each write changed, to the encoder the INI file
// names. All state sits behind one mutex; the dynamic PS sender takes it for each label it sends.
class UecpLibrary {
public:
    // No call waits longer than this, far below the 18 s for which the program keeps its window
    // alive during a transfer.
    static constexpr std::chrono::milliseconds kCallBudget{4000};
    // A dynamic PS label holds the lock for at most this, so a call waits at most both budgets.
    static constexpr std::chrono::milliseconds kLabelBudget{1000};

    UecpLibrary() = default;
    UecpLibrary(const UecpLibrary&) = delete;
    UecpLibrary& operator=(const UecpLibrary&) = delete;
    ~UecpLibrary();

    void connectionSetup(int hardwareType, int port, bool bidirectional, bool slow);
    [[nodiscard]] bool connect();
    void disconnect();
    [[nodiscard]] bool send(int count, const std::uint8_t* block);
    void receive(std::uint8_t* block, int address, int count);

    [[nodiscard]] std::string info();
    [[nodiscard]] std::string lastError();

private:
    bool fail(std::string reason);
    bool succeed();
    [[nodiscard]] bool sendLabel(const DynamicPsSender::Label& label);
    [[nodiscard]] bool refresh(std::size_t first, std::size_t count);
    [[nodiscard]] std::uint8_t status() const;
    void stopSender();

    std::mutex m_mutex;
    std::optional<EncoderLink> m_link;
    kxio::RegisterMemory m_wanted{}; // as the program wrote the registers
    EncoderMirror m_held;            // as the encoder acknowledged them
    std::string m_error;
    std::string m_info = "UECP encoder library, not connected";
    std::unique_ptr<DynamicPsSender> m_sender;
};

} // namespace korvel::uecp
