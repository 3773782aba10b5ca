// SPDX-License-Identifier: MIT
#include "window/accessibility.h"

#include "window/illustrations.h"

#include <algorithm>
#include <array>

namespace pemtos::window {
namespace {

struct AccessibleText {
    std::u16string_view control;
    std::u16string_view text;
};

constexpr std::array<AccessibleText, 4> kNames{{
    {u"List1", u"樹木の一覧"},
    // Controls that show nothing are named plainly, so that none is announced without a name.
    {u"Picture9", u"図なし"},
    {u"Image1", u"画像なし"},
    {u"Image2", u"画像なし"},
}};

constexpr std::array<AccessibleText, 5> kDescriptions{{
    {u"Label2", u"選択した樹形の特徴"},
    {u"Label3", u"選択した樹木の特徴"},
    {u"List1", u"選択した樹形に含まれる樹木"},
    {u"cmdGo", u"選択した樹形の特徴と樹木を表示します"},
    {u"Command1", u"選択した樹木の特徴を表示します"},
}};

template <std::size_t N>
std::u16string_view lookUp(const std::array<AccessibleText, N> &table, std::u16string_view control)
{
    const auto *found = std::find_if(table.begin(), table.end(),
                                     [control](const AccessibleText &row) { return row.control == control; });
    return found == table.end() ? std::u16string_view() : found->text;
}

} // namespace

std::u16string_view accessibleName(std::u16string_view control)
{
    if (const Illustration *art = findIllustration(control))
        return art->description;
    return lookUp(kNames, control);
}

std::u16string_view accessibleDescription(std::u16string_view control)
{
    return lookUp(kDescriptions, control);
}

} // namespace pemtos::window
