#pragma once

#include "link/EncoderLibrary.h"
#include "link/TVlakno.h"
#include "model/StationSettings.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

namespace korvel::link {

// The transfer buffer and the write and read transactions on it. A write transaction is
// SendStart, AddToData per byte, SendStop; a read transaction is ReceiveData, then ReadByte per
// byte. Each transfer is one library call, shown in the status bar, with the keep-alive thread
// running for its duration when the keep-alive machinery exists.
class Transactions {
public:
    static constexpr int kBlockSize = 256;
    static constexpr int kMaxData = 251;
    using Block = std::array<std::uint8_t, kBlockSize>;

    Transactions(EncoderLibrary& library, model::StationSettings& settings);
    Transactions(const Transactions&) = delete;
    Transactions& operator=(const Transactions&) = delete;
    ~Transactions();

    // Start-up creates the keep-alive machinery on systems of version class 8 and above; a
    // failure leaves it inactive and transfers run without it. Close destroys it.
    void createKeepAlive(int osVersionClass, bool startThread = true);
    void destroyKeepAlive();
    [[nodiscard]] bool KeepAliveActive() const { return m_keepAlive != nullptr; }
    [[nodiscard]] int KeepAliveCounter() const;
    [[nodiscard]] TVlakno* keepAliveThread() { return m_keepAlive.get(); }

    // One write transaction: the bytes land at address, address + 1, ...
    void write(std::uint8_t address, std::span<const std::uint8_t> data);

    void SendStart(int address);
    void AddToData(bool start, std::uint8_t value);
    void SendStop();
    void ReceiveData(std::uint8_t address, std::uint8_t count);
    [[nodiscard]] std::uint8_t ReadByte();
    // Readers may jump to a data byte of the last read: 0..250 address the readable bytes.
    void setReadCursor(int cursor) { m_readCursor = cursor; }
    [[nodiscard]] int ReadCursor() const { return m_readCursor; }
    [[nodiscard]] bool readSucceeded() const { return m_inBlock[1] != 0; }

    [[nodiscard]] const Block& OutBlock() const { return m_outBlock; }
    [[nodiscard]] int OutCount() const { return m_outCount; }
    [[nodiscard]] const Block& InBlock() const { return m_inBlock; }

private:
    void beginTransfer();
    void endTransfer();
    void setStatus(const char* text);

    EncoderLibrary& m_library;
    model::StationSettings& m_settings;
    Block m_outBlock{};
    int m_outCount = 0;
    Block m_inBlock{};
    int m_readCursor = 0;
    mutable std::mutex m_transferLock; // TransferLock
    int m_keepAliveCounter = 0;
    std::unique_ptr<TVlakno> m_keepAlive;
};

} // namespace korvel::link
