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

Transactions::Transfer::Transfer(Transactions& transactions)
    : m_transactions(transactions) {
    m_transactions.beginTransfer();
}

Transactions::Transfer::~Transfer() {
    m_transactions.endTransfer();
}

Transactions::Operation::Operation(Transactions& transactions)
    : m_transactions(transactions) {
    if (m_transactions.m_operations++ == 0) {
        m_transactions.m_operationFailed = false;
    }
}

Transactions::Operation::~Operation() {
    if (--m_transactions.m_operations == 0 && m_transactions.m_operationFailed) {
        try {
            m_transactions.setStatus("!Ready");
        } catch (...) {
            // A view that fails while the operation unwinds: the failure itself is reported.
        }
    }
}

void Transactions::reportResult(bool succeeded) {
    m_operationFailed = m_operationFailed || (m_operations > 0 && !succeeded);
    setStatus(succeeded ? "Ready" : "!Ready");
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

bool Transactions::write(std::uint8_t address, std::span<const std::uint8_t> data) {
    SendStart(address);
    for (std::uint8_t byte : data) {
        AddToData(false, byte);
    }
    return SendStop();
}

void Transactions::pause(model::Clock& clock, std::chrono::milliseconds duration) {
    const std::string status = m_settings.text("StatusBar1");
    setStatus("Sending Data...");
    clock.pause(duration);
    m_settings.setText("StatusBar1", status);
}

void Transactions::SendStart(int address) {
    setStatus("Sending Data...");
    AddToData(true, static_cast<std::uint8_t>(address & 0xFF));
}

bool Transactions::SendStop() {
    bool sent = false;
    {
        const Transfer transfer(*this);
        sent = m_library.Send(m_outCount, m_outBlock.data());
    }
    reportResult(sent);
    return sent;
}

void Transactions::ReceiveData(std::uint8_t address, std::uint8_t count) {
    setStatus("Receiving Data...");
    Block work{};
    {
        const Transfer transfer(*this);
        m_library.Receive(work.data(), address, count);
    }
    m_inBlock = work;
    m_readCursor = 0;
    reportResult(readSucceeded());
}

std::uint8_t Transactions::ReadByte() {
    if (m_readCursor < 0 || m_readCursor > kLastReadCursor) {
        return 0;
    }
    return m_inBlock[static_cast<std::size_t>(kFirstDataByte + m_readCursor++)];
}

} // namespace korvel::link
