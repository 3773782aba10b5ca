// SPDX-License-Identifier: MIT
// Prints, as JSON, what the browser tests expect the page to show: the tree forms
// with their descriptions and species, the species notes, the designed rectangle of
// every control, and the texts of the page's error report. Run with node.
#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "window/controlerror.h"
#include "window/handlers.h"
#include "window/layout.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

using namespace pemtos;

/// `text` as a JSON string: UTF-8, quotes, backslashes and controls escaped.
std::string json(std::u16string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            constexpr std::string_view kHex = "0123456789abcdef";
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out + "\"";
}

} // namespace

int main()
{
    std::string out = "{\"forms\": [";
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
        out += form.number == 1 ? "\n" : ",\n";
        out +=
            "{\"option\": " + json(form.option) + ", \"description\": " + json(form.description) + ", \"species\": [";
        for (std::size_t i = 0; i < form.species.size(); ++i)
            out += (i == 0 ? "" : ", ") + json(form.species[i]);
        out += "]}";
    }
    out += "],\n\"notes\": {";
    bool first = true;
    for (const catalogue::SpeciesNote &note : catalogue::speciesNotes()) {
        out += (first ? "\n" : ",\n") + json(note.name) + ": " + json(note.note);
        first = false;
    }
    out += "},\n\"controls\": [";
    first = true;
    for (const window::LayoutEntry &entry : window::layout()) {
        const window::Rect rect = window::toPixels(window::windowRectTwips(entry));
        out += (first ? "\n" : ",\n") + std::string("{\"name\": ") + json(entry.name) +
               ", \"class\": " + std::to_string(static_cast<int>(entry.controlClass)) + ", \"rect\": [" +
               std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " + std::to_string(rect.width) + ", " +
               std::to_string(rect.height) + "]}";
        first = false;
    }
    out += "],\n\"blank\": " + json(window::kBlankCaption);
    out += ",\n\"errorTitle\": " + json(window::errorReportTitle());
    out += ",\n\"clearFailure\": " + json(window::errorReportText({window::Operation::Clear, u"List1"}));
    out += ",\n\"listIndexFailure\": " + json(window::errorReportText({window::Operation::ListIndexGet, u"List1"}));
    out += "}\n";
    return std::fputs(out.c_str(), stdout) < 0 ? 1 : 0;
}
