// SPDX-License-Identifier: MIT
// Writes the seed corpus of both fuzz targets: every species name, option name,
// caption and heading of the catalogue, and near misses of each (half-width
// katakana, hiragana, full-width or re-cased ASCII, leading and trailing ASCII and
// ideographic spaces, and truncations), so that fuzzing starts at the edges where
// an exact comparison decides.
//
//   seedcorpus <directory>   creates <directory>/speciesnote and <directory>/treeform
#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "fuzzinput.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::u16string_view kFullKatakana =
    u"ァアィイゥウェエォオカキクケコサシスセソタチッツテトナニヌネノハヒフヘホマミムメモャヤュユョヨ"
    u"ラリルレロワヲンー・";
constexpr std::u16string_view kHalfKatakana = u"ｧｱｨｲｩｳｪｴｫｵｶｷｸｹｺｻｼｽｾｿﾀﾁｯﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜｦﾝｰ･";
static_assert(kFullKatakana.size() == kHalfKatakana.size());

constexpr char16_t kVoicedMark = u'ﾞ';
constexpr char16_t kSemiVoicedMark = u'ﾟ';

/// Full-width katakana as half-width katakana, voiced kana as a kana and its mark.
std::u16string halfWidth(std::u16string_view text)
{
    std::u16string out;
    for (const char16_t unit : text) {
        const bool voicedRow = (unit >= u'ガ' && unit <= u'ド') || (unit >= u'バ' && unit <= u'ポ');
        if (const auto at = kFullKatakana.find(unit); at != std::u16string_view::npos) {
            out += kHalfKatakana[at];
        } else if (unit == u'ヴ') {
            out += u"ｳﾞ";
        } else if (const auto base = kFullKatakana.find(static_cast<char16_t>(unit - 1));
                   voicedRow && base != std::u16string_view::npos) {
            out += kHalfKatakana[base];
            out += kVoicedMark;
        } else if (const auto plain = kFullKatakana.find(static_cast<char16_t>(unit - 2));
                   voicedRow && plain != std::u16string_view::npos) {
            out += kHalfKatakana[plain];
            out += kSemiVoicedMark;
        } else {
            out += unit;
        }
    }
    return out;
}

/// Katakana as hiragana; everything else unchanged.
std::u16string hiragana(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t &unit : out) {
        if (unit >= u'ァ' && unit <= u'ヶ')
            unit = static_cast<char16_t>(unit - (u'ァ' - u'ぁ'));
    }
    return out;
}

/// ASCII letters and digits as their full-width forms.
std::u16string fullWidth(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t &unit : out) {
        if (unit > u' ' && unit < 0x7F)
            unit = static_cast<char16_t>(unit - u'!' + u'！');
    }
    return out;
}

std::u16string changeCase(std::u16string_view text, bool upper)
{
    std::u16string out(text);
    for (char16_t &unit : out) {
        if (upper && unit >= u'a' && unit <= u'z')
            unit = static_cast<char16_t>(unit - u'a' + u'A');
        else if (!upper && unit >= u'A' && unit <= u'Z')
            unit = static_cast<char16_t>(unit - u'A' + u'a');
    }
    return out;
}

/// The text and its near misses; the set drops variants that change nothing.
std::set<std::u16string> nearMisses(std::u16string_view text)
{
    std::set<std::u16string> out{std::u16string(text), halfWidth(text),        hiragana(text),
                                 fullWidth(text),      changeCase(text, true), changeCase(text, false)};
    for (std::u16string_view space : {u" ", u"\u3000"}) {
        out.insert(std::u16string(space) + std::u16string(text));
        out.insert(std::u16string(text) + std::u16string(space));
    }
    if (!text.empty()) {
        out.insert(std::u16string(text.substr(1)));
        out.insert(std::u16string(text.substr(0, text.size() - 1)));
    }
    return out;
}

/// Every text the catalogue holds that a lookup might be handed.
std::vector<std::u16string_view> catalogueTexts()
{
    std::vector<std::u16string_view> texts;
    for (const pemtos::catalogue::SpeciesNote &row : pemtos::catalogue::speciesNotes())
        texts.push_back(row.name);
    for (const pemtos::catalogue::TreeFormCategory &form : pemtos::catalogue::treeForms()) {
        texts.push_back(form.option);
        texts.push_back(form.caption);
        texts.push_back(pemtos::catalogue::heightClassHeading(form.heightClass));
    }
    return texts;
}

class SeedWriter {
public:
    explicit SeedWriter(fs::path directory) : m_directory(std::move(directory)) { fs::create_directories(m_directory); }

    void write(std::string_view prefix, std::u16string_view units)
    {
        std::string bytes(prefix);
        bytes.append(reinterpret_cast<const char *>(units.data()), units.size() * sizeof(char16_t));
        if (!m_written.insert(bytes).second)
            return;
        std::ofstream file(m_directory / ("seed" + std::to_string(m_written.size())), std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file)
            throw std::runtime_error("cannot write a seed under " + m_directory.string());
    }

    std::size_t count() const { return m_written.size(); }

private:
    fs::path m_directory;
    std::set<std::string> m_written;
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seedcorpus <directory>\n");
        return 64;
    }
    try {
        const fs::path root(argv[1]);
        SeedWriter notes(root / "speciesnote");
        SeedWriter options(root / "treeform");
        const std::string textTag(1, static_cast<char>(pemtos::fuzz::kTextTag));
        notes.write(std::string(1, static_cast<char>(pemtos::fuzz::kNoValueTag)), u"");
        for (std::u16string_view text : catalogueTexts()) {
            for (const std::u16string &variant : nearMisses(text)) {
                notes.write(textTag, variant);
                options.write({}, variant);
            }
        }
        std::printf("seedcorpus: %zu note seeds, %zu option seeds\n", notes.count(), options.count());
    } catch (const std::exception &error) {
        std::fprintf(stderr, "seedcorpus: %s\n", error.what());
        return 1;
    }
    return 0;
}
