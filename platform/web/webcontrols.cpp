// SPDX-License-Identifier: MIT
#include "web/webcontrols.h"

#include "web/dom.h"

namespace pemtos::web {
namespace {

window::ControlError failure(window::Operation operation, std::u16string_view control)
{
    return window::ControlError{operation, std::u16string(control)};
}

} // namespace

void WebControls::failOperation(int n)
{
    m_failCountdown = n;
}

bool WebControls::failsNow()
{
    return m_failCountdown > 0 && --m_failCountdown == 0;
}

window::Status WebControls::setCaption(std::u16string_view label, std::u16string_view text)
{
    if (failsNow() || !dom::setCaption(label, text))
        return failure(window::Operation::CaptionSet, label);
    return window::Done{};
}

window::Status WebControls::clear(std::u16string_view list)
{
    if (failsNow() || !dom::clear(list))
        return failure(window::Operation::Clear, list);
    return window::Done{};
}

window::Status WebControls::addItem(std::u16string_view list, std::u16string_view text)
{
    if (failsNow() || !dom::addItem(list, text))
        return failure(window::Operation::AddItem, list);
    return window::Done{};
}

window::Outcome<std::int16_t> WebControls::listIndex(std::u16string_view list)
{
    std::int16_t index = -1;
    if (failsNow() || !dom::listIndex(list, index))
        return failure(window::Operation::ListIndexGet, list);
    return index;
}

window::Outcome<std::u16string> WebControls::list(std::u16string_view list, std::int16_t index)
{
    std::u16string text;
    if (failsNow() || !dom::listText(list, index, text))
        return failure(window::Operation::ListGet, list);
    return text;
}

window::Outcome<bool> WebControls::value(std::u16string_view option)
{
    bool checked = false;
    if (failsNow() || !dom::value(option, checked))
        return failure(window::Operation::ValueGet, option);
    return checked;
}

void WebControls::reportError(const window::ControlError &error)
{
    ++m_errorsReported;
    dom::report(window::errorReportTitle(), window::errorReportText(error));
}

} // namespace pemtos::web
