// SPDX-License-Identifier: MIT
// Writes the window into the page at build time: runs the module built for Node.js
// (the same layout loop and page code as in the browser) over a small stand-in for
// the browser's document, then writes what it built into index.html as markup.
//
//     node prerender.js MODULE.js SOURCE/index.html OUT/index.html
'use strict';

const fs = require('fs');
const path = require('path');

// A carriage return is written as a reference: the parser would drop a literal one.
function escapeText(text) {
  return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/\r/g, '&#13;');
}

function escapeAttribute(text) {
  return escapeText(text).replace(/"/g, '&quot;');
}

// The properties of elements and of their styles that the page code sets, as the
// attributes and CSS properties they stand for.
const REFLECTED = {id: 'id', className: 'class', type: 'type', name: 'name', tabIndex: 'tabindex', src: 'src',
                   srcset: 'srcset', width: 'width', height: 'height', alt: 'alt', draggable: 'draggable'};
const STYLED = {fontFamily: 'font-family', fontWeight: 'font-weight', backgroundColor: 'background-color',
                color: 'color'};
const VOID = new Set(['img', 'input', 'meta', 'link']);

class Style {
  constructor() { this.properties = new Map(); }
  setProperty(name, value) { this.properties.set(name, String(value)); }
  // Font names are quoted in CSS; written with single quotes, the attribute needs no references.
  get cssText() {
    return Array.from(this.properties, ([name, value]) => name + ': ' + value).join('; ');
  }
}
for (const [property, css] of Object.entries(STYLED)) {
  Object.defineProperty(Style.prototype, property, {set(value) { this.setProperty(css, value); }});
}

class Element {
  constructor(tag) {
    this.tagName = tag;
    this.attributes = new Map();
    this.children = [];
    this.text = null;
    this.parentNode = null;
    this.style = new Style();
    const element = this;
    this.dataset = new Proxy({}, {
      get: (target, key) => element.getAttribute('data-' + String(key)) ?? undefined,
      set: (target, key, value) => { element.setAttribute('data-' + String(key), value); return true; },
    });
    this.classList = {
      add: (name) => { this.classList.toggle(name, true); },
      remove: (name) => { this.classList.toggle(name, false); },
      contains: (name) => this.className.split(' ').includes(name),
      toggle: (name, on) => {
        const names = this.className.split(' ').filter((n) => n !== '' && n !== name);
        if (on)
          names.push(name);
        this.className = names.join(' ');
      },
    };
  }
  get firstChild() { return this.children[0] ?? null; }
  setAttribute(name, value) { this.attributes.set(name, String(value)); }
  getAttribute(name) { return this.attributes.has(name) ? this.attributes.get(name) : null; }
  removeAttribute(name) { this.attributes.delete(name); }
  addEventListener() {}
  focus() {}
  appendChild(child) { return this.insertBefore(child, null); }
  insertBefore(child, before) {
    if (child.parentNode !== null)
      child.parentNode.children.splice(child.parentNode.children.indexOf(child), 1);
    const at = before === null ? this.children.length : this.children.indexOf(before);
    this.children.splice(at, 0, child);
    child.parentNode = this;
    this.text = null;
    return child;
  }
  replaceChildren() { this.children = []; this.text = null; }
  set textContent(text) { this.children = []; this.text = String(text); }
  get textContent() { return this.text ?? this.children.map((child) => child.textContent).join(''); }
  getElementById(id) {
    for (const child of this.children) {
      const found = child.getAttribute('id') === id ? child : child.getElementById(id);
      if (found !== null)
        return found;
    }
    return null;
  }

  get outerHTML() {
    const attributes = Array.from(this.attributes, ([name, value]) => ' ' + name + '="' + escapeAttribute(value) + '"');
    if (this.style.properties.size > 0)
      attributes.push(' style="' + escapeAttribute(this.style.cssText.replace(/"/g, "'")) + '"');
    const open = '<' + this.tagName + attributes.join('') + '>';
    if (VOID.has(this.tagName))
      return open;
    const inner = this.text !== null ? escapeText(this.text) : this.children.map((child) => child.outerHTML).join('');
    return open + inner + '</' + this.tagName + '>';
  }
}
for (const [property, attribute] of Object.entries(REFLECTED)) {
  Object.defineProperty(Element.prototype, property, {
    get() { return this.getAttribute(attribute) ?? ''; },
    set(value) { this.setAttribute(attribute, value); },
  });
}

function main(modulePath, source, out) {
  const body = new Element('body');
  const root = new Element('html');
  const themeColour = {content: ''};
  const faces = [];
  const narrow = {matches: false, addEventListener() {}};
  const document = {
    body: body,
    documentElement: root,
    head: new Element('head'),
    title: '',
    createElement: (tag) => new Element(tag),
    getElementById: (id) => body.getElementById(id),
    querySelector: (selector) => (selector === 'meta[name="theme-color"]' ? themeColour : null),
    addEventListener() {},
    fonts: {add: (face) => faces.push(face), ready: new Promise(() => {})},
  };
  Object.assign(globalThis, {
    document: document,
    window: globalThis,
    pemtosWide: narrow,
    matchMedia: () => narrow,
    addEventListener() {},
    location: {hash: '', pathname: '/', search: ''},
    history: {pushState() {}, replaceState() {}},
    requestAnimationFrame() {},
    MutationObserver: class { observe() {} },
    FontFace: class {
      constructor(family, source, descriptors) {
        this.css = '@font-face { font-family: "' + family + '"; src: ' + source + '; size-adjust: ' +
                   descriptors.sizeAdjust + '; }';
      }
      load() { return Promise.resolve(this); }
    },
  });

  // This module reads its .wasm file from disk only where there is no fetch().
  delete globalThis.fetch;
  process.once('beforeExit', () => {
    if (document.getElementById('announcement') === null)
      throw new Error(modulePath + ' built no window');
    let page = fs.readFileSync(source, 'utf8');
    const fill = (placeholder, markup) => {
      if (!page.includes(placeholder))
        throw new Error(source + ' has no ' + placeholder);
      page = page.replace(placeholder, () => markup);
    };
    fill('<!-- @WINDOW@ -->', body.children.map((child) => child.outerHTML).join('\n'));
    fill('<!-- @FACES@ -->', '<style>\n' + faces.map((face) => face.css).join('\n') + '\n</style>');
    fill('<body>', '<body style="' + escapeAttribute(body.style.cssText) + '">');
    fill('<meta name="theme-color" content="#c0c0c0">',
         '<meta name="theme-color" content="' + escapeAttribute(themeColour.content) + '">');
    fs.mkdirSync(path.dirname(out), {recursive: true});
    fs.writeFileSync(out, page);
  });
  require(path.resolve(modulePath));
}

if (process.argv.length !== 5) {
  console.error('usage: node prerender.js MODULE.js SOURCE/index.html OUT/index.html');
  process.exit(2);
}
main(process.argv[2], process.argv[3], process.argv[4]);
