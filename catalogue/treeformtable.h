// SPDX-License-Identifier: MIT
#pragma once

// The fourteen tree forms, in the order the tree-form command tests their option
// buttons. Kept in a header so that other tables can be checked against it at
// compile time.

#include "catalogue/treeform.h"

#include <array>
#include <string_view>

namespace pemtos::catalogue {

inline constexpr std::array<std::u16string_view, 12> kOptUranSpecies{
    u"アカエゾマツ",       u"イチイ",       u"スギ",   u"イチョウ", u"コウヤマキ",   u"モミ",
    u"コバノナンヨウスギ", u"ドイツトウヒ", u"ヒノキ", u"カラマツ", u"ヒマラヤスギ", u"メタセコイヤ",
};

inline constexpr std::array<std::u16string_view, 15> kOptNumanSpecies{
    u"アオギリ",     u"カシ",         u"カツラ",     u"シラカバ",     u"タブノキ",
    u"フウ",         u"タイサンボク", u"トウカエデ", u"ハクウンボク", u"ハナミズキ",
    u"フサアカシア", u"プラタナス",   u"ホルトノキ", u"ヤマモモ",     u"ユリノキ",
};

inline constexpr std::array<std::u16string_view, 6> kOptReraSpecies{
    u"コブシ", u"サワグルミ", u"シンジュ", u"トネリコ", u"ナナカマド", u"ニセアカシア",
};

inline constexpr std::array<std::u16string_view, 8> kOption1Species{
    u"アキニレ", u"エンジュ", u"クスノキ", u"クロガネモチ", u"ツブラジイ", u"ハルニレ", u"ボダイジュ", u"マテバシイ",
};

inline constexpr std::array<std::u16string_view, 2> kOption2Species{
    u"ポプラ",
    u"スカイロケット",
};

inline constexpr std::array<std::u16string_view, 3> kOption3Species{
    u"ケヤキ",
    u"サクラ",
    u"トチノキ",
};

inline constexpr std::array<std::u16string_view, 5> kOption4Species{
    u"シダレウメ", u"シダレエンジュ", u"シダレカツラ", u"シダレザクラ", u"シダレヤナギ",
};

inline constexpr std::array<std::u16string_view, 2> kOption5Species{
    u"ヤシ類",
    u"ニオイシュロラン",
};

inline constexpr std::array<std::u16string_view, 6> kOption6Species{
    u"クジャクヒバ", u"コノテガシワ", u"シノブヒバ", u"チャボヒバ", u"カイズカイブキ", u"ヒムロ",
};

inline constexpr std::array<std::u16string_view, 12> kOption7Species{
    u"イヌツゲ",         u"カナメモチ",     u"キンモクセイ",     u"サカキ",   u"サザンカ", u"サンゴジュ",
    u"セイヨウヒイラギ", u"トウネズミモチ", u"ヒイラギモクセイ", u"ヒサカキ", u"ムクゲ",   u"モッコク",
};

inline constexpr std::array<std::u16string_view, 11> kOption8Species{
    u"オオムラサキツツジ", u"カンツバキ", u"キリシマツツジ", u"サツキ",       u"シャリンバイ", u"ジンチョウゲ",
    u"ドウダンツツジ",     u"トベラ",     u"ニシキギ",       u"ハマヒサカキ", u"ヒラドツツジ",
};

inline constexpr std::array<std::u16string_view, 7> kOption9Species{
    u"アジサイ", u"キョウチクトウ", u"トサミズキ", u"シモツケ", u"ナンテン", u"ヒイラギナンテン", u"ヒョウガミズキ",
};

inline constexpr std::array<std::u16string_view, 9> kOption10Species{
    u"ウツギ",   u"エニシダ",     u"キンシバイ", u"コデマリ",   u"ビョウヤナギ",
    u"ヤマブキ", u"ミヤギノハギ", u"アベリア",   u"レンギョウ",
};

inline constexpr std::array<std::u16string_view, 6> kOption11Species{
    u"イタビカズラ", u"キヅタ", u"テイカカヅラ", u"ナツヅタ", u"ハイビャクシン", u"ムベ",
};

// clang-format off
inline constexpr std::array<TreeFormCategory, 14> kTreeForms{{
    {1, u"optUran", u"円錐形", HeightClass::Tall, u"主幹が樹冠の先端まで真っ直ぐ通り枝が規則的に分岐。剪定しなくても自然に整った樹形となる。", kOptUranSpecies},
    {2, u"optNuman", u"卵円形", HeightClass::Tall, u"主幹があり,卵円形の樹冠を形成する枝抜き剪定により樹冠を整える。", kOptNumanSpecies},
    {3, u"optRera", u"逆卵円形", HeightClass::Tall, u"主幹があり,逆卵円形の樹冠を形成する。", kOptReraSpecies},
    {4, u"Option1", u"球形", HeightClass::Tall, u"主幹があり,球形の樹冠を形成する。", kOption1Species},
    {5, u"Option2", u"円柱形", HeightClass::Tall, u"主幹があり,箒状の樹冠を形成する。剪定しなくとも自然に整った樹形となる。", kOption2Species},
    {6, u"Option3", u"盃状形", HeightClass::Tall, u"主幹が分岐しやすく,大きな樹冠を形成する。枝抜き剪定により樹冠を整える。広い生育空間を必要とする。", kOption3Species},
    {7, u"Option4", u"枝垂形", HeightClass::Tall, u"主幹が立ちにくく枝が下垂する。支柱に添え木をつけ主幹を立ち上げる必要がある。", kOption4Species},
    {8, u"Option5", u"頂上葉", HeightClass::Tall, u"主幹が直に立ちその先端部に樹冠を形成する。枯葉を除去するのみで剪定不要。", kOption5Species},
    {9, u"Option6", u"円錐形円柱形", HeightClass::MediumLow, u"主幹が樹幹の先端まで直に通り枝が規則的に分岐。剪定しなくても自然に樹形になる。", kOption6Species},
    {10, u"Option7", u"卵円形球形", HeightClass::MediumLow, u"主幹が立つ途中からよく分岐する。自然に樹幹が整うものが多い。", kOption7Species},
    {11, u"Option8", u"盃状形", HeightClass::MediumLow, u"幹が根元近くからよく分岐。自然に樹幹が整うものが多い。", kOption8Species},
    {12, u"Option9", u"株立形", HeightClass::MediumLow, u"地中から幹が何本も立つ。自然に樹幹が整うものが多い。", kOption9Species},
    {13, u"Option10", u"枝垂形", HeightClass::MediumLow, u"幹が根元近くからよく分岐。枝先が垂れ下がる。", kOption10Species},
    {14, u"Option11", u"ほふく形", HeightClass::MediumLow, u"地面や壁面を這うように伸びる。", kOption11Species},
}};
// clang-format on

inline constexpr std::size_t kSpeciesNameCount =
    kOptUranSpecies.size() + kOptNumanSpecies.size() + kOptReraSpecies.size() + kOption1Species.size() +
    kOption2Species.size() + kOption3Species.size() + kOption4Species.size() + kOption5Species.size() +
    kOption6Species.size() + kOption7Species.size() + kOption8Species.size() + kOption9Species.size() +
    kOption10Species.size() + kOption11Species.size();
static_assert(kSpeciesNameCount == 104);

} // namespace pemtos::catalogue
