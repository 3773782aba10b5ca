// SPDX-License-Identifier: MIT
#include "fake/fakecontrols.h"

#include <stdexcept>

namespace pemtos::fake {

using window::ControlError;
using window::Done;
using window::Operation;
using window::Outcome;
using window::Status;

void FakeControls::addLabel(std::u16string name, std::u16string caption)
{
    m_labels[std::move(name)] = std::move(caption);
}

void FakeControls::addList(std::u16string name, std::vector<std::u16string> rows)
{
    m_lists[std::move(name)] = ListState{std::move(rows), -1};
}

void FakeControls::addOption(std::u16string name, bool selected)
{
    m_options[std::move(name)] = selected;
}

void FakeControls::failOperation(std::size_t n)
{
    if (n == 0)
        throw std::invalid_argument("operations are counted from 1");
    m_failAfter = n - 1;
}

void FakeControls::select(const std::u16string &list, std::int16_t index)
{
    m_lists.at(list).selected = index;
}

void FakeControls::selectOption(const std::u16string &option)
{
    for (auto &[name, selected] : m_options)
        selected = name == option;
}

const std::u16string &FakeControls::caption(const std::u16string &label) const
{
    return m_labels.at(label);
}

const std::vector<std::u16string> &FakeControls::rows(const std::u16string &list) const
{
    return m_lists.at(list).rows;
}

std::int16_t FakeControls::selectedIndex(const std::u16string &list) const
{
    return m_lists.at(list).selected;
}

bool FakeControls::isSelected(const std::u16string &option) const
{
    return m_options.at(option);
}

bool FakeControls::record(Operation operation, std::u16string_view control, std::u16string_view text,
                          std::int16_t index)
{
    m_calls.push_back(Call{operation, std::u16string(control), std::u16string(text), index});
    if (!m_failAfter)
        return false;
    if (*m_failAfter == 0) {
        m_failAfter.reset();
        return true;
    }
    --*m_failAfter;
    return false;
}

Status FakeControls::setCaption(std::u16string_view label, std::u16string_view text)
{
    const auto found = m_labels.find(label);
    if (record(Operation::CaptionSet, label, text) || found == m_labels.end())
        return ControlError{Operation::CaptionSet, std::u16string(label)};
    found->second = text;
    return Done{};
}

Status FakeControls::clear(std::u16string_view list)
{
    const auto found = m_lists.find(list);
    if (record(Operation::Clear, list) || found == m_lists.end())
        return ControlError{Operation::Clear, std::u16string(list)};
    found->second = ListState{};
    return Done{};
}

Status FakeControls::addItem(std::u16string_view list, std::u16string_view text)
{
    const auto found = m_lists.find(list);
    if (record(Operation::AddItem, list, text) || found == m_lists.end())
        return ControlError{Operation::AddItem, std::u16string(list)};
    found->second.rows.emplace_back(text);
    return Done{};
}

Outcome<std::int16_t> FakeControls::listIndex(std::u16string_view list)
{
    const auto found = m_lists.find(list);
    if (record(Operation::ListIndexGet, list) || found == m_lists.end())
        return ControlError{Operation::ListIndexGet, std::u16string(list)};
    return found->second.selected;
}

Outcome<std::u16string> FakeControls::list(std::u16string_view list, std::int16_t index)
{
    const auto found = m_lists.find(list);
    if (record(Operation::ListGet, list, {}, index) || found == m_lists.end() || index < 0 ||
        static_cast<std::size_t>(index) >= found->second.rows.size())
        return ControlError{Operation::ListGet, std::u16string(list)};
    return found->second.rows[static_cast<std::size_t>(index)];
}

Outcome<bool> FakeControls::value(std::u16string_view option)
{
    const auto found = m_options.find(option);
    if (record(Operation::ValueGet, option) || found == m_options.end())
        return ControlError{Operation::ValueGet, std::u16string(option)};
    return found->second;
}

void FakeControls::reportError(const ControlError &error)
{
    m_reported.push_back(error);
}

} // namespace pemtos::fake
