// SPDX-License-Identifier: MIT
#include "window/speech.h"

#include "catalogue/treeform.h"
#include "window/handlers.h"
#include "window/illustrations.h"

namespace pemtos::window {
namespace {

/// The height group as spoken: the heading's words without its dashes and spaces.
std::u16string_view spokenGroup(catalogue::HeightClass heightClass)
{
    return heightClass == catalogue::HeightClass::Tall ? u"高木" : u"中低木";
}

const Illustration *drawingOf(std::u16string_view option)
{
    for (const Illustration &drawing : illustrations()) {
        if (drawing.option == option)
            return &drawing;
    }
    return nullptr;
}

std::u16string decimal(int value)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    return digits;
}

} // namespace

int optionPosition(std::u16string_view option)
{
    const catalogue::TreeFormCategory *form = catalogue::findTreeFormByOption(option);
    return form == nullptr ? 0 : form->number;
}

std::u16string_view optionGroup(std::u16string_view option)
{
    const catalogue::TreeFormCategory *form = catalogue::findTreeFormByOption(option);
    return form == nullptr ? std::u16string_view() : spokenGroup(form->heightClass);
}

std::u16string optionDescription(std::u16string_view option)
{
    const std::u16string_view group = optionGroup(option);
    if (group.empty())
        return {};
    std::u16string text(group);
    text += u"。";
    if (const Illustration *drawing = drawingOf(option))
        text += drawing->description;
    return text;
}

std::u16string treeFormAnnouncement(std::u16string_view description, int speciesCount)
{
    // The command blanks the description first and leaves it blank when no form is chosen.
    if (description.empty() || description == kBlankCaption)
        return u"樹形が選ばれていません。樹木の一覧は空です。";
    std::u16string text(description);
    text += u"　樹木の一覧は";
    text += decimal(speciesCount);
    text += u"種です。";
    return text;
}

std::u16string speciesNoteAnnouncement(std::u16string_view note, bool rowSelected)
{
    if (!note.empty() && note != kBlankCaption)
        return std::u16string(note);
    return rowSelected ? u"この樹木の特徴は登録されていません。" : u"樹木が選ばれていません。";
}

} // namespace pemtos::window
