// SPDX-License-Identifier: MIT
#include "window/illustrations.h"

#include "catalogue/treeform.h"

#include <algorithm>
#include <array>

namespace pemtos::window {
namespace {

// clang-format off
constexpr std::array<Illustration, 14> kIllustrations{{
    {u"Picture1",  u"optUran",  "picture1",  101, 48, 79, u"円錐形の樹形の図：まっすぐな幹と先のとがった針葉樹"},
    {u"Picture2",  u"optNuman", "picture2",  102, 51, 80, u"卵円形の樹形の図：一本の幹に卵形の樹冠"},
    {u"Picture3",  u"optRera",  "picture3",  103, 42, 77, u"逆卵円形の樹形の図：高い幹の上で広がる樹冠"},
    {u"Picture4",  u"Option1",  "picture4",  104, 57, 83, u"球形の樹形の図：短い幹に丸く茂った樹冠"},
    {u"Picture5",  u"Option2",  "picture5",  105, 47, 81, u"円柱形の樹形の図：細長い柱状の樹冠"},
    {u"Picture6",  u"Option3",  "picture6",  106, 73, 76, u"盃状形の樹形の図：短い幹から上へ広がる盃形の樹冠"},
    {u"Picture7",  u"Option4",  "picture7",  107, 73, 73, u"枝垂形の樹形の図：幹の周りに垂れ下がる枝"},
    {u"Picture8",  u"Option5",  "picture8",  108, 48, 75, u"頂上葉の樹形の図：高い幹の先にだけ葉をつけたヤシ"},
    {u"Picture10", u"Option6",  "picture10", 110, 41, 76, u"円錐形円柱形の樹形の図：炎の形に茂った細い低木"},
    {u"Picture11", u"Option7",  "picture11", 111, 37, 76, u"卵円形球形の樹形の図：細い幹に卵形に茂った低木"},
    {u"Picture12", u"Option8",  "picture12", 112, 75, 52, u"盃状形の樹形の図：根元から扇形に広がる低木"},
    {u"Picture13", u"Option9",  "picture13", 113, 64, 55, u"株立形の樹形の図：地面から並んで立つ何本もの幹"},
    {u"Picture14", u"Option10", "picture14", 114, 79, 54, u"枝垂形の樹形の図：地面まで垂れ下がる低木の枝"},
    {u"Picture15", u"Option11", "picture15", 115, 89, 60, u"ほふく形の樹形の図：地面を這って広がる枝"},
}};
// clang-format on
static_assert(kIllustrations.size() == catalogue::kTreeFormCount, "one drawing per tree form");

} // namespace

std::span<const Illustration> illustrations()
{
    return kIllustrations;
}

const Illustration *findIllustration(std::u16string_view picture)
{
    const auto *const found = std::find_if(kIllustrations.begin(), kIllustrations.end(),
                                           [picture](const Illustration &art) { return art.picture == picture; });
    return found == kIllustrations.end() ? nullptr : &*found;
}

} // namespace pemtos::window
