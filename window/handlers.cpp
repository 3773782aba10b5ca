// SPDX-License-Identifier: MIT
#include "window/handlers.h"

#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"

#include <optional>
#include <string>

namespace pemtos::window {
namespace {

constexpr std::u16string_view kDescriptionLabel = u"Label2";
constexpr std::u16string_view kNoteLabel = u"Label3";
constexpr std::u16string_view kSpeciesList = u"List1";
constexpr std::int16_t kNoRowSelected = -1;

} // namespace

bool writesCaption(std::u16string_view control)
{
    return control == kDescriptionLabel || control == kNoteLabel;
}

// NOLINTBEGIN(readability-identifier-naming)

void cmdGo_Click(Controls &controls)
{
    if (!succeeded(controls, controls.setCaption(kDescriptionLabel, kBlankCaption)))
        return;
    if (!succeeded(controls, controls.setCaption(kNoteLabel, kBlankCaption)))
        return;
    if (!succeeded(controls, controls.clear(kSpeciesList)))
        return;

    for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
        const auto selected = controls.value(form.option);
        if (!succeeded(controls, selected))
            return;
        if (!selected.value())
            continue;

        if (!succeeded(controls, controls.setCaption(kDescriptionLabel, form.description)))
            return;
        for (std::u16string_view name : form.species) {
            if (!succeeded(controls, controls.addItem(kSpeciesList, name)))
                return;
        }
        return;
    }
}

void command1_Click(Controls &controls)
{
    std::optional<std::u16string> selection;

    const auto index = controls.listIndex(kSpeciesList);
    if (!succeeded(controls, index))
        return;
    if (index.value() != kNoRowSelected) {
        // The row is read through a second index read, as the list's own
        // selection is the one source of truth for which row is meant.
        const auto again = controls.listIndex(kSpeciesList);
        if (!succeeded(controls, again))
            return;
        const auto row = controls.list(kSpeciesList, again.value());
        if (!succeeded(controls, row))
            return;
        selection = row.value();
    }

    const std::optional<std::u16string_view> note =
        catalogue::findSpeciesNote(selection ? std::optional<std::u16string_view>(*selection) : std::nullopt);
    if (!note)
        return;
    // The result is not needed: a failure has been reported and there is nothing left to do.
    (void)succeeded(controls, controls.setCaption(kNoteLabel, *note));
}

// NOLINTEND(readability-identifier-naming)

} // namespace pemtos::window
