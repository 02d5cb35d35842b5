// What the insert scripts share: finding the message box of a form, the editing surface a person
// sees in its place, and the report each script gives back (a JSON text {"road", "text"}).
var report = function (road, text, more) {
  var answer = {road: road, text: text || ''};
  for (var key in more || {}) answer[key] = more[key];
  return JSON.stringify(answer);
};
var isTextArea = function (e) { return !!e && e.tagName === 'TEXTAREA'; };
var takesText = function (e) { return !e.disabled && !e.readOnly; };
var firstTextArea = function (form) {
  for (var i = 0; i < form.elements.length; ++i) {
    if (isTextArea(form.elements[i])) return form.elements[i];
  }
  return null;
};
// Whether a person sees the element: laid out, not hidden, not squeezed to nothing.
var shown = function (e) {
  if (!e.getClientRects().length) return false;
  if (e.ownerDocument.defaultView.getComputedStyle(e).visibility === 'hidden') return false;
  var box = e.getBoundingClientRect();
  return box.width > 1 && box.height > 1;
};
var frameDocument = function (frame) {
  var doc = null;
  try { doc = frame.contentDocument; } catch (e) { doc = null; }
  if (!doc || !doc.body) return null;
  return doc.designMode === 'on' || doc.body.isContentEditable ? doc : null;
};
// The element that takes the typing: an editing host, or the body of a frame in design mode.
var hostOf = function (surface) {
  if (surface.tagName !== 'IFRAME') return surface;
  var doc = frameDocument(surface);
  return doc ? doc.body : null;
};
// The visible editing surfaces inside root, in page order: editing hosts (not the editable
// parts within one) and frames whose document is editable.
var surfacesIn = function (root) {
  var found = [];
  var all = root.querySelectorAll('[contenteditable], iframe');
  for (var i = 0; i < all.length; ++i) {
    var e = all[i];
    var editable = e.tagName === 'IFRAME' ? !!frameDocument(e)
        : e.isContentEditable && !(e.parentElement && e.parentElement.isContentEditable);
    if (editable && shown(e)) found.push(e);
  }
  return found;
};
// A code editor draws the text itself and listens for typing on a text area of its own,
// kept out of sight inside what it draws: that input beside the hidden field, and the
// nearest element a person sees around it, which shows the editor's text.
var codeEditorIn = function (root, field) {
  var inputs = root.querySelectorAll('textarea');
  for (var i = 0; i < inputs.length; ++i) {
    var input = inputs[i];
    if (input === field || input.disabled || input.readOnly) continue;
    // Out of sight itself, or clipped away by a box of no size around it.
    var hidden = !shown(input);
    var view = input.parentElement;
    for (; view && view !== root && !shown(view); view = view.parentElement) hidden = true;
    if (hidden && view && view !== root && !view.contains(field)) return {surface: view, input: input};
  }
  return null;
};
// Ctrl+A as a person presses it, for an editor that keeps its own selection.
var pressSelectAll = function (target) {
  var keys = {key: 'a', code: 'KeyA', keyCode: 65, which: 65, ctrlKey: true, bubbles: true, cancelable: true};
  if (target.dispatchEvent(new KeyboardEvent('keydown', keys))) target.select();
  target.dispatchEvent(new KeyboardEvent('keyup', keys));
};
var selectAll = function (surface) {
  var input = window.messageInput;
  if (input && input.isConnected) {
    input.focus();
    pressSelectAll(input);
    return;
  }
  var host = hostOf(surface);
  var doc = host.ownerDocument;
  if (surface !== host) { surface.focus(); doc.defaultView.focus(); }
  host.focus();
  // From the first character to the last, so an editor that keeps its own model of the
  // selection maps it onto the text rather than around its blocks.
  var range = doc.createRange();
  range.selectNodeContents(host);
  var walker = doc.createTreeWalker(host, NodeFilter.SHOW_TEXT);
  var first = walker.nextNode(), last = first;
  for (var t = first; t; t = walker.nextNode()) last = t;
  if (first) { range.setStart(first, 0); range.setEnd(last, last.length); }
  var selection = doc.getSelection();
  selection.removeAllRanges();
  selection.addRange(range);
};
// A question an editor opened instead of taking the paste: an element the paste added beside
// the surface that a person sees in the window, with buttons to answer it, that is a dialog or
// has taken the keyboard focus.
var answers = 'button, input[type=button], input[type=submit], [role=button]';
var dialogs = 'dialog, [role=dialog], [role=alertdialog], [aria-modal=true]';
var openQuestion = function (surface) {
  var added = window.messageAdded || [];
  var host = hostOf(surface);
  for (var i = 0; i < added.length; ++i) {
    var e = added[i];
    if (!e.isConnected || surface.contains(e) || e.contains(surface) || (host && host.contains(e))) continue;
    if (!shown(e) || !(e.matches(answers) || e.querySelector(answers))) continue;
    var asking = e.matches(dialogs) || e.querySelector(dialogs) || e.closest(dialogs);
    if (!asking && !e.contains(e.ownerDocument.activeElement)) continue;
    var box = e.getBoundingClientRect(), view = e.ownerDocument.defaultView;
    if (box.bottom > 0 && box.right > 0 && box.top < view.innerHeight && box.left < view.innerWidth) return e;
  }
  return null;
};
var surfaceText = function (surface) {
  var host = surface && surface.isConnected ? hostOf(surface) : null;
  if (!host) return report('none');
  return report('editor', host.innerText, {asked: !!openQuestion(surface), focused: document.hasFocus()});
};
// Puts text into what was found: a text area takes it as its value, and page scripts learn of
// it through "input" and "change" events. An editing surface is kept for the scripts that
// follow, focused with all it holds selected, as a person would before pasting.
var fill = function (found, text) {
  window.messageSurface = found.surface || null;
  window.messageInput = found.input || null;
  if (found.surface) {
    selectAll(found.surface);
    return surfaceText(found.surface);
  }
  var field = found.field;
  field.value = text;
  field.dispatchEvent(new Event('input', {bubbles: true}));
  field.dispatchEvent(new Event('change', {bubbles: true}));
  return report('field', field.value);
};
