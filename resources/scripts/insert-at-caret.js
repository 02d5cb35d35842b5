// Inserts text at the caret of the focused element, reaching into same-origin frames. Gives true
// when the text went in.
(function (text) {
  text = text.replace(/\r\n?/g, '\n');
  var doc = document;
  var element = doc.activeElement;
  while (element && (element.tagName === 'IFRAME' || element.tagName === 'FRAME')) {
    var inner = null;
    try { inner = element.contentDocument; } catch (e) { inner = null; }
    if (!inner) return false;
    doc = inner;
    element = doc.activeElement;
  }
  if (!element) return false;
  var isField = element.tagName === 'TEXTAREA' || element.tagName === 'INPUT';
  if (!isField && !element.isContentEditable) return false;
  if (element.disabled || element.readOnly) return false;
  if (doc.execCommand('insertText', false, text)) return true;
  // Typing into the field by hand; only a field that has a caret takes text.
  var start = null;
  try { start = isField ? element.selectionStart : null; } catch (e) { start = null; }
  if (start === null) return false;
  element.setRangeText(text, start, element.selectionEnd, 'end');
  element.dispatchEvent(new Event('input', {bubbles: true}));
  return true;
})
