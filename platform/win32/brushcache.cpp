// SPDX-License-Identifier: MIT
#include "win32/brushcache.h"

namespace pemtos::win32 {

COLORREF toColorRef(window::OleColour colour)
{
    const window::Rgb rgb = window::resolveColour(colour);
    return RGB(rgb.red, rgb.green, rgb.blue);
}

BrushCache::~BrushCache()
{
    for (const auto &[colour, brush] : m_brushes)
        DeleteObject(brush);
}

HBRUSH BrushCache::brush(window::OleColour colour)
{
    auto found = m_brushes.find(colour);
    if (found == m_brushes.end())
        found = m_brushes.emplace(colour, CreateSolidBrush(toColorRef(colour))).first;
    return found->second;
}

void BrushCache::erase(HWND surface, HDC dc, window::OleColour colour)
{
    RECT client{};
    GetClientRect(surface, &client);
    FillRect(dc, &client, brush(colour));
}

HBRUSH BrushCache::colourControl(HDC dc, const window::LayoutEntry &entry)
{
    if (!entry.backColour)
        return nullptr;
    SetBkColor(dc, toColorRef(*entry.backColour));
    SetTextColor(dc, toColorRef(entry.foreColour.value_or(kButtonText)));
    return brush(*entry.backColour);
}

} // namespace pemtos::win32
