#pragma once

#include <cstdint>

namespace comctl {

// Result codes of the library entry points, with the platform's values.
struct HResult
{
    static constexpr std::int32_t ok = 0;
    static constexpr std::int32_t falseResult = 1;
    static constexpr std::int32_t selfRegTypeLib = std::int32_t(0x80040200u);
    static constexpr std::int32_t selfRegClass = std::int32_t(0x80040201u);
    static constexpr std::int32_t classNotAvailable = std::int32_t(0x80040111u);
    static constexpr std::int32_t invalidArgument = std::int32_t(0x80070057u);
};

} // namespace comctl
