'use strict';
// Which element Auto-Insert fills: the surface the user works in, else the first form's message box.
const test = require('node:test');
const assert = require('node:assert');
const { page, script, insertHelpers, userSurfaceHelpers } = require('./pagedom');

const form = '<form><input id=subject><textarea id=first></textarea></form>';
const add = (html) => (document) => document.body.insertAdjacentHTML('beforeend', html);

// body; later: what the page opens after it loaded; focus: the element the user works in;
// then which rule found the receiver, the road and the receiver's id.
const cases = [
  { name: 'focused text area of a later form', body: form + '<form><textarea id=mine></textarea></form>',
    focus: 'mine', rule: 'user', road: 'field', receiver: 'mine' },
  { name: 'focused editing host', body: form + '<div id=host contenteditable=true><p>Hi</p></div>',
    focus: 'host', rule: 'user', road: 'editor', receiver: 'host' },
  { name: 'focused editor frame', body: form + '<iframe id=frame></iframe>', focus: 'frame',
    frame: (doc) => { doc.designMode = 'on'; }, rule: 'user', road: 'editor', receiver: 'frame' },
  { name: 'focused read-only text area', body: form + '<textarea id=locked readonly></textarea>',
    focus: 'locked', rule: 'form', road: 'field', receiver: 'first' },
  { name: 'focused one-line field', body: form, focus: 'subject', rule: 'form', road: 'field', receiver: 'first' },
  { name: 'composer opened after load', body: form + '<div id=thread></div>', later: add('<textarea id=reply></textarea>'),
    rule: 'user', road: 'field', receiver: 'reply' },
  { name: 'editor composer opened after load', body: form, later: add('<div id=quick contenteditable=true></div>'),
    rule: 'user', road: 'editor', receiver: 'quick' },
  { name: 'newest of two composers', body: form,
    later: add('<textarea id=one></textarea><textarea id=two></textarea>'), rule: 'user', road: 'field', receiver: 'two' },
  { name: 'composer there at load', body: form + '<textarea id=loose></textarea>', later: add('<p>news</p>'),
    rule: 'form', road: 'field', receiver: 'first' },
  { name: 'hidden composer', body: form, later: add('<textarea id=gone style="display: none"></textarea>'),
    rule: 'form', road: 'field', receiver: 'first' },
  { name: 'disabled composer', body: form, later: add('<textarea id=off disabled></textarea>'),
    rule: 'form', road: 'field', receiver: 'first' },
  { name: 'composer inside a form opened after load', body: form,
    later: add('<form><textarea id=boxed></textarea></form>'), rule: 'form', road: 'field', receiver: 'first' },
  { name: 'first form without a text area', body: '<form><input id=q></form>' + form,
    rule: 'form', road: 'field', receiver: 'first' },
  { name: 'text area hidden by an editor', rule: 'form', road: 'editor', receiver: 'rich',
    body: '<form><textarea id=first style="display: none"></textarea><div id=rich contenteditable=true></div></form>' },
  { name: 'text area hidden by a code editor', rule: 'form', road: 'editor', receiver: 'code',
    body: '<form><div><textarea id=first style="display: none"></textarea></div><div id=code>' +
          '<div style="overflow: hidden; height: 0px"><textarea id=input></textarea></div><pre>drawn</pre></div></form>' },
  { name: 'no text area anywhere', body: '<form><input id=q></form>', rule: 'form', road: 'none', receiver: null },
];

for (const c of cases) {
  test(c.name, async () => {
    const window = page(c.body);
    const document = window.document;
    if (c.frame) c.frame(document.getElementById('frame').contentDocument);
    script(window, 'note-loaded-surfaces.js', userSurfaceHelpers)();
    if (c.later) {
      c.later(document);
      await new Promise((settled) => setTimeout(settled)); // the page's change reaches the observer
    }
    if (c.focus) document.getElementById(c.focus).focus();

    let rule = 'user';
    let report = JSON.parse(script(window, 'fill-user-surface.js', userSurfaceHelpers)('Hello'));
    if (report.road === 'none') {
      rule = 'form';
      report = JSON.parse(script(window, 'fill-message-box.js', insertHelpers)(-1, -1, 'Hello'));
    }
    const filled = [...document.querySelectorAll('textarea')].filter((area) => area.value === 'Hello');
    const receiver = report.road === 'field' ? filled[0] : report.road === 'editor' ? window.messageSurface : null;
    assert.deepStrictEqual({ rule, road: report.road, receiver: receiver ? receiver.id : null },
                           { rule: c.rule, road: c.road, receiver: c.receiver });
    assert.strictEqual(filled.length, report.road === 'field' ? 1 : 0);
  });
}
