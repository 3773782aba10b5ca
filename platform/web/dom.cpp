// SPDX-License-Identifier: MIT
#include "web/dom.h"

namespace pemtos::web::dom {
namespace {

/// A text as the page's functions take it: where its code units are and how many.
/// UTF-16, as the page's strings hold it; an ASCII file name goes as bytes.
struct Utf16 {
    const void *data;
    int length;
};
static_assert(sizeof(Utf16) == 8, "read by pemtos-dom.js as two 32-bit words");

/// A text handed to one call: converts to the pointer the call takes, valid while the call runs.
class Utf16Arg {
public:
    explicit Utf16Arg(std::u16string_view view) : m_text{view.data(), static_cast<int>(view.size())} {}
    explicit Utf16Arg(std::string_view view) : m_text{view.data(), static_cast<int>(view.size())} {}
    operator const Utf16 *() const { return &m_text; } // NOLINT(google-explicit-constructor)

private:
    Utf16 m_text;
};

} // namespace
} // namespace pemtos::web::dom

using pemtos::web::dom::Utf16;

// The functions of pemtos-dom.js, reached through Emscripten's JavaScript library,
// under the names it gives them.
// NOLINTBEGIN(readability-identifier-naming)
extern "C" {
void pemtos_dom_create(int controlClass, const Utf16 *name, const Utf16 *container, const Utf16 *caption,
                       int readingRank, const Utf16 *card, int headingLevel, int stack);
void pemtos_dom_place(const Utf16 *name, int left, int top, int width, int height);
void pemtos_dom_set_font(const Utf16 *name, const Utf16 *family, int pixels, int weight);
void pemtos_dom_define_scaled_face(const Utf16 *alias, const Utf16 *family, int percent);
void pemtos_dom_set_colours(const Utf16 *name, int back, int fore);
void pemtos_dom_describe(const Utf16 *name, const Utf16 *label, const Utf16 *description);
void pemtos_dom_set_picture(const Utf16 *name, const Utf16 *file, int width, int height, const Utf16 *alt);
void pemtos_dom_on_click(const Utf16 *name, int entry, const Utf16 *result, int lookup);
void pemtos_dom_announce(const Utf16 *text);
void pemtos_dom_describe_option(const Utf16 *option, int position, int count, const Utf16 *description,
                                const Utf16 *address);
int pemtos_dom_caption_length(const Utf16 *label);
void pemtos_dom_caption(const Utf16 *label, char16_t *out);
int pemtos_dom_row_count(const Utf16 *list);
void pemtos_dom_focus_first(const Utf16 *name);
int pemtos_dom_set_caption(const Utf16 *name, const Utf16 *text);
int pemtos_dom_clear(const Utf16 *name);
int pemtos_dom_add_item(const Utf16 *name, const Utf16 *text, int maxRows);
int pemtos_dom_list_index(const Utf16 *name);
int pemtos_dom_list_text_length(const Utf16 *name, int index);
void pemtos_dom_list_text(const Utf16 *name, int index, char16_t *out);
int pemtos_dom_value(const Utf16 *name);
void pemtos_dom_report(const Utf16 *title, const Utf16 *text);
}
// NOLINTEND(readability-identifier-naming)

namespace pemtos::web::dom {
namespace {

constexpr int kNoRow = -1;
constexpr int kNotAControl = -2;

} // namespace

void create(const window::LayoutEntry &entry, const Placement &placement, int stack)
{
    pemtos_dom_create(static_cast<int>(entry.controlClass), Utf16Arg(entry.name), Utf16Arg(entry.container),
                      Utf16Arg(entry.caption), placement.readingRank, Utf16Arg(placement.card), placement.headingLevel,
                      stack);
}

void place(std::u16string_view name, const window::Rect &pixels)
{
    pemtos_dom_place(Utf16Arg(name), pixels.left, pixels.top, pixels.width, pixels.height);
}

void setFont(std::u16string_view name, std::u16string_view family, int pixels, int weight)
{
    pemtos_dom_set_font(Utf16Arg(name), Utf16Arg(family), pixels, weight);
}

void defineScaledFace(std::u16string_view alias, std::u16string_view family, int percent)
{
    pemtos_dom_define_scaled_face(Utf16Arg(alias), Utf16Arg(family), percent);
}

void setColours(std::u16string_view name, std::int32_t back, std::int32_t fore)
{
    pemtos_dom_set_colours(Utf16Arg(name), back, fore);
}

void describe(std::u16string_view name, std::u16string_view accessibleName, std::u16string_view description)
{
    pemtos_dom_describe(Utf16Arg(name), Utf16Arg(accessibleName), Utf16Arg(description));
}

void setPicture(std::u16string_view name, std::string_view file, int width, int height, std::u16string_view alt)
{
    pemtos_dom_set_picture(Utf16Arg(name), Utf16Arg(file), width, height, Utf16Arg(alt));
}

void onClick(std::u16string_view name, int entry, std::u16string_view result, Lookup lookup)
{
    pemtos_dom_on_click(Utf16Arg(name), entry, Utf16Arg(result), static_cast<int>(lookup));
}

void announce(std::u16string_view text)
{
    pemtos_dom_announce(Utf16Arg(text));
}

void describeOption(std::u16string_view option, int position, int count, std::u16string_view description,
                    std::u16string_view address)
{
    pemtos_dom_describe_option(Utf16Arg(option), position, count, Utf16Arg(description), Utf16Arg(address));
}

void focusFirst(std::u16string_view name)
{
    pemtos_dom_focus_first(Utf16Arg(name));
}

bool setCaption(std::u16string_view label, std::u16string_view text)
{
    return pemtos_dom_set_caption(Utf16Arg(label), Utf16Arg(text)) != 0;
}

bool clear(std::u16string_view list)
{
    return pemtos_dom_clear(Utf16Arg(list)) != 0;
}

bool addItem(std::u16string_view list, std::u16string_view text)
{
    return pemtos_dom_add_item(Utf16Arg(list), Utf16Arg(text), INT16_MAX) != 0;
}

bool listIndex(std::u16string_view list, std::int16_t &index)
{
    const int selected = pemtos_dom_list_index(Utf16Arg(list));
    if (selected < kNoRow)
        return false;
    index = static_cast<std::int16_t>(selected);
    return true;
}

bool listText(std::u16string_view list, std::int16_t index, std::u16string &text)
{
    const int length = pemtos_dom_list_text_length(Utf16Arg(list), index);
    if (length < 0)
        return false;
    text.assign(static_cast<std::size_t>(length), u'\0');
    pemtos_dom_list_text(Utf16Arg(list), index, text.data());
    return true;
}

bool value(std::u16string_view option, bool &checked)
{
    const int state = pemtos_dom_value(Utf16Arg(option));
    if (state == kNotAControl)
        return false;
    checked = state != 0;
    return true;
}

bool caption(std::u16string_view label, std::u16string &text)
{
    const int length = pemtos_dom_caption_length(Utf16Arg(label));
    if (length < 0)
        return false;
    text.assign(static_cast<std::size_t>(length), u'\0');
    pemtos_dom_caption(Utf16Arg(label), text.data());
    return true;
}

int rowCount(std::u16string_view list)
{
    return pemtos_dom_row_count(Utf16Arg(list));
}

void report(std::u16string_view title, std::u16string_view text)
{
    pemtos_dom_report(Utf16Arg(title), Utf16Arg(text));
}

} // namespace pemtos::web::dom
