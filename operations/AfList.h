#pragma once

#include "encoder/MemoryMap.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::operations {

// The alternative frequencies as the operator typed them, one text per row of the AF grid, made
// ready for the encoder: each valid text coded, the invalid ones dropped and the valid ones
// moved up in their order.
class AfList {
public:
    using Rows = std::array<std::string, encoder::kAfMax>;

    struct Cleaned {
        std::vector<std::uint8_t> codes; // in row order, one per valid row
        Rows rows;                       // the valid texts as typed, then empty rows
    };

    // Both "." and the locale's decimal separator are accepted.
    [[nodiscard]] static Cleaned clean(const Rows& rows, char decimalSeparator);
    // The AF code of one typed text; nullopt when it is not a frequency of the FM band.
    [[nodiscard]] static std::optional<std::uint8_t> code(std::string_view typed, char decimalSeparator);
};

} // namespace korvel::operations
