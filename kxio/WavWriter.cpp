#include "kxio/WavWriter.h"

#include "kxio/Pcm16.h"
#include "kxio/SubcarrierModulator.h"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <unistd.h>

namespace korvel::kxio {

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint32_t kBytesPerSample = kBitsPerSample / 8;
constexpr std::size_t kHeaderSize = 44;
constexpr std::size_t kRiffLengthAt = 4;
constexpr std::size_t kDataLengthAt = 40;
constexpr std::uint32_t kUnknownLength = 0xFFFFFFFF;
constexpr std::uint32_t kMaxDataBytes = kUnknownLength - (kHeaderSize - 8);

void putLittleEndian(std::array<std::byte, kHeaderSize>& header, std::size_t at, std::uint32_t value,
                     int bytes) {
    for (int i = 0; i < bytes; ++i) {
        header[at + static_cast<std::size_t>(i)] = static_cast<std::byte>((value >> (8 * i)) & 0xFFu);
    }
}

void putTag(std::array<std::byte, kHeaderSize>& header, std::size_t at, const char (&tag)[5]) {
    for (std::size_t i = 0; i < 4; ++i) {
        header[at + i] = static_cast<std::byte>(tag[i]);
    }
}

std::array<std::byte, 4> littleEndian32(std::uint32_t value) {
    return {static_cast<std::byte>(value & 0xFFu), static_cast<std::byte>((value >> 8) & 0xFFu),
            static_cast<std::byte>((value >> 16) & 0xFFu), static_cast<std::byte>((value >> 24) & 0xFFu)};
}

} // namespace

std::unique_ptr<WavWriter> WavWriter::createFile(const std::filesystem::path& path) {
    FileDescriptor fd{::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (!fd.isOpen()) {
        return nullptr;
    }
    std::unique_ptr<WavWriter> writer{new WavWriter{std::move(fd), true}};
    return writer->writeHeader(0) ? std::move(writer) : nullptr;
}

std::unique_ptr<WavWriter> WavWriter::standardOutput() {
    std::unique_ptr<WavWriter> writer{new WavWriter{FileDescriptor{STDOUT_FILENO, false}, false}};
    return writer->writeHeader(kUnknownLength - kHeaderSize + 8) ? std::move(writer) : nullptr;
}

WavWriter::WavWriter(FileDescriptor fd, bool seekable)
    : m_fd{std::move(fd)}
    , m_seekable{seekable} {}

bool WavWriter::write(std::span<const float> samples) {
    toPcm16(samples, m_buffer);
    if (!m_fd.writeAll(std::as_bytes(std::span{m_buffer}))) {
        return false;
    }
    m_dataBytes += samples.size() * kBytesPerSample;
    return !m_seekable || updateLengths();
}

bool WavWriter::writeHeader(std::uint32_t dataBytes) const {
    std::array<std::byte, kHeaderSize> header{};
    putTag(header, 0, "RIFF");
    putLittleEndian(header, kRiffLengthAt, dataBytes + kHeaderSize - 8, 4);
    putTag(header, 8, "WAVE");
    putTag(header, 12, "fmt ");
    putLittleEndian(header, 16, 16, 4);
    putLittleEndian(header, 20, kPcm, 2);
    putLittleEndian(header, 22, kChannels, 2);
    putLittleEndian(header, 24, SubcarrierModulator::kSampleRate_Hz, 4);
    putLittleEndian(header, 28, SubcarrierModulator::kSampleRate_Hz * kChannels * kBytesPerSample, 4);
    putLittleEndian(header, 32, kChannels * kBytesPerSample, 2);
    putLittleEndian(header, 34, kBitsPerSample, 2);
    putTag(header, 36, "data");
    putLittleEndian(header, kDataLengthAt, dataBytes, 4);
    return m_fd.writeAll(header);
}

// A file past the 4 GB a WAV header can count (about three hours) keeps the largest length.
bool WavWriter::updateLengths() const {
    const auto data = static_cast<std::uint32_t>(std::min<std::uint64_t>(m_dataBytes, kMaxDataBytes));
    const std::array<std::byte, 4> riff = littleEndian32(data + kHeaderSize - 8);
    const std::array<std::byte, 4> length = littleEndian32(data);
    return ::pwrite(m_fd.get(), riff.data(), riff.size(), kRiffLengthAt) == 4 &&
           ::pwrite(m_fd.get(), length.data(), length.size(), kDataLengthAt) == 4;
}

} // namespace korvel::kxio
