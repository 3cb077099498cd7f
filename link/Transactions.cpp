#include "link/Transactions.h"

#include <exception>

namespace korvel::link {

namespace {

constexpr int kFirstKeepAliveClass = 8;
constexpr int kShutdownCounter = 9999; // far past the last queue look: the final passes only sleep
constexpr int kLastReadCursor = 250;   // InBlock byte 252, the last one a read may fill
constexpr int kFirstDataByte = 2;

} // namespace

Transactions::Transactions(EncoderLibrary& library, model::StationSettings& settings)
    : m_library(library)
    , m_settings(settings) {}

Transactions::~Transactions() {
    destroyKeepAlive();
}

void Transactions::createKeepAlive(int osVersionClass, bool startThread) {
    if (osVersionClass < kFirstKeepAliveClass || m_keepAlive) {
        return;
    }
    try {
        m_keepAlive = std::make_unique<TVlakno>(m_transferLock, m_keepAliveCounter, startThread);
    } catch (const std::exception&) {
        m_keepAlive.reset(); // transfers run without keep-alive
    }
}

void Transactions::destroyKeepAlive() {
    if (!m_keepAlive) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(m_transferLock);
        m_keepAliveCounter = kShutdownCounter;
    }
    m_keepAlive->resume();
    m_keepAlive->terminate();
    m_keepAlive.reset(); // joins: at most one 100 ms pass
}

int Transactions::KeepAliveCounter() const {
    const std::lock_guard<std::mutex> lock(m_transferLock);
    return m_keepAliveCounter;
}

void Transactions::setStatus(const char* text) {
    m_settings.setText("StatusBar1", text);
}

void Transactions::beginTransfer() {
    if (m_keepAlive) {
        {
            const std::lock_guard<std::mutex> lock(m_transferLock);
            m_keepAliveCounter = 0;
        }
        m_keepAlive->resume();
    }
}

void Transactions::endTransfer() {
    if (m_keepAlive) {
        const std::lock_guard<std::mutex> lock(m_transferLock);
        m_keepAlive->suspend();
    }
}

void Transactions::AddToData(bool start, std::uint8_t value) {
    if (start) {
        m_outBlock[0] = 0;
        m_outBlock[1] = 0;
        m_outCount = -1;
    }
    if (m_outCount >= -1 && m_outCount < kMaxData) {
        m_outBlock[static_cast<std::size_t>(m_outCount + 1)] = value;
        ++m_outCount;
    }
}

void Transactions::write(std::uint8_t address, std::span<const std::uint8_t> data) {
    SendStart(address);
    for (std::uint8_t byte : data) {
        AddToData(false, byte);
    }
    SendStop();
}

void Transactions::SendStart(int address) {
    setStatus("Sending Data...");
    AddToData(true, static_cast<std::uint8_t>(address & 0xFF));
}

void Transactions::SendStop() {
    beginTransfer();
    const bool sent = m_library.Send(m_outCount, m_outBlock.data());
    setStatus(sent ? "Ready" : "!Ready");
    endTransfer();
}

void Transactions::ReceiveData(std::uint8_t address, std::uint8_t count) {
    setStatus("Receiving Data...");
    beginTransfer();
    Block work{};
    m_library.Receive(work.data(), address, count);
    m_inBlock = work;
    m_readCursor = 0;
    endTransfer();
    setStatus(readSucceeded() ? "Ready" : "!Ready");
}

std::uint8_t Transactions::ReadByte() {
    if (m_readCursor < 0 || m_readCursor > kLastReadCursor) {
        return 0;
    }
    return m_inBlock[static_cast<std::size_t>(kFirstDataByte + m_readCursor++)];
}

} // namespace korvel::link
