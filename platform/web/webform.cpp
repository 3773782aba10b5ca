// SPDX-License-Identifier: MIT
#include "web/webform.h"

#include "web/dom.h"
#include "web/pageflow.h"
#include "window/accessibility.h"
#include "window/colours.h"
#include "window/fontstandins.h"
#include "window/handlers.h"
#include "window/illustrations.h"
#include "window/layout.h"
#include "window/navigation.h"
#include "window/speech.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace pemtos::web {
namespace {

std::int32_t packed(const window::Rgb &rgb)
{
    return (static_cast<std::int32_t>(rgb.red) << 16) | (static_cast<std::int32_t>(rgb.green) << 8) | rgb.blue;
}

double luminance(const window::Rgb &rgb)
{
    const auto linear = [](std::uint8_t channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb.red) + 0.7152 * linear(rgb.green) + 0.0722 * linear(rgb.blue);
}

double contrast(const window::Rgb &one, const window::Rgb &other)
{
    const double lighter = std::max(luminance(one), luminance(other));
    const double darker = std::min(luminance(one), luminance(other));
    return (lighter + 0.05) / (darker + 0.05);
}

// The classic desktop teal of the title and the two output labels reads at 2.6:1
// on the silver background, too faint for a phone outdoors: it is darkened in
// steps, keeping its hue, until it reaches the 4.5:1 that body text needs.
window::Rgb readableOn(window::Rgb text, const window::Rgb &back)
{
    constexpr double kBodyTextContrast = 4.5;
    constexpr int kStep = 95; // per cent kept at each step
    while (contrast(text, back) < kBodyTextContrast && (text.red | text.green | text.blue) != 0) {
        text = {static_cast<std::uint8_t>(text.red * kStep / 100), static_cast<std::uint8_t>(text.green * kStep / 100),
                static_cast<std::uint8_t>(text.blue * kStep / 100)};
    }
    return text;
}

void applyColours(const window::LayoutEntry &entry)
{
    if (!entry.backColour && !entry.foreColour)
        return;
    const window::Rgb back = window::resolveColour(entry.backColour.value_or(window::kSystemInactiveCaptionText));
    const std::int32_t fore =
        entry.foreColour ? packed(readableOn(window::resolveColour(*entry.foreColour), back)) : -1;
    dom::setColours(entry.name, entry.backColour ? packed(back) : -1, fore);
}

void applyFont(const window::LayoutEntry &entry)
{
    const window::FontEntry &font = entry.font != nullptr ? *entry.font : window::kDefaultFont;
    dom::setFont(entry.name, cssFontFamily(font.face), window::fontPixelSize(font.centiPoints), font.weight);
}

/// How many tree-form options the window has: the "of n" screen readers say.
int optionCount()
{
    const std::span<const window::LayoutEntry> entries = window::layout();
    return static_cast<int>(std::count_if(entries.begin(), entries.end(), [](const window::LayoutEntry &entry) {
        return window::optionPosition(entry.name) > 0;
    }));
}

} // namespace

WebForm::WebForm()
{
    const std::span<const window::LayoutEntry> entries = window::layout();
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const window::LayoutEntry &entry = entries[index];
        // The table lists siblings from the bottom of the stack up.
        dom::create(entry, placementOf(entry.name), static_cast<int>(index));
        dom::place(entry.name, window::toPixels(window::Rect{entry.left, entry.top, entry.width, entry.height}));
        applyFont(entry);
        applyColours(entry);
        dom::describe(entry.name, window::accessibleName(entry.name), window::accessibleDescription(entry.name));
        if (const int position = window::optionPosition(entry.name); position > 0) {
            std::u16string address(window::optionGroup(entry.name));
            address += u'=';
            address += entry.caption;
            dom::describeOption(entry.name, position, optionCount(), window::optionDescription(entry.name), address);
        }
        if (const window::Illustration *art = window::findIllustration(entry.name))
            dom::setPicture(entry.name, art->file, art->width, art->height, art->description);
        for (std::u16string_view row : window::initialRows(entry))
            (void)dom::addItem(entry.name, row);
        if (entry.onClick != nullptr) {
            const CommandResult result = commandResult(entry.name);
            dom::onClick(entry.name, static_cast<int>(index), result.label, result.lookup);
        }
    }
    dom::focusFirst(window::firstTabStop().name);
}

namespace {

/// The control of layout entry `entry`, or nullptr.
const window::LayoutEntry *entryAt(int entry)
{
    const std::span<const window::LayoutEntry> entries = window::layout();
    return entry >= 0 && static_cast<std::size_t>(entry) < entries.size() ? &entries[entry] : nullptr;
}

int indexOf(const window::LayoutEntry *entry)
{
    return entry == nullptr ? -1 : static_cast<int>(entry - window::layout().data());
}

std::u16string_view nameAt(int entry)
{
    const window::LayoutEntry *found = entryAt(entry);
    return found == nullptr ? std::u16string_view() : found->name;
}

} // namespace

void WebForm::click(int entry)
{
    const window::LayoutEntry *control = entryAt(entry);
    if (control == nullptr || control->onClick == nullptr)
        return;
    const int reported = m_controls.errorsReported();
    control->onClick(m_controls);
    if (m_controls.errorsReported() == reported) // else the error report is what people are told
        announceResult(control->onClick);
}

void WebForm::reset()
{
    for (const window::LayoutEntry &entry : window::layout()) {
        if (window::writesCaption(entry.name))
            (void)dom::setCaption(entry.name, entry.caption);
        if (entry.controlClass == window::ControlClass::ListBox) {
            (void)dom::clear(entry.name);
            for (std::u16string_view row : window::initialRows(entry))
                (void)dom::addItem(entry.name, row);
        }
    }
}

void WebForm::announceResult(window::ClickHandler handler)
{
    std::u16string text;
    if (handler == &window::cmdGo_Click && dom::caption(u"Label2", text)) {
        dom::announce(window::treeFormAnnouncement(text, std::max(0, dom::rowCount(u"List1"))));
    } else if (handler == &window::command1_Click && dom::caption(u"Label3", text)) {
        std::int16_t row = -1;
        (void)dom::listIndex(u"List1", row);
        dom::announce(window::speciesNoteAnnouncement(text, row >= 0));
    }
}

int WebForm::nextTabStop(int entry, bool backwards)
{
    return indexOf(&window::nextTabStop(nameAt(entry), backwards));
}

int WebForm::nextOption(int entry, bool backwards)
{
    return indexOf(window::nextOption(nameAt(entry), backwards));
}

int WebForm::buttonForEnter(int entry)
{
    return indexOf(&window::buttonForEnter(nameAt(entry)));
}

} // namespace pemtos::web
