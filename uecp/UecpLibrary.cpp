#include "uecp/UecpLibrary.h"

#include "uecp/MessageMapper.h"
#include "uecp/MessageRegisters.h"

#include <algorithm>
#include <sstream>

namespace korvel::uecp {

namespace {

using kxio::index;
using kxio::Register;

constexpr int kMaxSendCount = 251;
constexpr int kMaxReceiveCount = 254; // block[2..255]
constexpr std::uint8_t kSpace = 0x20;
using kxio::kPsLength;
using kxio::kRadiotextLength;
constexpr std::uint8_t kStatusTa = 0x02;
constexpr std::uint8_t kStatusDynamicPs = 0x04;
constexpr std::uint8_t kStatusCarrier = 0x80;

Deadline callDeadline() {
    return std::chrono::steady_clock::now() + UecpLibrary::kCallBudget;
}

// A fresh encoder as the stand-in starts: zeros, the texts spaces.
EncoderMirror freshMirror() {
    EncoderMirror mirror;
    std::fill_n(mirror.memory.begin() + static_cast<std::ptrdiff_t>(index(Register::ProgrammeService)),
                kPsLength, kSpace);
    std::fill_n(mirror.memory.begin() + static_cast<std::ptrdiff_t>(index(Register::RadiotextText)),
                kRadiotextLength, kSpace);
    return mirror;
}

std::string hex(unsigned value) {
    std::ostringstream out;
    out << "0x" << std::hex << value;
    return out.str();
}

} // namespace

UecpLibrary::~UecpLibrary() {
    stopSender();
}

bool UecpLibrary::fail(std::string reason) {
    m_error = std::move(reason);
    return false;
}

bool UecpLibrary::succeed() {
    m_error.clear();
    return true;
}

void UecpLibrary::stopSender() {
    std::unique_ptr<DynamicPsSender> sender;
    {
        const std::lock_guard lock(m_mutex);
        sender = std::move(m_sender);
    }
    sender.reset(); // joins outside the lock: the sender's thread may be waiting for it
}

void UecpLibrary::connectionSetup(int, int, bool, bool) {
    // The INI file says where the encoder is; the program's port choice has no meaning here.
}

bool UecpLibrary::connect() {
    stopSender();
    const std::lock_guard lock(m_mutex);
    m_link.reset();
    const LinkConfigResult loaded = loadLinkConfig();
    if (!loaded.config) {
        return fail(loaded.error);
    }
    const LinkConfig& config = *loaded.config;
    m_info = "UECP over " + config.where() + ", site " + hex(config.address.site) + ", encoder " +
             hex(config.address.encoder);
    m_link.emplace(config);
    if (!m_link->connect(callDeadline())) {
        const std::string reason = m_link->error();
        m_link.reset();
        return fail(reason);
    }
    m_held = freshMirror();
    m_wanted = m_held.memory;
    m_sender = std::make_unique<DynamicPsSender>(
        [this] {
            const std::lock_guard senderLock(m_mutex);
            return m_wanted;
        },
        [this](const DynamicPsSender::Label& label) { return sendLabel(label); });
    return succeed();
}

void UecpLibrary::disconnect() {
    stopSender();
    const std::lock_guard lock(m_mutex);
    if (m_link) {
        m_link->disconnect();
        m_link.reset();
    }
}

bool UecpLibrary::sendLabel(const DynamicPsSender::Label& label) {
    const std::lock_guard lock(m_mutex);
    if (!m_link) {
        return false;
    }
    const LinkConfig& config = m_link->config();
    const Message ps = Ps{{config.dataSet.value_or(0), config.service}, label};
    return m_link->send(std::span(&ps, 1), std::chrono::steady_clock::now() + kLabelBudget);
}

bool UecpLibrary::send(int count, const std::uint8_t* block) {
    const std::lock_guard lock(m_mutex);
    if (!m_link) {
        return fail("not connected: Connect first");
    }
    if (block == nullptr || count < 0 || count > kMaxSendCount) {
        return fail("a write takes 0 to 251 bytes and a block");
    }
    const std::size_t first = block[0];
    const auto size = static_cast<std::size_t>(count);
    if (first + size > kxio::kRegisterCount) {
        return fail("the write runs past register 0xFF");
    }
    kxio::RegisterMemory wanted = m_wanted;
    std::copy_n(block + 1, size, wanted.begin() + static_cast<std::ptrdiff_t>(first));
    const LinkConfig& config = m_link->config();
    const MessageMapper mapper({config.dataSet.value_or(0), config.service});
    const MessageMapper::Result mapped = mapper.map(wanted, m_held, first, size);
    wanted[index(Register::Command)] = 0; // commands act and read as 0
    m_wanted = wanted;
    if (!mapped.refusal.empty()) {
        return fail(mapped.refusal);
    }
    if (!mapped.messages.empty() && !m_link->send(mapped.messages, callDeadline())) {
        return fail(m_link->error());
    }
    for (std::size_t r = first; r < first + size; ++r) {
        m_held.memory[r] = wanted[r];
        m_held.known.set(r);
    }
    return succeed();
}

std::uint8_t UecpLibrary::status() const {
    std::uint8_t status = kStatusCarrier; // the link is up; UECP does not report the carrier
    if (kxio::bitSet(m_held.memory, Register::TrafficAnnouncement)) {
        status |= kStatusTa;
    }
    if (kxio::at(m_wanted, Register::DpsLength) != 0) {
        status |= kStatusDynamicPs;
    }
    return status;
}

void UecpLibrary::receive(std::uint8_t* block, int address, int count) {
    const std::lock_guard lock(m_mutex);
    if (!m_link) {
        fail("not connected: Connect first");
        return;
    }
    if (block == nullptr || address < 0 || count < 0 ||
        address + count > static_cast<int>(kxio::kRegisterCount)) {
        fail("a read takes a block and stays within registers 0x00..0xFF");
        return;
    }
    const auto first = static_cast<std::size_t>(address);
    const auto size = static_cast<std::size_t>(std::min(count, kMaxReceiveCount));
    if (!refresh(first, size)) {
        return;
    }
    kxio::RegisterMemory memory = m_held.memory;
    memory[index(Register::Status)] = status();
    std::copy_n(memory.begin() + static_cast<std::ptrdiff_t>(first), size, block + 2);
    block[1] = 1;
    succeed();
}

// With reads = request, every message the read touches is asked for, and the encoder's answer
// becomes what it holds.
bool UecpLibrary::refresh(std::size_t first, std::size_t count) {
    const LinkConfig& config = m_link->config();
    if (config.reads != LinkConfig::Reads::Request) {
        return true;
    }
    for (const Code code : requestsFor(first, count)) {
        const auto answer =
            m_link->request(Request{code, {config.dataSet.value_or(0), config.service}}, callDeadline());
        if (!answer) {
            return fail(m_link->error());
        }
        applyToRegisters(*answer, m_held.memory);
        const MessageSpan& span = spanOf(code);
        for (std::size_t r = kxio::index(span.first); r < kxio::index(span.first) + span.count; ++r) {
            m_held.known.set(r);
        }
    }
    return true;
}

std::string UecpLibrary::info() {
    const std::lock_guard lock(m_mutex);
    return m_info;
}

std::string UecpLibrary::lastError() {
    const std::lock_guard lock(m_mutex);
    return m_error;
}

} // namespace korvel::uecp
