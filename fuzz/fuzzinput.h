// SPDX-License-Identifier: MIT
#pragma once

// How the fuzz targets read their input, shared with the seed generator so that
// the seeds mean what the targets read.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace pemtos::fuzz {

/// Bytes reinterpreted as UTF-16 code units in the machine's byte order; a last
/// odd byte is dropped. Any unit value may occur, lone surrogates included.
inline std::u16string unitsOf(const std::uint8_t *data, std::size_t size)
{
    std::u16string text(size / 2, u'\0');
    if (!text.empty())
        std::memcpy(text.data(), data, text.size() * sizeof(char16_t));
    return text;
}

/// The note lookup's argument: a first byte of 0 (or no byte at all) passes no
/// value, as a list with nothing selected does; any other first byte passes the
/// text in the bytes after it.
inline std::optional<std::u16string> noteArgumentOf(const std::uint8_t *data, std::size_t size)
{
    if (size == 0 || data[0] == 0)
        return std::nullopt;
    return unitsOf(data + 1, size - 1);
}

inline constexpr std::uint8_t kNoValueTag = 0;
inline constexpr std::uint8_t kTextTag = 'T';

/// Stops the run with a message that names the input's units, for the crash report.
[[noreturn]] inline void mismatch(const char *what, std::u16string_view input)
{
    std::fprintf(stderr, "lookup disagrees with the table walk: %s; input units:", what);
    for (char16_t unit : input)
        std::fprintf(stderr, " %04X", static_cast<unsigned>(unit));
    std::fprintf(stderr, "\n");
    std::abort();
}

} // namespace pemtos::fuzz
