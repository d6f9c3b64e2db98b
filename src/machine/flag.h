#pragma once

#include <cstdint>

namespace vornelix {

// A flag holds True as -1 and False as 0; a test against True compares with -1.
using Flag = std::int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

inline constexpr Flag toFlag(bool value) {
    return value ? kTrue : kFalse;
}

}  // namespace vornelix
