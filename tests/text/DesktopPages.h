#pragma once

#include <array>

namespace korvel::text {

// The Windows code pages the program chooses from a desktop locale.
inline constexpr std::array kDesktopPages{1250, 1251, 1252, 1253, 1254, 1257};
static_assert(kDesktopPages.size() == 6);

} // namespace korvel::text
