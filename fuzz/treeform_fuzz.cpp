// SPDX-License-Identifier: MIT
// The tree-form lookup by option name against a plain walk of the tree-form
// table: for any text both give the same record, or both none, and nothing crashes.
#include "catalogue/treeform.h"
#include "fuzzinput.h"

#include <cstddef>
#include <cstdint>

namespace {

using pemtos::catalogue::TreeFormCategory;

/// Records in order, the first whose option has exactly these units.
const TreeFormCategory *walk(std::u16string_view option)
{
    for (const TreeFormCategory &form : pemtos::catalogue::treeForms()) {
        if (form.option.size() != option.size())
            continue;
        std::size_t same = 0;
        while (same < option.size() && form.option[same] == option[same])
            ++same;
        if (same == option.size())
            return &form;
    }
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::u16string option = pemtos::fuzz::unitsOf(data, size);
    const TreeFormCategory *found = pemtos::catalogue::findTreeFormByOption(option);
    const TreeFormCategory *expected = walk(option);
    if (found != expected)
        pemtos::fuzz::mismatch(expected == nullptr ? "a record for no option" : "not the option's own record", option);
    return 0;
}
