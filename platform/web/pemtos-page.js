// SPDX-License-Identifier: MIT
// The page code of the web backend: the elements of the window's controls, their
// keyboard, the list box and the error report. The C++ side decides what each
// control is, where it goes and what it shows; this file only knows the DOM.
// The same module builds the window twice: at build time under Node.js, where the
// elements it makes are written into index.html (prerender.js), and in the browser,
// where it finds those elements by design name and attaches to them.

/** The text a Utf16 of dom.cpp at `argument` stands for: UTF-16 code units in the module's memory. */
function pemtosText(argument) {
  var pointer = HEAPU32[argument >> 2], length = HEAP32[(argument >> 2) + 1];
  var text = '';
  var start = pointer >> 1;
  for (var done = 0; done < length; done += 4096)
    text += String.fromCharCode.apply(null, HEAPU16.subarray(start + done, start + Math.min(length, done + 4096)));
  return text;
}

/** The ASCII text a Utf16 of dom.cpp at `argument` stands for, one byte a character. */
function pemtosLatin1(argument) {
  var pointer = HEAPU32[argument >> 2], length = HEAP32[(argument >> 2) + 1];
  return String.fromCharCode.apply(null, HEAPU8.subarray(pointer, pointer + length));
}

var pemtosPage = (function () {
  'use strict';

  // The control classes, numbered as window::ControlClass.
  var FORM = 0, FRAME = 1, COMMAND_BUTTON = 2, LABEL = 3, LIST_BOX = 4, OPTION_BUTTON = 5, PICTURE_BOX = 6, IMAGE = 7;
  // Where the designed window is shown: index.html's own script says, before the first frame.
  var WIDE = pemtosWide;

  // design name -> {cls, entry (its row of the layout table), element (what takes the
  // focus and the id), box (what is placed)}
  var controls = new Map();
  var byEntry = [];
  var rowCount = 0;
  var errorReport = null;
  // True while the module walks the layout table over a window the page already holds.
  var attaching = false;
  var form = null;

  function control(name, cls) {
    var entry = controls.get(name);
    return entry !== undefined && entry.cls === cls ? entry : null;
  }

  /** Inserts `child` among the children of `parent` by its reading rank. */
  function insertByRank(parent, child, rank) {
    child.dataset.rank = String(rank);
    var after = Array.prototype.find.call(parent.children, function (sibling) {
      return sibling.dataset.rank !== undefined && Number(sibling.dataset.rank) > rank;
    });
    parent.insertBefore(child, after || null);
  }

  /** The card that shows the option `option` beside its drawing. */
  function cardOf(parent, option, rank) {
    var card = Array.prototype.find.call(parent.children, function (child) {
      return child.className === 'card' && child.dataset.option === option;
    });
    if (card === undefined) {
      card = document.createElement('div');
      card.className = 'card';
      card.dataset.option = option;
      insertByRank(parent, card, rank);
    }
    return card;
  }

  function makeElements(cls, name, container, caption, heading) {
    var element, box;
    switch (cls) {
    case FORM:
      element = box = document.createElement('main');
      document.title = caption;
      break;
    case FRAME: {
      element = box = document.createElement('div');
      box.setAttribute('role', 'radiogroup');
      var title = document.createElement('div');
      title.className = 'frame-caption';
      title.id = name + '-caption';
      title.textContent = caption;
      box.appendChild(title);
      box.setAttribute('aria-labelledby', title.id);
      break;
    }
    case COMMAND_BUTTON:
      element = box = document.createElement('button');
      element.type = 'button';
      element.textContent = caption;
      break;
    case LABEL:
      element = box = document.createElement(heading > 0 ? 'h' + heading : 'div');
      element.textContent = caption;
      break;
    case LIST_BOX:
      element = box = document.createElement('div');
      element.setAttribute('role', 'listbox');
      element.tabIndex = 0;
      element.addEventListener('keydown', listKey);
      element.addEventListener('click', listClick);
      break;
    case OPTION_BUTTON: {
      box = document.createElement('label');
      element = document.createElement('input');
      element.type = 'radio';
      element.name = container; // options that share a container are one group
      element.addEventListener('keydown', optionKey);
      var text = document.createElement('span');
      text.textContent = caption;
      box.appendChild(element);
      box.appendChild(text);
      break;
    }
    default:
      element = box = document.createElement('div');
      // Shown to screen readers only through the drawing's own description, if any.
      element.setAttribute('aria-hidden', 'true');
      // A picture box takes the focus from Tab in the designed layout, as on the
      // desktop; the one-column layout leaves it out.
      if (cls === PICTURE_BOX)
        element.tabIndex = -1;
      break;
    }
    element.id = name;
    box.classList.add(['form', 'frame', 'command', 'label', 'list', 'option', 'picture', 'image'][cls]);
    return {cls: cls, element: element, box: box};
  }

  /** The elements index.html holds for the control `name`, with their handlers. */
  function attachElements(cls, element) {
    if (cls === LIST_BOX) {
      element.addEventListener('keydown', listKey);
      element.addEventListener('click', listClick);
    } else if (cls === OPTION_BUTTON) {
      element.addEventListener('keydown', optionKey);
    }
    return {cls: cls, element: element, box: cls === OPTION_BUTTON ? element.parentNode : element};
  }

  function create(cls, name, container, caption, rank, card, heading, stack) {
    var written = document.getElementById(name);
    if (cls === FORM)
      attaching = written !== null;
    var entry = attaching ? attachElements(cls, written) : makeElements(cls, name, container, caption, heading);
    entry.container = container;
    if (cls === FORM)
      form = entry;
    if (attaching) {
      entry.entry = stack;
      controls.set(name, entry);
      byEntry[stack] = entry;
      return;
    }
    // The layout table lists controls from the bottom of the stack up: the row is the stacking order.
    entry.entry = stack;
    entry.box.style.setProperty('--stack', String(stack));
    controls.set(name, entry);
    byEntry[stack] = entry;
    if (cls === FORM) {
      // Busy until the page code has attached to it: written so into index.html.
      entry.box.setAttribute('aria-busy', 'true');
      document.body.appendChild(entry.box);
      document.body.appendChild(announcer);
      return;
    }
    var parent = controls.get(container).box;
    if (card !== '') {
      var holder = cardOf(parent, card, rank);
      if (cls === OPTION_BUTTON)
        holder.insertBefore(entry.box, holder.firstChild);
      else
        holder.appendChild(entry.box);
    } else {
      insertByRank(parent, entry.box, rank);
    }
  }

  function place(name, left, top, width, height) {
    if (attaching)
      return;
    var style = controls.get(name).box.style;
    style.setProperty('--left', left + 'px');
    style.setProperty('--top', top + 'px');
    style.setProperty('--width', width + 'px');
    style.setProperty('--height', height + 'px');
  }

  /** The font chain the control's box inherits from the controls that hold it. */
  function inheritedFamily(entry) {
    for (var up = controls.get(entry.container); up !== undefined; up = controls.get(up.container)) {
      if (up.family !== undefined)
        return up.family;
    }
    return undefined;
  }

  function setFont(name, family, pixels, weight) {
    if (attaching)
      return;
    var entry = controls.get(name);
    // A frame's font is its caption's; what it holds keeps the default font.
    var target = entry.cls === FRAME ? entry.box.firstChild : entry.box;
    // Written only where it is not what the control inherits: a shorter page to send.
    if (entry.cls !== FRAME)
      entry.family = family;
    if (family !== inheritedFamily(entry))
      target.style.fontFamily = family;
    target.style.setProperty('--font-size', pixels + 'px');
    target.style.fontWeight = String(weight);
  }

  var scaledFaces = new Set();

  function defineScaledFace(alias, family, percent) {
    if (attaching || scaledFaces.has(alias) || typeof FontFace === 'undefined')
      return;
    scaledFaces.add(alias);
    // local() matches a face's full or PostScript name, which for a regular face
    // usually adds "Regular" to the family name.
    var names = [family, family + ' Regular', family.replace(/ /g, '') + '-Regular'];
    var face = new FontFace(alias, names.map(function (name) { return 'local("' + name + '")'; }).join(', '),
                            {sizeAdjust: percent + '%'});
    document.fonts.add(face);
    face.load().catch(function () {}); // not installed here: the chain goes on to the next face
  }

  function cssColour(rgb) {
    return '#' + (0x1000000 + rgb).toString(16).slice(1);
  }

  function setColours(name, back, fore) {
    if (attaching)
      return;
    var entry = controls.get(name);
    if (back >= 0) {
      entry.box.style.backgroundColor = cssColour(back);
      if (entry.cls === FORM) {
        document.body.style.backgroundColor = cssColour(back);
        document.querySelector('meta[name="theme-color"]').content = cssColour(back);
      }
      if (entry.cls === FRAME)
        entry.box.firstChild.style.backgroundColor = cssColour(back);
    }
    if (fore >= 0)
      entry.box.style.color = cssColour(fore);
  }

  function describe(name, label, description) {
    var entry = controls.get(name);
    if (attaching || entry.cls === PICTURE_BOX || entry.cls === IMAGE)
      return; // a drawing is described by its image's text; an empty control is not shown to screen readers
    var element = entry.element;
    if (label !== '')
      element.setAttribute('aria-label', label);
    if (description !== '')
      element.setAttribute('aria-description', description);
  }

  function setPicture(name, file, width, height, alt) {
    if (attaching)
      return;
    controls.get(name).box.removeAttribute('aria-hidden');
    var image = document.createElement('img');
    image.src = 'art/' + file + '.png';
    image.srcset = 'art/' + file + '.png 1x, art/' + file + '@2x.png 2x';
    image.width = width;
    image.height = height;
    image.alt = alt;
    image.draggable = false;
    controls.get(name).box.appendChild(image);
  }

  function describeOption(name, position, count, description, address) {
    if (attaching)
      return;
    var element = controls.get(name).element;
    element.dataset.address = address;
    element.setAttribute('aria-posinset', String(position));
    element.setAttribute('aria-setsize', String(count));
    element.setAttribute('aria-description', description);
  }

  var reducedMotion = window.matchMedia('(prefers-reduced-motion: reduce)');

  /** Brings the label `name` into view unless it is already whole on screen. */
  function showResult(name) {
    var entry = controls.get(name);
    if (designed() || entry === undefined)
      return;
    var box = entry.box.getBoundingClientRect();
    if (box.top >= 0 && box.bottom <= window.innerHeight)
      return;
    entry.box.scrollIntoView({block: 'start', behavior: reducedMotion.matches ? 'auto' : 'smooth'});
  }

  function onClick(name, entry, result, lookup) {
    controls.get(name).element.addEventListener('click', function () {
      Module['_pemtos_click'](entry);
      if (result !== '')
        showResult(result);
      if (lookup !== NO_LOOKUP)
        record(lookup);
    });
    if (lookup !== NO_LOOKUP)
      commands[lookup] = entry;
  }

  // -- The lookup in the page's address ---------------------------------------
  // "#高木=卵円形" after a tree-form lookup, "#高木=卵円形&樹木=プラタナス" after the
  // species note too: readable, and a link that opens the page on that lookup. Each
  // lookup is a step of the history, which Back and Forward walk.

  var NO_LOOKUP = 0, TREE_FORM = 1, SPECIES = 2; // as dom::Lookup
  var SPECIES_KEY = '樹木=';
  var commands = [];
  var shown = {form: '', species: ''};

  function addressOf(lookup) {
    var parts = [];
    if (lookup.form !== '')
      parts.push(encodeURI(lookup.form));
    if (lookup.species !== '')
      parts.push(encodeURI(SPECIES_KEY) + encodeURIComponent(lookup.species));
    return parts.join('&');
  }

  function optionFor(address) {
    return Array.prototype.find.call(document.querySelectorAll('.form input[type="radio"]'), function (option) {
      return option.dataset.address === address;
    });
  }

  function theList() {
    return document.querySelector('.form [role="listbox"]');
  }

  function record(lookup) {
    var next = {form: shown.form, species: ''};
    if (lookup === TREE_FORM) {
      var checked = document.querySelector('.form input[type="radio"]:checked');
      next.form = checked === null ? '' : checked.dataset.address;
    } else {
      var list = theList(), row = selectedRow(list);
      next.species = row < 0 ? '' : rows(list)[row].textContent;
    }
    if (addressOf(next) === addressOf(shown))
      return;
    shown = next;
    var address = addressOf(next);
    history.pushState(null, '', address === '' ? location.pathname + location.search : '#' + address);
  }

  /** The lookup the address names, or null for none, an unknown one or a malformed one. */
  function lookupIn(hash) {
    var wanted = {form: '', species: ''};
    try {
      var parts = hash.replace(/^#/, '').split('&').map(decodeURIComponent);
    } catch (malformed) {
      return null;
    }
    for (var i = 0; i < parts.length; ++i) {
      if (parts[i].indexOf(SPECIES_KEY) === 0 && wanted.species === '' && parts[i].length > SPECIES_KEY.length)
        wanted.species = parts[i].slice(SPECIES_KEY.length);
      else if (wanted.form === '' && optionFor(parts[i]) !== undefined)
        wanted.form = parts[i];
      else
        return null;
    }
    return wanted;
  }

  /** Shows the lookup the address names, as the commands would; the page as new for any other address. */
  function showNew() {
    Module['_pemtos_reset']();
    document.querySelectorAll('.form input[type="radio"]').forEach(function (option) { option.checked = false; });
    shown = {form: '', species: ''};
    if (location.hash !== '')
      history.replaceState(null, '', location.pathname + location.search);
  }

  function restore() {
    var wanted = location.hash === '' ? null : lookupIn(location.hash);
    showNew();
    if (wanted === null)
      return;
    history.replaceState(null, '', '#' + addressOf(wanted));
    if (wanted.form !== '') {
      optionFor(wanted.form).checked = true;
      Module['_pemtos_click'](commands[TREE_FORM]);
    }
    if (wanted.species !== '') {
      var list = theList();
      var row = Array.prototype.findIndex.call(rows(list), function (item) {
        return item.textContent === wanted.species;
      });
      if (row < 0) { // not among this form's species: the address names no lookup
        showNew();
        return;
      }
      selectRow(list, row);
      Module['_pemtos_click'](commands[SPECIES]);
    }
    shown = wanted;
  }

  window.addEventListener('popstate', restore);

  // What screen readers are told after each command: a status region of its own,
  // out of sight, so that the labels on screen keep their texts as the window has them.
  // It is there from the start: screen readers follow regions that exist before they change.
  var announcer = document.getElementById('announcement');
  if (announcer === null) {
    announcer = document.createElement('div');
    announcer.id = 'announcement';
    announcer.className = 'announcement';
    announcer.setAttribute('role', 'status');
  }

  function announce(text) {
    // The same text twice in a row is still news: the region is emptied first.
    announcer.textContent = '';
    requestAnimationFrame(function () { announcer.textContent = text; });
  }

  function caption(name) {
    var entry = control(name, LABEL);
    return entry === null ? null : entry.element.textContent;
  }

  function countRows(name) {
    var entry = control(name, LIST_BOX);
    return entry === null ? -1 : rows(entry.element).length;
  }

  // -- Control operations ---------------------------------------------------

  function setCaption(name, text) {
    var entry = control(name, LABEL);
    if (entry === null)
      return false;
    entry.element.textContent = text;
    return true;
  }

  function rows(list) {
    return list.children;
  }

  function selectRow(list, index) {
    Array.prototype.forEach.call(rows(list), function (row, n) {
      row.setAttribute('aria-selected', n === index ? 'true' : 'false');
    });
    if (index < 0) {
      list.removeAttribute('aria-activedescendant');
      return;
    }
    var row = rows(list)[index];
    list.setAttribute('aria-activedescendant', row.id);
    row.scrollIntoView({block: 'nearest'});
  }

  function selectedRow(list) {
    return Array.prototype.findIndex.call(rows(list), function (row) {
      return row.getAttribute('aria-selected') === 'true';
    });
  }

  function clear(name) {
    var entry = control(name, LIST_BOX);
    if (entry === null)
      return false;
    entry.element.replaceChildren();
    entry.element.removeAttribute('aria-activedescendant');
    return true;
  }

  function addItem(name, text, maxRows) {
    var entry = control(name, LIST_BOX);
    if (entry === null || rows(entry.element).length >= maxRows)
      return false;
    if (attaching) { // the row is there already
      ++rowCount;
      return true;
    }
    var row = document.createElement('div');
    row.setAttribute('role', 'option');
    row.setAttribute('aria-selected', 'false');
    row.id = name + '-row' + (++rowCount);
    row.textContent = text;
    entry.element.appendChild(row);
    return true;
  }

  /** The selected row, -1 for none, -2 when `name` is no list box. */
  function listIndex(name) {
    var entry = control(name, LIST_BOX);
    return entry === null ? -2 : selectedRow(entry.element);
  }

  /** The text of row `index`, or null. */
  function listText(name, index) {
    var entry = control(name, LIST_BOX);
    if (entry === null || index < 0 || index >= rows(entry.element).length)
      return null;
    return rows(entry.element)[index].textContent;
  }

  /** 1 when the option is selected, 0 when not, -2 when `name` is no option button. */
  function value(name) {
    var entry = control(name, OPTION_BUTTON);
    return entry === null ? -2 : (entry.element.checked ? 1 : 0);
  }

  function report(title, text) {
    if (errorReport === null) {
      errorReport = document.createElement('dialog');
      errorReport.className = 'error-report';
      errorReport.setAttribute('role', 'alertdialog');
      errorReport.setAttribute('aria-labelledby', 'error-report-title');
      errorReport.setAttribute('aria-describedby', 'error-report-text');
      errorReport.innerHTML = '<h2 id="error-report-title"></h2><p id="error-report-text"></p>' +
                              '<form method="dialog"><button id="error-report-ok">OK</button></form>';
      document.body.appendChild(errorReport);
    }
    errorReport.querySelector('h2').textContent = title;
    errorReport.querySelector('p').textContent = text;
    if (!errorReport.open)
      errorReport.showModal();
  }

  // -- Keyboard ---------------------------------------------------------------

  function listKey(event) {
    var list = event.currentTarget;
    var count = rows(list).length;
    var current = selectedRow(list);
    var next;
    switch (event.key) {
    case 'ArrowDown': next = Math.min(count - 1, current + 1); break;
    case 'ArrowUp': next = Math.max(0, current - 1); break;
    case 'Home': next = 0; break;
    case 'End': next = count - 1; break;
    default: return;
    }
    event.preventDefault();
    if (count > 0)
      selectRow(list, next);
  }

  function listClick(event) {
    var list = event.currentTarget;
    var index = Array.prototype.indexOf.call(rows(list), event.target);
    if (index >= 0)
      selectRow(list, index);
  }

  /** The row of the layout table of the control `element` stands for, -1 for none. */
  function entryOf(element) {
    var entry = element !== null && element.id ? controls.get(element.id) : undefined;
    return entry !== undefined && entry.element === element ? entry.entry : -1;
  }

  // The arrows walk the options of a group as the window's rules say; the selection
  // goes along when the option left behind was the selected one.
  function optionKey(event) {
    var step = {ArrowRight: 1, ArrowDown: 1, ArrowLeft: -1, ArrowUp: -1}[event.key];
    if (step === undefined)
      return;
    event.preventDefault();
    var from = event.currentTarget;
    var next = byEntry[Module['_pemtos_next_option'](entryOf(from), step < 0 ? 1 : 0)];
    if (next === undefined)
      return;
    next.element.focus();
    if (from.checked)
      next.element.click();
  }

  /** Whether Tab stops at the control: an option group with a selection stops only at it. */
  function stopsAt(entry) {
    var element = entry.element;
    if (element.getClientRects().length === 0)
      return false;
    if (element.type !== 'radio')
      return true;
    return element.checked || document.querySelector('input[name="' + element.name + '"]:checked') === null;
  }

  function pageKey(event) {
    if (errorReport !== null && errorReport.open)
      return;
    var plain = !event.ctrlKey && !event.altKey && !event.metaKey;
    if (event.key === 'Enter' && plain && !event.shiftKey) {
      var button = byEntry[Module['_pemtos_button_for_enter'](entryOf(document.activeElement))];
      if (button !== undefined) {
        event.preventDefault();
        button.element.click();
      }
      return;
    }
    // In the designed layout Tab follows the window's tab order, round the window;
    // the one-column layout keeps the page's own order, which is its reading order.
    if (event.key === 'Tab' && plain && designed()) {
      event.preventDefault();
      var at = entryOf(document.activeElement);
      for (var tries = 0; tries < byEntry.length; ++tries) {
        at = Module['_pemtos_next_tab_stop'](at, event.shiftKey ? 1 : 0);
        if (stopsAt(byEntry[at])) {
          byEntry[at].element.focus();
          return;
        }
      }
    }
  }

  document.addEventListener('keydown', pageKey);

  function focusFirst(name) {
    // A window built here from nothing is the one written into index.html, busy there.
    if (attaching)
      form.box.removeAttribute('aria-busy');
    attaching = false;
    chooseLayout(); // every control is in place now: see whether the designed rectangles hold their captions
    restyled.observe(document.head, {subtree: true, childList: true, characterData: true});
    restyled.observe(document.documentElement, {subtree: true, attributes: true, attributeFilter: ['style']});
    // Once the module is done building the window (this runs inside it), before the first frame.
    if (location.hash !== '')
      Promise.resolve().then(restore);
    // Buttons and rows clicked while the page was still arriving (index.html kept them).
    var early = window.pemtosEarlyClicks || [];
    Promise.resolve().then(function () {
      early.splice(0).forEach(function (target) { target.click(); });
    });
    if (designed())
      controls.get(name).element.focus();
  }

  // -- Layout -----------------------------------------------------------------

  function designed() {
    return !document.documentElement.classList.contains('cards');
  }

  /**
   * Whether every caption is whole inside its designed rectangle: its text ends
   * within the box, give or take the few pixels a tall face's line spills.
   */
  function captionsFit() {
    var text = document.createRange();
    return !Array.prototype.some.call(document.querySelectorAll('.form .label, .form .option, .form .command'),
                                      function (box) {
      if (box.textContent.trim() === '')
        return false;
      text.selectNodeContents(box);
      var inner = text.getBoundingClientRect(), outer = box.getBoundingClientRect();
      return inner.right > outer.right + 3 || inner.bottom > outer.bottom + 3;
    });
  }

  // The designed window where the viewport and pointer suit it and its rectangles hold
  // their captions; the cards otherwise, which grow with what they hold. Measured
  // within one task, so the designed layout tried is never painted.
  function chooseLayout() {
    var root = document.documentElement;
    var cards = !WIDE.matches;
    if (!cards && controls.size > 0) {
      root.classList.remove('cards');
      cards = !captionsFit();
    }
    root.classList.toggle('cards', cards);
  }

  var layoutPending = false;
  function chooseLayoutSoon() {
    if (layoutPending)
      return;
    layoutPending = true;
    requestAnimationFrame(function () {
      layoutPending = false;
      chooseLayout();
    });
  }

  WIDE.addEventListener('change', chooseLayout);
  window.addEventListener('resize', chooseLayoutSoon);
  // Style sheets that readers add (text spacing, larger fonts) come and go while the
  // page is open; watched from the moment the window is built.
  var restyled = new MutationObserver(chooseLayoutSoon);
  chooseLayout();
  if (document.fonts)
    document.fonts.ready.then(chooseLayout);

  return {
    create: create, place: place, setFont: setFont, defineScaledFace: defineScaledFace, setColours: setColours,
    describe: describe, describeOption: describeOption, setPicture: setPicture, onClick: onClick,
    focusFirst: focusFirst, announce: announce, caption: caption, rowCount: countRows,
    setCaption: setCaption, clear: clear, addItem: addItem, listIndex: listIndex, listText: listText, value: value,
    report: report,
  };
})();
