// Any bytes as the stand-in library's image file: power-on, a read of the whole memory, then a
// store and a reset, which must leave the image and the memory as they were.
#include "FuzzInput.h"
#include "KxioFuzz.h"

#include <array>
#include <fstream>
#include <iterator>
#include <string>

namespace korvel::fuzz {
namespace {

// The whole memory as the encoder reports it, in two reads (one block holds 254 bytes).
std::string memory() {
    std::string bytes;
    for (const auto& [address, count] : {std::pair{0, 128}, std::pair{128, 128}}) {
        std::array<std::uint8_t, KXIO_RECEIVE_BLOCK_SIZE> block{};
        Receive(block.data(), address, count);
        require(block[1] == 1, "the connected encoder reads its whole memory");
        bytes.append(block.begin() + 2, block.begin() + 2 + count);
    }
    return bytes;
}

std::string image() {
    std::ifstream in(KxioImage::path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool command(char letter) {
    const std::array<std::uint8_t, 2> block{KxioImage::kCommand, static_cast<std::uint8_t>(letter)};
    return Send(1, block.data()) != 0;
}

// The memory matches the image but for the registers that report rather than hold.
bool holds(const std::string& memory, std::string_view image) {
    for (std::size_t i = 0; i < KxioImage::kSize; ++i) {
        if (KxioImage::holdsWrites(i) && memory[i] != image[i]) {
            return false;
        }
    }
    return true;
}

} // namespace
} // namespace korvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvel;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::ScratchFolder::write(fuzz::KxioImage::path(), bytes);
    kxioTestReset();
    ConnectionSetup(1, 888, 1, 0);
    fuzz::require(Connect() != 0, "the encoder connects on LPT1");
    const std::string loaded = fuzz::memory();
    if (size == fuzz::KxioImage::kSize) {
        fuzz::require(fuzz::holds(loaded, bytes), "an image of the memory's size loads whole");
    }
    fuzz::require(fuzz::command('R') == (size == fuzz::KxioImage::kSize),
                  "a reset reloads only a whole image");
    fuzz::require(fuzz::memory() == loaded, "a reset of the same image changes nothing");
    fuzz::require(fuzz::command('E'), "the memory is stored");
    const std::string stored = fuzz::image();
    fuzz::require(stored.size() == fuzz::KxioImage::kSize && fuzz::holds(loaded, stored),
                  "the image is the memory");
    return 0;
}
