'use strict';
// What the read-back reports of the surface the fill kept: its text, and whether a question the
// paste added beside it is open.
const test = require('node:test');
const assert = require('node:assert');
const { page, script, insertHelpers } = require('./pagedom');

const editor = '<form><div id=host contenteditable=true><p>Hello</p><p>there</p></div></form>';
const byId = (document, id) => document.getElementById(id);
// Keeps the editor, and notes the elements with these ids as added by the paste.
const keep = (...added) => (window) => {
  window.messageSurface = byId(window.document, 'host');
  window.messageAdded = added.map((id) => byId(window.document, id));
};
const asked = (isAsked) => JSON.stringify({ road: 'editor', text: 'Hellothere', asked: isAsked, focused: true });
const question = (attributes, inner = '<button id=ok>OK</button>') =>
  editor + '<div id=q ' + attributes + '>Paste as plain text?' + inner + '</div>';

const cases = [
  { name: 'nothing kept', body: editor, keep: () => {}, report: '{"road":"none","text":""}' },
  { name: 'kept surface left the page', body: editor,
    keep: (window) => { keep()(window); byId(window.document, 'host').remove(); }, report: '{"road":"none","text":""}' },
  { name: 'editing host', body: editor, keep: keep(), report: asked(false) },
  { name: 'editor frame', body: '<iframe id=frame></iframe>',
    keep: (window) => {
      const doc = byId(window.document, 'frame').contentDocument;
      doc.designMode = 'on';
      doc.body.textContent = 'In the frame';
      window.messageSurface = byId(window.document, 'frame');
    },
    report: JSON.stringify({ road: 'editor', text: 'In the frame', asked: false, focused: true }) },
  { name: 'dialog beside it', body: question('role=dialog'), keep: keep('q'), report: asked(true) },
  { name: 'dialog nobody added', body: question('role=dialog'), keep: keep(), report: asked(false) },
  { name: 'dialog without buttons', body: question('role=dialog', ''), keep: keep('q'), report: asked(false) },
  { name: 'box with a button that has no focus', body: question(''), keep: keep('q'), report: asked(false) },
  { name: 'box whose button has the focus', body: question(''),
    keep: (window) => { keep('q')(window); byId(window.document, 'ok').focus(); }, report: asked(true) },
  { name: 'dialog out of the window', body: question('role=dialog style="top: 2000px"'), keep: keep('q'),
    report: asked(false) },
  { name: 'hidden dialog', body: question('role=dialog style="display: none"'), keep: keep('q'), report: asked(false) },
  { name: 'dialog inside the surface',
    body: '<div id=host contenteditable=true>Hello<div id=q role=dialog><button>OK</button></div></div>',
    keep: keep('q'), report: JSON.stringify({ road: 'editor', text: 'HelloOK', asked: false, focused: true }) },
];

for (const c of cases) {
  test(c.name, () => {
    const window = page(c.body);
    c.keep(window);
    assert.strictEqual(script(window, 'read-surface.js', insertHelpers)(), c.report);
  });
}
