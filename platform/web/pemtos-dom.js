// SPDX-License-Identifier: MIT
// The functions dom.cpp calls, handed on to the page code in pemtos-page.js.
// Texts arrive as a pointer to UTF-16 code units and their count.
mergeInto(LibraryManager.library, {
  pemtos_dom_create: function (cls, name, nameLength, container, containerLength, caption, captionLength,
                               rank, card, cardLength, heading, live, stack) {
    pemtosPage.create(cls, pemtosText(name, nameLength), pemtosText(container, containerLength),
                      pemtosText(caption, captionLength), rank, pemtosText(card, cardLength), heading, live !== 0,
                      stack);
  },
  pemtos_dom_place: function (name, nameLength, left, top, width, height) {
    pemtosPage.place(pemtosText(name, nameLength), left, top, width, height);
  },
  pemtos_dom_set_font: function (name, nameLength, family, familyLength, pixels, weight) {
    pemtosPage.setFont(pemtosText(name, nameLength), pemtosText(family, familyLength), pixels, weight);
  },
  pemtos_dom_define_scaled_face: function (alias, aliasLength, family, familyLength, percent) {
    pemtosPage.defineScaledFace(pemtosText(alias, aliasLength), pemtosText(family, familyLength), percent);
  },
  pemtos_dom_set_colours: function (name, nameLength, back, fore) {
    pemtosPage.setColours(pemtosText(name, nameLength), back, fore);
  },
  pemtos_dom_describe: function (name, nameLength, label, labelLength, description, descriptionLength) {
    pemtosPage.describe(pemtosText(name, nameLength), pemtosText(label, labelLength),
                        pemtosText(description, descriptionLength));
  },
  pemtos_dom_set_picture: function (name, nameLength, file, fileLength, width, height, alt, altLength) {
    pemtosPage.setPicture(pemtosText(name, nameLength), pemtosLatin1(file, fileLength), width, height,
                          pemtosText(alt, altLength));
  },
  pemtos_dom_on_click: function (name, nameLength, entry) {
    pemtosPage.onClick(pemtosText(name, nameLength), function () { Module['_pemtos_click'](entry); });
  },
  pemtos_dom_add_tab_stop: function (name, nameLength) {
    pemtosPage.addTabStop(pemtosText(name, nameLength));
  },
  pemtos_dom_set_default_button: function (name, nameLength) {
    pemtosPage.setDefaultButton(pemtosText(name, nameLength));
  },
  pemtos_dom_focus_first: function () {
    pemtosPage.focusFirst();
  },
  pemtos_dom_set_caption: function (name, nameLength, text, textLength) {
    return pemtosPage.setCaption(pemtosText(name, nameLength), pemtosText(text, textLength)) ? 1 : 0;
  },
  pemtos_dom_clear: function (name, nameLength) {
    return pemtosPage.clear(pemtosText(name, nameLength)) ? 1 : 0;
  },
  pemtos_dom_add_item: function (name, nameLength, text, textLength, maxRows) {
    return pemtosPage.addItem(pemtosText(name, nameLength), pemtosText(text, textLength), maxRows) ? 1 : 0;
  },
  pemtos_dom_list_index: function (name, nameLength) {
    return pemtosPage.listIndex(pemtosText(name, nameLength));
  },
  pemtos_dom_list_text_length: function (name, nameLength, index) {
    var text = pemtosPage.listText(pemtosText(name, nameLength), index);
    return text === null ? -1 : text.length;
  },
  pemtos_dom_list_text: function (name, nameLength, index, out) {
    var text = pemtosPage.listText(pemtosText(name, nameLength), index);
    for (var i = 0; i < text.length; ++i)
      HEAPU16[(out >> 1) + i] = text.charCodeAt(i);
  },
  pemtos_dom_value: function (name, nameLength) {
    return pemtosPage.value(pemtosText(name, nameLength));
  },
  pemtos_dom_report: function (title, titleLength, text, textLength) {
    pemtosPage.report(pemtosText(title, titleLength), pemtosText(text, textLength));
  },
});
