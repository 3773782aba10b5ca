// SPDX-License-Identifier: MIT
// The functions dom.cpp calls, handed on to the page code in pemtos-page.js.
// Each text arrives as the address of two 32-bit words: where its code units are
// and how many (Utf16 in dom.cpp).
mergeInto(LibraryManager.library, {
  pemtos_dom_create: function (cls, name, container, caption, rank, card, heading, stack) {
    pemtosPage.create(cls, pemtosText(name), pemtosText(container), pemtosText(caption), rank, pemtosText(card),
                      heading, stack);
  },
  pemtos_dom_place: function (name, left, top, width, height) {
    pemtosPage.place(pemtosText(name), left, top, width, height);
  },
  pemtos_dom_set_font: function (name, family, pixels, weight) {
    pemtosPage.setFont(pemtosText(name), pemtosText(family), pixels, weight);
  },
  pemtos_dom_define_scaled_face: function (alias, family, percent) {
    pemtosPage.defineScaledFace(pemtosText(alias), pemtosText(family), percent);
  },
  pemtos_dom_set_colours: function (name, back, fore) {
    pemtosPage.setColours(pemtosText(name), back, fore);
  },
  pemtos_dom_describe: function (name, label, description) {
    pemtosPage.describe(pemtosText(name), pemtosText(label), pemtosText(description));
  },
  pemtos_dom_set_picture: function (name, file, width, height, alt) {
    pemtosPage.setPicture(pemtosText(name), pemtosLatin1(file), width, height, pemtosText(alt));
  },
  pemtos_dom_on_click: function (name, entry, result, lookup) {
    pemtosPage.onClick(pemtosText(name), entry, pemtosText(result), lookup);
  },
  pemtos_dom_announce: function (text) {
    pemtosPage.announce(pemtosText(text));
  },
  pemtos_dom_describe_option: function (option, position, count, description, address) {
    pemtosPage.describeOption(pemtosText(option), position, count, pemtosText(description), pemtosText(address));
  },
  pemtos_dom_caption_length: function (name) {
    var text = pemtosPage.caption(pemtosText(name));
    return text === null ? -1 : text.length;
  },
  pemtos_dom_caption: function (name, out) {
    var text = pemtosPage.caption(pemtosText(name));
    for (var i = 0; i < text.length; ++i)
      HEAPU16[(out >> 1) + i] = text.charCodeAt(i);
  },
  pemtos_dom_row_count: function (name) {
    return pemtosPage.rowCount(pemtosText(name));
  },
  pemtos_dom_focus_first: function (name) {
    pemtosPage.focusFirst(pemtosText(name));
  },
  pemtos_dom_set_caption: function (name, text) {
    return pemtosPage.setCaption(pemtosText(name), pemtosText(text)) ? 1 : 0;
  },
  pemtos_dom_clear: function (name) {
    return pemtosPage.clear(pemtosText(name)) ? 1 : 0;
  },
  pemtos_dom_add_item: function (name, text, maxRows) {
    return pemtosPage.addItem(pemtosText(name), pemtosText(text), maxRows) ? 1 : 0;
  },
  pemtos_dom_list_index: function (name) {
    return pemtosPage.listIndex(pemtosText(name));
  },
  pemtos_dom_list_text_length: function (name, index) {
    var text = pemtosPage.listText(pemtosText(name), index);
    return text === null ? -1 : text.length;
  },
  pemtos_dom_list_text: function (name, index, out) {
    var text = pemtosPage.listText(pemtosText(name), index);
    for (var i = 0; i < text.length; ++i)
      HEAPU16[(out >> 1) + i] = text.charCodeAt(i);
  },
  pemtos_dom_value: function (name) {
    return pemtosPage.value(pemtosText(name));
  },
  pemtos_dom_report: function (title, text) {
    pemtosPage.report(pemtosText(title), pemtosText(text));
  },
});
