// SPDX-License-Identifier: MIT
#include "web/dom.h"

// The functions of pemtos-dom.js, reached through Emscripten's JavaScript library.
// Texts cross as UTF-16 code units with their length, as the page's strings hold them.
extern "C" {
void pemtos_dom_create(int controlClass, const char16_t *name, int nameLength, const char16_t *container,
                       int containerLength, const char16_t *caption, int captionLength, int readingRank,
                       const char16_t *card, int cardLength, int headingLevel, int live, int stack);
void pemtos_dom_place(const char16_t *name, int nameLength, int left, int top, int width, int height);
void pemtos_dom_set_font(const char16_t *name, int nameLength, const char16_t *family, int familyLength, int pixels,
                         int weight);
void pemtos_dom_define_scaled_face(const char16_t *alias, int aliasLength, const char16_t *family, int familyLength,
                                   int percent);
void pemtos_dom_set_colours(const char16_t *name, int nameLength, int back, int fore);
void pemtos_dom_describe(const char16_t *name, int nameLength, const char16_t *label, int labelLength,
                         const char16_t *description, int descriptionLength);
void pemtos_dom_set_picture(const char16_t *name, int nameLength, const char *file, int fileLength, int width,
                            int height, const char16_t *alt, int altLength);
void pemtos_dom_on_click(const char16_t *name, int nameLength, int entry);
void pemtos_dom_add_tab_stop(const char16_t *name, int nameLength);
void pemtos_dom_set_default_button(const char16_t *name, int nameLength);
void pemtos_dom_focus_first();
int pemtos_dom_set_caption(const char16_t *name, int nameLength, const char16_t *text, int textLength);
int pemtos_dom_clear(const char16_t *name, int nameLength);
int pemtos_dom_add_item(const char16_t *name, int nameLength, const char16_t *text, int textLength, int maxRows);
int pemtos_dom_list_index(const char16_t *name, int nameLength);
int pemtos_dom_list_text_length(const char16_t *name, int nameLength, int index);
void pemtos_dom_list_text(const char16_t *name, int nameLength, int index, char16_t *out);
int pemtos_dom_value(const char16_t *name, int nameLength);
void pemtos_dom_report(const char16_t *title, int titleLength, const char16_t *text, int textLength);
}

namespace pemtos::web::dom {
namespace {

// A text as the two arguments the page's functions take.
#define PEMTOS_TEXT(text) (text).data(), static_cast<int>((text).size())

constexpr int kNoRow = -1;
constexpr int kNotAControl = -2;

} // namespace

void create(const window::LayoutEntry &entry, const Placement &placement, int stack)
{
    pemtos_dom_create(static_cast<int>(entry.controlClass), PEMTOS_TEXT(entry.name), PEMTOS_TEXT(entry.container),
                      PEMTOS_TEXT(entry.caption), placement.readingRank, PEMTOS_TEXT(placement.card),
                      placement.headingLevel, placement.live ? 1 : 0, stack);
}

void place(std::u16string_view name, const window::Rect &pixels)
{
    pemtos_dom_place(PEMTOS_TEXT(name), pixels.left, pixels.top, pixels.width, pixels.height);
}

void setFont(std::u16string_view name, std::u16string_view family, int pixels, int weight)
{
    pemtos_dom_set_font(PEMTOS_TEXT(name), PEMTOS_TEXT(family), pixels, weight);
}

void defineScaledFace(std::u16string_view alias, std::u16string_view family, int percent)
{
    pemtos_dom_define_scaled_face(PEMTOS_TEXT(alias), PEMTOS_TEXT(family), percent);
}

void setColours(std::u16string_view name, std::int32_t back, std::int32_t fore)
{
    pemtos_dom_set_colours(PEMTOS_TEXT(name), back, fore);
}

void describe(std::u16string_view name, std::u16string_view accessibleName, std::u16string_view description)
{
    pemtos_dom_describe(PEMTOS_TEXT(name), PEMTOS_TEXT(accessibleName), PEMTOS_TEXT(description));
}

void setPicture(std::u16string_view name, std::string_view file, int width, int height, std::u16string_view alt)
{
    pemtos_dom_set_picture(PEMTOS_TEXT(name), PEMTOS_TEXT(file), width, height, PEMTOS_TEXT(alt));
}

void onClick(std::u16string_view name, int entry)
{
    pemtos_dom_on_click(PEMTOS_TEXT(name), entry);
}

void addTabStop(std::u16string_view name)
{
    pemtos_dom_add_tab_stop(PEMTOS_TEXT(name));
}

void setDefaultButton(std::u16string_view name)
{
    pemtos_dom_set_default_button(PEMTOS_TEXT(name));
}

void focusFirst()
{
    pemtos_dom_focus_first();
}

bool setCaption(std::u16string_view label, std::u16string_view text)
{
    return pemtos_dom_set_caption(PEMTOS_TEXT(label), PEMTOS_TEXT(text)) != 0;
}

bool clear(std::u16string_view list)
{
    return pemtos_dom_clear(PEMTOS_TEXT(list)) != 0;
}

bool addItem(std::u16string_view list, std::u16string_view text)
{
    return pemtos_dom_add_item(PEMTOS_TEXT(list), PEMTOS_TEXT(text), INT16_MAX) != 0;
}

bool listIndex(std::u16string_view list, std::int16_t &index)
{
    const int selected = pemtos_dom_list_index(PEMTOS_TEXT(list));
    if (selected < kNoRow)
        return false;
    index = static_cast<std::int16_t>(selected);
    return true;
}

bool listText(std::u16string_view list, std::int16_t index, std::u16string &text)
{
    const int length = pemtos_dom_list_text_length(PEMTOS_TEXT(list), index);
    if (length < 0)
        return false;
    text.assign(static_cast<std::size_t>(length), u'\0');
    pemtos_dom_list_text(PEMTOS_TEXT(list), index, text.data());
    return true;
}

bool value(std::u16string_view option, bool &checked)
{
    const int state = pemtos_dom_value(PEMTOS_TEXT(option));
    if (state == kNotAControl)
        return false;
    checked = state != 0;
    return true;
}

void report(std::u16string_view title, std::u16string_view text)
{
    pemtos_dom_report(PEMTOS_TEXT(title), PEMTOS_TEXT(text));
}

#undef PEMTOS_TEXT

} // namespace pemtos::web::dom
