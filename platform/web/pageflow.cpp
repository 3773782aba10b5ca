// SPDX-License-Identifier: MIT
#include "web/pageflow.h"

#include "window/fontstandins.h"
#include "window/illustrations.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace pemtos::web {
namespace {

struct Flow {
    std::u16string_view name;
    int headingLevel;
};

// How a phone reads the window, top to bottom within each container: the title and
// the introduction, each height class's heading over its forms, then below the frame
// the tree-form button, the description, the species list, its button and the note.
// Each drawing shares its option's place, as one card. The controls that show
// nothing come last.
// clang-format off
constexpr std::array<Flow, 29> kReadingOrder{{
    {u"Label4", 1}, {u"Label1", 0},
    {u"Label10", 2},
    {u"optUran", 0}, {u"optNuman", 0}, {u"optRera", 0}, {u"Option1", 0},
    {u"Option2", 0}, {u"Option3", 0}, {u"Option4", 0}, {u"Option5", 0},
    {u"Label11", 2},
    {u"Option6", 0}, {u"Option7", 0}, {u"Option8", 0}, {u"Option9", 0},
    {u"Option10", 0}, {u"Option11", 0},
    {u"Picture9", 0},
    {u"Frame2", 0}, {u"cmdGo", 0},
    {u"Label12", 2}, {u"Label2", 0},
    {u"List1", 0}, {u"Command1", 0}, {u"Label3", 0},
    {u"Image1", 0}, {u"Image2", 0},
    {u"Form1", 0},
}};
// clang-format on
static_assert(kReadingOrder.size() == 43 - 14, "every control but the drawings, which go with their options");

// Which output label shows each command's result, brought into view after the command
// on a narrow screen, where it is often below the fold; and which lookup the page's
// address keeps of it.
constexpr std::array<std::pair<std::u16string_view, CommandResult>, 2> kResults{{
    {u"cmdGo", {u"Label2", dom::Lookup::TreeForm}},
    {u"Command1", {u"Label3", dom::Lookup::Species}},
}};

// Faces that phones, tablets and Macs ship, after the desktop ones: Hiragino on
// Apple systems, Noto Sans JP on Android, Yu Gothic and Meiryo on Windows.
constexpr std::array<std::u16string_view, 5> kDeviceFaces{
    {u"Hiragino Kaku Gothic ProN", u"Hiragino Sans", u"Noto Sans JP", u"Yu Gothic", u"Meiryo"}};

void appendFamily(std::u16string &chain, std::u16string_view family)
{
    if (!chain.empty())
        chain += u", ";
    chain += u'"';
    chain += family;
    chain += u'"';
}

} // namespace

dom::Placement placementOf(std::u16string_view name)
{
    const window::Illustration *art = window::findIllustration(name);
    const std::u16string_view card = art != nullptr ? art->option : std::u16string_view();
    const std::u16string_view placed = card.empty() ? name : card;
    const auto *found = std::find_if(kReadingOrder.begin(), kReadingOrder.end(),
                                     [placed](const Flow &flow) { return flow.name == placed; });
    if (found == kReadingOrder.end())
        return {static_cast<int>(kReadingOrder.size()), {}, 0};
    const bool option = card.empty() && std::any_of(window::illustrations().begin(), window::illustrations().end(),
                                                    [name](const auto &drawing) { return drawing.option == name; });
    return {static_cast<int>(found - kReadingOrder.begin()), option ? name : card,
            art != nullptr ? 0 : found->headingLevel};
}

CommandResult commandResult(std::u16string_view command)
{
    for (const auto &[button, result] : kResults) {
        if (button == command)
            return result;
    }
    return {{}, dom::Lookup::None};
}

std::u16string cssFontFamily(std::u16string_view face)
{
    std::u16string chain;
    appendFamily(chain, face);
    for (const window::StandIn &standIn : window::standIns(face)) {
        if (standIn.spacingPercent == 100) {
            appendFamily(chain, standIn.family);
            continue;
        }
        // CSS has no letter spacing for one face of a chain: the stand-in is drawn
        // that much smaller instead, under a name of its own that the page defines.
        std::u16string alias(standIn.family);
        alias += u' ';
        for (const char digit : std::to_string(standIn.spacingPercent))
            alias += static_cast<char16_t>(digit);
        alias += u'%';
        dom::defineScaledFace(alias, standIn.family, standIn.spacingPercent);
        appendFamily(chain, alias);
    }
    for (std::u16string_view device : kDeviceFaces)
        appendFamily(chain, device);
    chain += u", sans-serif";
    return chain;
}

} // namespace pemtos::web
