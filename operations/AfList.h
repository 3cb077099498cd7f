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
// ready for the encoder: each valid text coded, the invalid ones and repeats dropped and the
// valid ones moved up in their order.
class AfList {
public:
    using Rows = std::array<std::string, encoder::kAfMax>;

    // Why a row's text does not go to air.
    enum class Fault : std::uint8_t { NotAFrequency, OutsideBand, Repeated };

    struct Refused {
        std::string typed;
        Fault fault;
        std::size_t firstRow = 0; // Repeated: the row that holds the frequency already
    };

    struct Cleaned {
        std::vector<std::uint8_t> codes; // in row order, one per valid row
        Rows rows;                       // the valid texts as typed, then empty rows
        std::vector<Refused> refused;    // what was dropped, in row order
    };

    // Both "." and the locale's decimal separator are accepted.
    [[nodiscard]] static Cleaned clean(const Rows& rows, char decimalSeparator);
    // The AF code of one typed text; nullopt when it is not a frequency of the FM band.
    [[nodiscard]] static std::optional<std::uint8_t> code(std::string_view typed, char decimalSeparator);

    // The operator's entry in one row, judged against the others: the text the row takes (the
    // frequency written out in full, empty for an empty entry), or why it is refused. Stricter
    // than code(): only digits and one decimal place count.
    struct Entry {
        std::string text;
        std::optional<Refused> refused;
    };
    [[nodiscard]] static Entry enter(const Rows& rows, std::size_t row, char decimalSeparator);

    // What the status bar says of a refused text and what became of it ("not taken"); rows
    // count from 1.
    [[nodiscard]] static std::string message(const Refused& refused, char decimalSeparator,
                                             std::string_view outcome);
};

} // namespace korvel::operations
