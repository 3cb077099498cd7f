#pragma once

#include "kxio/FileDescriptor.h"
#include "kxio/SampleSink.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace korvel::kxio {

// Samples as a 16-bit mono WAV stream at 192 kHz. A file gets its length fields brought up to date
// after every write, so that it is a whole WAV file at any moment; a stream (standard output)
// declares the largest length, which players read as "until the end".
class WavWriter : public SampleSink {
public:
    // Nothing when the file cannot be created.
    [[nodiscard]] static std::unique_ptr<WavWriter> createFile(const std::filesystem::path& path);
    [[nodiscard]] static std::unique_ptr<WavWriter> standardOutput();

    [[nodiscard]] bool write(std::span<const float> samples) override;

private:
    WavWriter(FileDescriptor fd, bool seekable);
    [[nodiscard]] bool writeHeader(std::uint32_t dataBytes) const;
    [[nodiscard]] bool updateLengths() const;

    FileDescriptor m_fd;
    bool m_seekable;
    std::uint64_t m_dataBytes = 0;
    std::vector<std::int16_t> m_buffer;
};

} // namespace korvel::kxio
