#include "kxio/Emulator.h"

#include <array>
#include <cstdio>
#include <utility>

namespace korvel::kxio {

namespace {

constexpr std::int32_t kHardwareTypeCount = 2; // 0 = Fennel (KX71), 1 = Corvid (KX93)
constexpr std::int32_t kMaxPort = 0xFFFF;      // LPT addresses are I/O port numbers; COM numbers are smaller
constexpr std::int32_t kMaxAddress = 0xFF;
constexpr std::int32_t kMaxReceiveCount = 255;
constexpr std::size_t kReceiveDataOffset = 2;
constexpr std::uint8_t kClockTimeTrigger = 1;

} // namespace

Emulator::Emulator() {
    startTransmitter();
    startListener();
}

// A new configuration takes effect at power-on.
void Emulator::startTransmitter() {
    m_transmitter.reset();
    m_mirror.publish(m_encoder.airState());
    try {
        m_transmitter = std::make_unique<OnAirTransmitter>(m_mirror, AirConfig::load());
    } catch (...) {
        // No thread to spare: the encoder stays off the air, its registers work as before.
    }
}

// Called with the lock held: the listener's thread waits for it before it applies a frame.
void Emulator::startListener() {
    UecpConfig config = UecpConfig::load();
    if (!config.anyPort()) {
        return;
    }
    try {
        m_listener = std::make_unique<UecpListener>(
            std::move(config),
            [this](std::span<const uecp::Message> messages) { return applyUecp(messages); });
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kxio: UECP listener not started: %s\n", error.what());
    }
}

UecpApplier::Outcome Emulator::applyUecp(std::span<const uecp::Message> messages) {
    const std::scoped_lock lock{m_mutex};
    const RegisterMemory before = m_encoder.airState().memory;
    RegisterMemory after = before;
    UecpApplier::Outcome outcome = UecpApplier::apply(messages, after);
    // Byte by byte through the encoder's own write, so that nothing bypasses what a write does.
    for (std::size_t address = 0; address < after.size(); ++address) {
        if (after[address] != before[address]) {
            static_cast<void>(
                m_encoder.write(static_cast<std::uint8_t>(address), std::span{&after[address], 1}));
        }
    }
    if (outcome.groupOnce) {
        static_cast<void>(m_encoder.write(index(Register::ClockTimeTrigger), std::array{kClockTimeTrigger}));
    }
    m_mirror.publish(m_encoder.airState());
    return outcome;
}

void Emulator::connectionSetup(std::int32_t hardwareType, std::int32_t port, bool bidirectional, bool slow) {
    const std::scoped_lock lock{m_mutex};
    m_configuration = Configuration{hardwareType, port, bidirectional, slow};
}

bool Emulator::connect() {
    const std::scoped_lock lock{m_mutex};
    m_connected = !m_refuseConnect && m_configuration && m_configuration->hardwareType >= 0 &&
                  m_configuration->hardwareType < kHardwareTypeCount && m_configuration->port > 0 &&
                  m_configuration->port <= kMaxPort;
    return m_connected;
}

void Emulator::disconnect() {
    const std::scoped_lock lock{m_mutex};
    m_connected = false;
}

bool Emulator::send(std::int32_t count, const std::uint8_t* block) {
    const std::scoped_lock lock{m_mutex};
    const bool injectedFailure = std::exchange(m_failNextSend, false);
    if (injectedFailure || !m_connected || block == nullptr || count < 0 || count > kMaxSendCount) {
        return false;
    }
    const bool written = m_encoder.write(block[0], std::span{block + 1, static_cast<std::size_t>(count)});
    m_mirror.publish(m_encoder.airState());
    return written;
}

void Emulator::receive(std::uint8_t* block, std::int32_t address, std::int32_t count) {
    const std::scoped_lock lock{m_mutex};
    const bool injectedFailure = std::exchange(m_failNextReceive, false);
    if (block != nullptr) {
        block[1] = !injectedFailure && readInto(block, address, count) ? 1 : 0;
    }
}

bool Emulator::readInto(std::uint8_t* block, std::int32_t address, std::int32_t count) {
    if (!m_connected || address < 0 || address > kMaxAddress || count < 0 || count > kMaxReceiveCount) {
        return false;
    }
    // A count above 254 would run past the 256-byte block: only what fits is delivered.
    const std::span<std::uint8_t> data{block + kReceiveDataOffset, kReceiveBlockSize - kReceiveDataOffset};
    return m_encoder.read(static_cast<std::uint8_t>(address), static_cast<std::size_t>(count), data);
}

void Emulator::testReset() {
    m_listener.reset(); // before the lock: its thread may be waiting for it
    const std::scoped_lock lock{m_mutex};
    m_configuration.reset();
    m_connected = false;
    m_refuseConnect = false;
    m_failNextSend = false;
    m_failNextReceive = false;
    m_encoder.setPilotPresent(true);
    m_encoder.powerOn();
    startTransmitter();
    startListener();
}

void Emulator::refuseConnect(bool refuse) {
    const std::scoped_lock lock{m_mutex};
    m_refuseConnect = refuse;
}

void Emulator::failNextSend() {
    const std::scoped_lock lock{m_mutex};
    m_failNextSend = true;
}

void Emulator::failNextReceive() {
    const std::scoped_lock lock{m_mutex};
    m_failNextReceive = true;
}

void Emulator::setPilotPresent(bool present) {
    const std::scoped_lock lock{m_mutex};
    m_encoder.setPilotPresent(present);
}

std::uint16_t Emulator::uecpPort(bool udp) {
    const std::scoped_lock lock{m_mutex};
    if (!m_listener) {
        return 0;
    }
    return (udp ? m_listener->udpPort() : m_listener->tcpPort()).value_or(0);
}

} // namespace korvel::kxio
