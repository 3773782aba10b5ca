// SPDX-License-Identifier: MIT
#include "qt/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QRawFont>
#include <algorithm>

#include <array>
#include <cmath>

namespace pemtos::qt {
namespace {

struct Substitute {
    const char *family;
    int spacingPercent; ///< letter spacing when this face stands in; 100 keeps the face's own
};

struct FaceFallback {
    std::u16string_view face;
    std::array<Substitute, 5> substitutes; ///< ends early at a null family
};

// Free faces from Debian packages: IPA P Gothic (fonts-ipafont-gothic) matches the
// proportional MS Gothic's metrics closely; RocknRoll One (fonts-rocknroll) is a
// pop display face like the title's, but with full-width kana, so it is set 5 %
// tighter to fit where the proportional original fits; Noto Sans CJK JP
// (fonts-noto-cjk) is the last resort for any missing glyph.
// clang-format off
constexpr std::array<FaceFallback, 3> kFallbacks{{
    {u"ＭＳ Ｐゴシック",   {{{"MS PGothic", 100}, {"IPAPGothic", 100}, {"Noto Sans CJK JP", 100}, {nullptr, 100}, {nullptr, 100}}}},
    {u"HGP創英角ﾎﾟｯﾌﾟ体", {{{"HGP創英角ポップ体", 100}, {"HGPSoeiKakupoptai", 100}, {"RocknRoll One", 95}, {"IPAPGothic", 100}, {"Noto Sans CJK JP", 100}}}},
    {u"",                  {{{"IPAPGothic", 100}, {"IPAGothic", 100}, {"Noto Sans CJK JP", 100}, {nullptr, 100}, {nullptr, 100}}}},
}};
// clang-format on
static_assert(kFallbacks.size() == 3);

const FaceFallback &fallbackFor(std::u16string_view face)
{
    const auto *found = std::find_if(kFallbacks.begin(), kFallbacks.end(),
                                     [face](const FaceFallback &entry) { return entry.face == face; });
    return found == kFallbacks.end() ? kFallbacks.back() : *found;
}

/// The font families installed here, read once: they do not change while the window is open.
const QStringList &installedFamilies()
{
    static const QStringList installed = QFontDatabase::families();
    return installed;
}

/// The letter spacing for `face`: that of the first face of its chain that is installed.
int spacingPercentFor(std::u16string_view face)
{
    const QStringList &installed = installedFamilies();
    if (installed.contains(QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size()))))
        return 100;
    for (const Substitute &substitute : fallbackFor(face).substitutes) {
        if (substitute.family != nullptr && installed.contains(QString::fromUtf8(substitute.family)))
            return substitute.spacingPercent;
    }
    return 100;
}

constexpr std::u16string_view kDefaultFace = u"ＭＳ Ｐゴシック";
constexpr int kDefaultCentiPoints = 900;

int pixelSize(int centiPoints)
{
    // Points at 96 dots per inch, like the twips of the layout.
    return static_cast<int>(std::lround(centiPoints * 96.0 / 7200.0));
}

/// The font of `face` over its whole chain.
QFont makeFont(std::u16string_view face, int centiPoints, int weight)
{
    QFont font;
    font.setFamilies(faceChain(face));
    font.setPixelSize(pixelSize(centiPoints));
    font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setStyleStrategy(QFont::PreferAntialias);
    if (const int spacing = spacingPercentFor(face); spacing != 100)
        font.setLetterSpacing(QFont::PercentageSpacing, spacing);
    return font;
}

/// Whether the face Qt loads first for `font` draws every character of `text` itself.
bool firstFaceShows(const QFont &font, QStringView text)
{
    const QRawFont face = QRawFont::fromFont(font);
    // Line breaks and other controls are laid out, not drawn.
    return std::ranges::all_of(
        text.toUcs4(), [&face](char32_t character) { return character < U' ' || face.supportsCharacter(character); });
}

} // namespace

QStringList faceChain(std::u16string_view face)
{
    QStringList chain;
    if (!face.empty())
        chain << QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size()));
    for (const Substitute &substitute : fallbackFor(face).substitutes) {
        if (substitute.family != nullptr)
            chain << QString::fromUtf8(substitute.family);
    }
    // Only the faces installed here: Qt works out glyph fallbacks for every family
    // it is asked for, installed or not, and each costs a full font search. Where
    // none is installed the whole chain stays, and Qt's own fallback decides.
    QStringList installed;
    for (const QString &family : chain) {
        if (installedFamilies().contains(family))
            installed << family;
    }
    return installed.isEmpty() ? chain : installed;
}

QFont defaultFont()
{
    return makeFont(kDefaultFace, kDefaultCentiPoints, 400);
}

QFont fontFor(const window::FontEntry *entry)
{
    if (entry == nullptr)
        return defaultFont();
    return makeFont(entry->face, entry->centiPoints, entry->weight);
}

QFont fontFor(const window::FontEntry *entry, QStringView text)
{
    QFont font = fontFor(entry);
    const QStringList chain = font.families();
    // Where no face of the chain is installed, Qt's own fallback decides for all of it.
    if (chain.size() < 2 || !installedFamilies().contains(chain.constFirst()))
        return font;
    // Qt works out the system's glyph fallbacks for every family it is given, up front,
    // each a full font search; asked for one face, it searches only for a glyph that
    // face lacks. So the chain is given only where its first face lacks one, and
    // then the chain, not the system, picks the face that stands in.
    font.setFamilies({chain.constFirst()});
    return firstFaceShows(font, text) ? font : fontFor(entry);
}

std::optional<std::string> japaneseFontProblem()
{
    // Qt draws each character in the first face that has it: the chain's faces, then
    // what the system offers in their place. Where none has kana, every caption is
    // drawn as boxes; the metrics say so, where a raw font would not (it takes the
    // placeholder face that draws the boxes for a face that has the characters).
    constexpr std::u16string_view kSample = u"あア樹";
    const QFontMetrics metrics(fontFor(nullptr, QStringView(kSample.data(), qsizetype(kSample.size()))));
    for (const char32_t character : {U'あ', U'ア', U'樹'}) {
        if (!metrics.inFontUcs4(character)) {
            return std::string("pemtos: no installed font can show Japanese, so the window's text will show as boxes; "
                               "install the package fonts-ipafont-gothic.");
        }
    }
    return std::nullopt;
}

} // namespace pemtos::qt
