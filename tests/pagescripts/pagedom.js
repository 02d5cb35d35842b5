'use strict';
// A page for the page scripts to run on, and the scripts as the program sends them.
const fs = require('node:fs');
const path = require('node:path');
const { JSDOM } = require('jsdom');

const folder = path.join(__dirname, '..', '..', 'resources', 'scripts');
const source = (fileName) => fs.readFileSync(path.join(folder, fileName), 'utf8').trim();

const insertHelpers = ['insert-helpers.js'];
const userSurfaceHelpers = ['insert-helpers.js', 'user-surface-helpers.js'];

// jsdom lays nothing out and leaves out what an editing browser has. Every element that is displayed
// gets a box from its inline style (300 by 60 at 0, 0 unless it says otherwise); editing follows the
// contenteditable attribute and design mode; an element's text as shown is its text content.
function likeABrowser(window) {
  const proto = window.HTMLElement.prototype;
  const displayed = (e) => {
    for (let n = e; n; n = n.parentElement) {
      if (window.getComputedStyle(n).display === 'none') return false;
    }
    return true;
  };
  const px = (value, otherwise) => (value === '' ? otherwise : parseFloat(value));
  const box = (e) => {
    const left = px(e.style.left, 0), top = px(e.style.top, 0);
    const width = px(e.style.width, 300), height = px(e.style.height, 60);
    return { x: left, y: top, left, top, width, height, right: left + width, bottom: top + height };
  };
  const none = { x: 0, y: 0, left: 0, top: 0, width: 0, height: 0, right: 0, bottom: 0 };
  proto.getClientRects = function () { return displayed(this) ? [box(this)] : []; };
  proto.getBoundingClientRect = function () { return displayed(this) ? box(this) : none; };
  Object.defineProperty(proto, 'isContentEditable', {
    get() {
      if (this.ownerDocument.designMode === 'on') return true;
      for (let n = this; n; n = n.parentElement) {
        const value = n.getAttribute('contenteditable');
        if (value === 'false') return false;
        if (value !== null) return true;
      }
      return false;
    },
  });
  Object.defineProperty(proto, 'innerText', { get() { return this.textContent; } });
  window.document.hasFocus = () => true;
}

// A page showing body, and its frames, each like a browser's.
function page(body) {
  const dom = new JSDOM('<!DOCTYPE html><html><body>' + body + '</body></html>', { runScripts: 'outside-only' });
  const window = dom.window;
  likeABrowser(window);
  for (const frame of window.document.querySelectorAll('iframe')) likeABrowser(frame.contentWindow);
  return window;
}

// The script in fileName with the helper files in scope, as a function of the page's world: the
// same text the program sends, without the arguments it appends.
function script(window, fileName, helperFiles = []) {
  if (!helperFiles.length) return window.eval(source(fileName));
  const helpers = helperFiles.map(source).join('\n');
  return window.eval('(function () {\n' + helpers + '\nreturn (' + source(fileName) + ');\n})()');
}

module.exports = { page, script, insertHelpers, userSurfaceHelpers };
