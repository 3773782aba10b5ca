// SPDX-License-Identifier: MIT
#include "qt/fonts.h"

#include "qt/conversions.h"
#include "window/fontstandins.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QRawFont>
#include <algorithm>

namespace pemtos::qt {
namespace {

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
    if (installed.contains(toQString(face)))
        return 100;
    for (const window::StandIn &standIn : window::standIns(face)) {
        if (installed.contains(toQString(standIn.family)))
            return standIn.spacingPercent;
    }
    return 100;
}

/// The font of `face` over its whole chain.
QFont makeFont(std::u16string_view face, int centiPoints, int weight)
{
    QFont font;
    font.setFamilies(faceChain(face));
    font.setPixelSize(window::fontPixelSize(centiPoints));
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
        chain << toQString(face);
    for (const window::StandIn &standIn : window::standIns(face))
        chain << toQString(standIn.family);
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
    return makeFont(window::kDefaultFont.face, window::kDefaultFont.centiPoints, window::kDefaultFont.weight);
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
