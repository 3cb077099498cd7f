#pragma once

#include "link/EncoderLibrary.h"
#include "link/TVlakno.h"
#include "model/Clock.h"
#include "model/StationSettings.h"

#include <array>
#include <chrono>
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

    // One device operation of several transactions (Send, Store, ...): when any transaction
    // of it fails, the status bar ends on "!Ready", whatever the later ones report.
    class Operation {
    public:
        explicit Operation(Transactions& transactions);
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;
        ~Operation();

        // Whether a transaction of the outermost operation has failed so far.
        [[nodiscard]] bool failed() const { return m_transactions.m_operationFailed; }

    private:
        Transactions& m_transactions;
    };

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

    // One write transaction: the bytes land at address, address + 1, ... True when the library
    // took them.
    bool write(std::uint8_t address, std::span<const std::uint8_t> data);
    // A fixed pause between two transactions of one operation, which is still sending; the
    // status of the last transaction stands again after it.
    void pause(model::Clock& clock, std::chrono::milliseconds duration);

    void SendStart(int address);
    void AddToData(bool start, std::uint8_t value);
    bool SendStop(); // true when the library took the block
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
    // The keep-alive thread runs for the duration of one library call, also one that throws.
    class Transfer {
    public:
        explicit Transfer(Transactions& transactions);
        Transfer(const Transfer&) = delete;
        Transfer& operator=(const Transfer&) = delete;
        ~Transfer();

    private:
        Transactions& m_transactions;
    };

    void beginTransfer();
    void endTransfer();
    void setStatus(const char* text);
    void reportResult(bool succeeded);

    EncoderLibrary& m_library;
    model::StationSettings& m_settings;
    Block m_outBlock{};
    int m_outCount = 0;
    Block m_inBlock{};
    int m_readCursor = 0;
    int m_operations = 0;              // operations under way; they nest
    bool m_operationFailed = false;    // a transaction of the outermost operation failed
    mutable std::mutex m_transferLock; // TransferLock
    int m_keepAliveCounter = 0;
    std::unique_ptr<TVlakno> m_keepAlive;
};

} // namespace korvel::link
