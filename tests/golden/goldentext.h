// SPDX-License-Identifier: MIT
// Golden files: readable UTF-8 dumps of what the program holds and builds, checked
// in under tests/golden/ and compared line by line.
//
// Texts are written between double quotes, character for character, except for
// characters that are invisible or easily mistaken for another, which are written
// as a tag in braces:
//   {sp}      U+0020 space              {ideosp}  U+3000 ideographic space
//   {fwX}     the full-width form of the ASCII character X (U+FF01..U+FF5E),
//             e.g. {fw,} is U+FF0C and {fw1} is U+FF11
//   {hwX}     X, a half-width form (U+FF61..U+FF9F), e.g. {hw､} and {hwﾎ}
//   {U+XXXX}  any other character that is invisible or confusable: controls,
//             U+2015 "―", braces and double quotes
// Everything else (kana, kanji, ASCII letters, digits and punctuation, "、", "。",
// "・") stands for itself.
//
// When a dump differs from its golden file the test prints the differing lines.
// To write the dumps that the tests see, set PEMTOS_GOLDEN_OUTPUT to a directory:
// each test writes <name>.actual there (for example
// `PEMTOS_GOLDEN_OUTPUT=/tmp ctest --preset dev -R Golden`); compare it with the
// golden file and copy it over only once every changed line has been checked
// against the design.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#ifndef PEMTOS_GOLDEN_DIR
#error "PEMTOS_GOLDEN_DIR must name tests/golden"
#endif

namespace pemtos::golden {

/// `text` in UTF-8.
inline std::string utf8(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
            code = 0x10000 + ((code - 0xD800) << 10U) + (text[i + 1] - 0xDC00U);
            ++i;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6U));
            out += static_cast<char>(0x80 | (code & 0x3FU));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12U));
            out += static_cast<char>(0x80 | ((code >> 6U) & 0x3FU));
            out += static_cast<char>(0x80 | (code & 0x3FU));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18U));
            out += static_cast<char>(0x80 | ((code >> 12U) & 0x3FU));
            out += static_cast<char>(0x80 | ((code >> 6U) & 0x3FU));
            out += static_cast<char>(0x80 | (code & 0x3FU));
        }
    }
    return out;
}

/// `text`, UTF-8, as UTF-16.
inline std::u16string utf16(std::string_view text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        std::uint32_t code = byte;
        std::size_t length = 1;
        if (byte >= 0xF0) {
            code = byte & 0x07U;
            length = 4;
        } else if (byte >= 0xE0) {
            code = byte & 0x0FU;
            length = 3;
        } else if (byte >= 0xC0) {
            code = byte & 0x1FU;
            length = 2;
        }
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6U) | (static_cast<unsigned char>(text[i + k]) & 0x3FU);
        i += length;
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10U));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FFU));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

/// `text` in double quotes, with the tags described at the top of this file.
inline std::string quoted(std::u16string_view text)
{
    std::string out = "\"";
    for (const char16_t unit : text) {
        char tag[16];
        if (unit == u' ') {
            out += "{sp}";
        } else if (unit == u'\u3000') {
            out += "{ideosp}";
        } else if (unit >= 0xFF01 && unit <= 0xFF5E) {
            out += "{fw";
            out += static_cast<char>(unit - 0xFEE0);
            out += '}';
        } else if (unit >= 0xFF61 && unit <= 0xFF9F) {
            out += "{hw" + utf8(std::u16string_view(&unit, 1)) + "}";
        } else if (unit < 0x20 || (unit >= 0x7F && unit < 0xA0) || unit == u'{' || unit == u'}' || unit == u'"' ||
                   unit == u'\u2015' || (unit >= 0x2000 && unit <= 0x200F) || (unit >= 0x2028 && unit <= 0x202F) ||
                   unit == 0xFEFF || (unit >= 0xD800 && unit < 0xE000)) {
            std::snprintf(tag, sizeof tag, "{U+%04X}", static_cast<unsigned>(unit));
            out += tag;
        } else {
            out += utf8(std::u16string_view(&unit, 1));
        }
    }
    return out + "\"";
}

