// SPDX-License-Identifier: MIT
#include "win32/fontcache.h"

#include "win32/handles.h"
#include "win32/text.h"

#include <algorithm>
#include <array>

namespace pemtos::win32 {
namespace {

struct StandIn {
    const wchar_t *face;
    int widthPercent;
};

struct FaceFallback {
    std::u16string_view face;        ///< empty: any face without an entry of its own
    std::array<StandIn, 8> standIns; ///< ends early at a null face
};

// The layout's faces come with Japanese Windows ("ＭＳ Ｐゴシック") and with office
// software ("HGP創英角ﾎﾟｯﾌﾟ体"). Each chain tries the face's English name, then
// faces that other systems really have, closest in metrics first:
// - IPA P Gothic has the proportional MS Gothic's metrics (Debian, seen by Wine);
// - RocknRoll One is a pop display face like the title's, but its kana are
//   full-width, so it is set 5 % narrower to fit where the proportional original fits;
// - Yu Gothic UI comes with every edition of Windows 10 and 11, where MS PGothic and
//   Meiryo come only with the Japanese supplemental fonts; Meiryo UI, with Windows
//   Vista to 8.1. Both UI faces have proportional kana like MS PGothic's;
// - Noto Sans CJK JP (Debian) covers everything.
// clang-format off
constexpr std::array<FaceFallback, 3> kFallbacks{{
    {u"ＭＳ Ｐゴシック",   {{{L"MS PGothic", 100}, {L"IPAPGothic", 100}, {L"Yu Gothic UI", 100}, {L"Meiryo UI", 100}, {L"Noto Sans CJK JP", 100}, {nullptr, 100}, {nullptr, 100}, {nullptr, 100}}}},
    {u"HGP創英角ﾎﾟｯﾌﾟ体", {{{L"HGP創英角ポップ体", 100}, {L"HGPSoeiKakupoptai", 100}, {L"RocknRoll One", 95}, {L"MS PGothic", 100}, {L"IPAPGothic", 100}, {L"Yu Gothic UI", 100}, {L"Meiryo UI", 100}, {L"Noto Sans CJK JP", 100}}}},
    {u"",                  {{{L"IPAPGothic", 100}, {L"Yu Gothic UI", 100}, {L"Meiryo UI", 100}, {L"Noto Sans CJK JP", 100}, {nullptr, 100}, {nullptr, 100}, {nullptr, 100}, {nullptr, 100}}}},
}};
// clang-format on

const FaceFallback &fallbackFor(std::u16string_view face)
{
    const auto *found = std::find_if(kFallbacks.begin(), kFallbacks.end(),
                                     [face](const FaceFallback &entry) { return entry.face == face; });
    return found == kFallbacks.end() ? kFallbacks.back() : *found;
}

int CALLBACK noteFace(const LOGFONTW * /*font*/, const TEXTMETRICW * /*metrics*/, DWORD /*type*/, LPARAM found)
{
    *fromInteger<bool *>(found) = true;
    return 0; // one is enough
}

LOGFONTW logFont(std::wstring_view face, const window::FontEntry &entry, int dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(entry.centiPoints, dpi, 7200);
    font.lfWeight = entry.weight;
    font.lfCharSet = static_cast<BYTE>(window::kShiftJisCharset);
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t length = std::min(face.size(), static_cast<std::size_t>(LF_FACESIZE - 1));
    std::copy_n(face.begin(), length, font.lfFaceName);
    return font;
}

} // namespace

FaceChoice chooseFace(std::u16string_view face, const FaceProbe &installed)
{
    std::wstring own = toWide(face);
    if (installed(own))
        return {own, 100};
    for (const StandIn &standIn : fallbackFor(face).standIns) {
        if (standIn.face != nullptr && installed(standIn.face))
            return {standIn.face, standIn.widthPercent};
    }
    return {own, 100};
}

bool isFaceInstalled(std::wstring_view face)
{
    if (face.empty() || face.size() >= LF_FACESIZE)
        return false;
    // The fonts do not change while the window is built: each face is asked about
    // once in the process, whatever DPI its fonts are made for.
    static std::vector<std::pair<std::wstring, bool>> answers;
    const auto known =
        std::find_if(answers.begin(), answers.end(),
                     [face](const std::pair<std::wstring, bool> &answer) { return answer.first == face; });
    if (known != answers.end())
        return known->second;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::copy(face.begin(), face.end(), wanted.lfFaceName);
    bool found = false;
    // A memory DC knows the same fonts as the screen, and costs no trip to the
    // window system the way the screen's DC does.
    HDC probe = CreateCompatibleDC(nullptr);
    EnumFontFamiliesExW(probe, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    DeleteDC(probe);
    answers.emplace_back(face, found);
    return found;
}

FontCache::FontCache(int dpi, FaceProbe installed) : m_dpi(dpi), m_installed(std::move(installed)) {}

bool FontCache::isInstalled(std::wstring_view face) const
{
    // The chains share faces: each is asked about once.
    const auto known =
        std::find_if(m_probed.begin(), m_probed.end(),
                     [face](const std::pair<std::wstring, bool> &probed) { return probed.first == face; });
    if (known != m_probed.end())
        return known->second;
    const bool installed = m_installed(face);
    m_probed.emplace_back(face, installed);
    return installed;
}

FontCache::~FontCache()
{
    for (const Entry &entry : m_fonts)
        DeleteObject(entry.font);
}

HFONT FontCache::font(const window::FontEntry *entry)
{
    const window::FontEntry &wanted = entry != nullptr ? *entry : kDefaultFont;
    const auto found = std::find_if(m_fonts.begin(), m_fonts.end(), [&wanted](const Entry &entry) {
        return entry.face == wanted.face && entry.centiPoints == wanted.centiPoints && entry.weight == wanted.weight;
    });
    if (found != m_fonts.end())
        return found->font;
    HFONT font = create(wanted);
    if (font != nullptr)
        m_fonts.push_back({wanted.face, wanted.centiPoints, wanted.weight, font});
    return font;
}

HFONT FontCache::create(const window::FontEntry &entry) const
{
    const FaceChoice choice = chooseFace(entry.face, [this](std::wstring_view face) { return isInstalled(face); });
    LOGFONTW font = logFont(choice.face, entry, m_dpi);
    if (choice.widthPercent == 100)
        return CreateFontIndirectW(&font);

    // A narrower stand-in: its letters' average width, scaled.
    HFONT natural = CreateFontIndirectW(&font);
    HDC measuring = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(measuring, natural);
    TEXTMETRICW metrics{};
    GetTextMetricsW(measuring, &metrics);
    SelectObject(measuring, previous);
    DeleteDC(measuring);
    DeleteObject(natural);
    font.lfWidth = MulDiv(metrics.tmAveCharWidth, choice.widthPercent, 100);
    return CreateFontIndirectW(&font);
}

} // namespace pemtos::win32
