// SPDX-License-Identifier: MIT
// Micro-benchmarks of the lookups behind the two commands, and of whole clicks
// against the recording stand-in for the window.
#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "fake/fakecontrols.h"
#include "window/handlers.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace pemtos;

/// Every species name of every tree form, in table order.
std::vector<std::u16string_view> everySpeciesName()
{
    std::vector<std::u16string_view> names;
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms())
        names.insert(names.end(), form.species.begin(), form.species.end());
    return names;
}

/// Texts that have no note: near misses of real names (one code unit more, one
/// less, another width or kana type) and texts that look like none.
std::vector<std::u16string> misses()
{
    std::vector<std::u16string> texts{u"ｽｷﾞ", u"すぎ", u"杉", u"スギ ", u" スギ", u"Sugi", u"\u3000", u"ヒノキヒノキ"};
    for (std::u16string_view name : everySpeciesName()) {
        texts.emplace_back(name.substr(0, name.size() - 1));
        texts.push_back(std::u16string(name) + u"ノ");
    }
    return texts;
}

void noteForEveryName(benchmark::State &state)
{
    const std::vector<std::u16string_view> names = everySpeciesName();
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        for (std::u16string_view name : names)
            benchmark::DoNotOptimize(catalogue::findSpeciesNote(name));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}
BENCHMARK(noteForEveryName);

void noteForMisses(benchmark::State &state)
{
    const std::vector<std::u16string> texts = misses();
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        for (const std::u16string &text : texts)
            benchmark::DoNotOptimize(catalogue::findSpeciesNote(std::u16string_view(text)));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(noteForMisses);

void noteForNoSelection(benchmark::State &state)
{
    for (auto _ : state) // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        benchmark::DoNotOptimize(catalogue::findSpeciesNote(std::nullopt));
}
BENCHMARK(noteForNoSelection);

void treeFormForEveryOption(benchmark::State &state)
{
    std::vector<std::u16string_view> options;
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms())
        options.push_back(form.option);
    options.emplace_back(u"Picture1"); // a control that selects no tree form
    for (auto _ : state) {             // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        for (std::u16string_view option : options)
            benchmark::DoNotOptimize(catalogue::findTreeFormByOption(option));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(options.size()));
}
BENCHMARK(treeFormForEveryOption);

/// The stand-in as the window opens: empty labels, tree form 1's names, no option.
void openWindow(fake::FakeControls &controls)
{
    controls.addLabel(u"Label2");
    controls.addLabel(u"Label3");
    const auto first = catalogue::treeForms().front().species;
    controls.addList(u"List1", {first.begin(), first.end()});
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms())
        controls.addOption(std::u16string(form.option));
}

/// cmdGo_Click with tree form `state.range(0)` selected (0: none, 1 to 14).
void cmdGoClick(benchmark::State &state)
{
    fake::FakeControls controls;
    openWindow(controls);
    const auto form = static_cast<std::size_t>(state.range(0));
    if (form > 0)
        controls.selectOption(std::u16string(catalogue::treeForms()[form - 1].option));
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        window::cmdGo_Click(controls);
        controls.forgetCalls(); // the record is the stand-in's, not the handler's, cost
    }
    if (form > 0 && controls.rows(u"List1").size() != catalogue::treeForms()[form - 1].species.size())
        state.SkipWithError("the list does not hold the tree form's species");
}
BENCHMARK(cmdGoClick)->Arg(0)->Arg(1)->Arg(2)->Arg(14);

/// command1_Click with row `state.range(0)` of tree form 1's names selected (-1: none).
void command1Click(benchmark::State &state)
{
    fake::FakeControls controls;
    openWindow(controls);
    const auto row = static_cast<std::int16_t>(state.range(0));
    controls.select(u"List1", row);
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        window::command1_Click(controls);
        controls.forgetCalls();
    }
    if (!controls.reportedErrors().empty())
        state.SkipWithError("the click reported an error");
}
BENCHMARK(command1Click)->Arg(-1)->Arg(0)->Arg(11);

/// A whole lookup as the user makes it: pick a form, press cmdGo, pick each name
/// in turn and press Command1, for all fourteen forms.
void everyFormAndNote(benchmark::State &state)
{
    fake::FakeControls controls;
    openWindow(controls);
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
            controls.selectOption(std::u16string(form.option));
            window::cmdGo_Click(controls);
            for (std::size_t row = 0; row < form.species.size(); ++row) {
                controls.select(u"List1", static_cast<std::int16_t>(row));
                window::command1_Click(controls);
            }
            controls.forgetCalls();
        }
    }
    if (!controls.reportedErrors().empty())
        state.SkipWithError("a click reported an error");
}
BENCHMARK(everyFormAndNote);

} // namespace

BENCHMARK_MAIN();