/// The text that quoted() wrote between the quotes starting at `at` in `line`;
/// `at` is left just past the closing quote.
inline std::u16string unquote(std::string_view line, std::size_t &at)
{
    std::u16string out;
    if (at >= line.size() || line[at] != '"')
        return out;
    std::size_t i = at + 1;
    while (i < line.size() && line[i] != '"') {
        if (line[i] != '{') {
            std::size_t length = 1;
            const auto byte = static_cast<unsigned char>(line[i]);
            length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            out += utf16(line.substr(i, length));
            i += length;
            continue;
        }
        const std::size_t close = line.find('}', i + 1);
        const std::string_view tag = line.substr(i + 1, close - i - 1);
        if (tag == "sp")
            out += u' ';
        else if (tag == "ideosp")
            out += u'\u3000';
        else if (tag.starts_with("fw") && tag.size() == 3)
            out += static_cast<char16_t>(tag[2] + 0xFEE0);
        else if (tag.starts_with("hw"))
            out += utf16(tag.substr(2));
        else if (tag.starts_with("U+"))
            out += static_cast<char16_t>(std::strtoul(std::string(tag.substr(2)).c_str(), nullptr, 16));
        i = close + 1;
    }
    at = i + 1;
    return out;
}

/// The lines of `text`, without their line ends.
inline std::vector<std::string> linesOf(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

/// The golden file `name` (e.g. "catalogue.txt"), line by line; empty when missing.
inline std::vector<std::string> readGolden(std::string_view name)
{
    std::ifstream in(std::string(PEMTOS_GOLDEN_DIR) + "/" + std::string(name), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return linesOf(text.str());
}

/// Compares `actual` with the golden file `name` line by line and fails the test
/// with every differing line. Comment lines (starting with '#') and blank lines of
/// the golden file are not part of the dump.
inline void expectMatchesGolden(std::string_view name, const std::vector<std::string> &actual)
{
    if (const char *output = std::getenv("PEMTOS_GOLDEN_OUTPUT"); output != nullptr && *output != '\0') {
        std::ofstream out(std::string(output) + "/" + std::string(name) + ".actual", std::ios::binary);
        for (const std::string &line : actual)
            out << line << '\n';
    }
    std::vector<std::string> golden;
    for (const std::string &line : readGolden(name)) {
        if (!line.empty() && line.front() != '#')
            golden.push_back(line);
    }
    ASSERT_FALSE(golden.empty()) << "no golden file " << PEMTOS_GOLDEN_DIR << "/" << name;

    std::ostringstream differences;
    int differing = 0;
    const std::size_t count = std::max(golden.size(), actual.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::string *want = i < golden.size() ? &golden[i] : nullptr;
        const std::string *got = i < actual.size() ? &actual[i] : nullptr;
        if (want != nullptr && got != nullptr && *want == *got)
            continue;
        if (++differing > 40)
            continue;
        differences << "line " << i + 1 << "\n  golden: " << (want != nullptr ? *want : "(none)")
                    << "\n  actual: " << (got != nullptr ? *got : "(none)") << "\n";
    }
    EXPECT_EQ(differing, 0) << name << " differs from the golden file in " << differing << " lines:\n"
                            << differences.str() << "(set PEMTOS_GOLDEN_OUTPUT to a directory to get the whole dump)";
}

/// The catalogue as the golden file gives it: what the window must show.
struct Catalogue {
    struct Form {
        std::u16string option;
        std::u16string caption;
        std::u16string description;
        std::vector<std::u16string> species;
    };
    std::vector<Form> forms;
    std::vector<std::pair<std::u16string, std::u16string>> notes; ///< name, note; in table order

    /// The form selected by `option`.
    [[nodiscard]] const Form &form(std::u16string_view option) const
    {
        for (const Form &each : forms) {
            if (each.option == option)
                return each;
        }
        throw std::out_of_range("no form " + utf8(option));
    }

    /// The note shown for `name`.
    [[nodiscard]] const std::u16string &note(std::u16string_view name) const
    {
        for (const auto &[row, text] : notes) {
            if (row == name)
                return text;
        }
        throw std::out_of_range("no note for " + utf8(name));
    }
};

/// Reads tests/golden/catalogue.txt; see that file for its layout.
inline Catalogue readCatalogue()
{
    Catalogue catalogue;
    for (const std::string &line : readGolden("catalogue.txt")) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        std::size_t at = line.find('"');
        if (kind == "form") {
            // form <n> <option> "<caption>" ...
            std::string number;
            std::string option;
            words >> number >> option;
            catalogue.forms.push_back({utf16(option), unquote(line, at), {}, {}});
        } else if (kind == "description" && !catalogue.forms.empty()) {
            catalogue.forms.back().description = unquote(line, at);
        } else if (kind == "species" && !catalogue.forms.empty()) {
            catalogue.forms.back().species.push_back(unquote(line, at));
        } else if (kind == "note") {
            std::u16string name = unquote(line, at);
            at = line.find('"', at);
            catalogue.notes.emplace_back(std::move(name), unquote(line, at));
        }
    }
    return catalogue;
}

/// The catalogue read once per test program.
inline const Catalogue &catalogue()
{
    static const Catalogue read = readCatalogue();
    return read;
}

} // namespace pemtos::golden
