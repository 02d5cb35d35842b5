#include "browser/pagescripts.h"

QString scriptStringLiteral(const QString &text)
{
    QString literal;
    literal.reserve(text.size() + 2);
    literal += QLatin1Char('"');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            literal += QLatin1Char('\\');
            literal += c;
        } else if (u >= 0x20 && u < 0x7f && u != u'<' && u != u'>') {
            literal += c;
        } else {
            // Everything else as an escape: the script source stays plain ASCII, so no line
            // terminator, markup or unpaired surrogate can change its meaning.
            literal += QStringLiteral("\\u%1").arg(static_cast<uint>(u), 4, 16, QLatin1Char('0'));
        }
    }
    literal += QLatin1Char('"');
    return literal;
}

QString readBodyScript()
{
    return QStringLiteral("(function () {\n"
                          "  var body = document.body;\n"
                          "  if (!body) return null;\n"
                          "  return [body.outerHTML, body.innerHTML];\n"
                          "})()");
}

namespace {

// What the insert scripts share: finding the message box of a form, the editing surface a person
// sees in its place, and the report each script gives back (a JSON text {"road", "text"}).
const QString insertHelpers = QStringLiteral(
    "  var report = function (road, text) { return JSON.stringify({road: road, text: text || ''}); };\n"
    "  var isTextArea = function (e) { return !!e && e.tagName === 'TEXTAREA'; };\n"
    "  var firstTextArea = function (form) {\n"
    "    for (var i = 0; i < form.elements.length; ++i) {\n"
    "      if (isTextArea(form.elements[i])) return form.elements[i];\n"
    "    }\n"
    "    return null;\n"
    "  };\n"
    "  // Whether a person sees the element: laid out, not hidden, not squeezed to nothing.\n"
    "  var shown = function (e) {\n"
    "    if (!e.getClientRects().length) return false;\n"
    "    if (e.ownerDocument.defaultView.getComputedStyle(e).visibility === 'hidden') return false;\n"
    "    var box = e.getBoundingClientRect();\n"
    "    return box.width > 1 && box.height > 1;\n"
    "  };\n"
    "  var frameDocument = function (frame) {\n"
    "    var doc = null;\n"
    "    try { doc = frame.contentDocument; } catch (e) { doc = null; }\n"
    "    if (!doc || !doc.body) return null;\n"
    "    return doc.designMode === 'on' || doc.body.isContentEditable ? doc : null;\n"
    "  };\n"
    "  // The element that takes the typing: an editing host, or the body of a frame in design mode.\n"
    "  var hostOf = function (surface) {\n"
    "    if (surface.tagName !== 'IFRAME') return surface;\n"
    "    var doc = frameDocument(surface);\n"
    "    return doc ? doc.body : null;\n"
    "  };\n"
    "  // The visible editing surfaces inside root, in page order: editing hosts (not the editable\n"
    "  // parts within one) and frames whose document is editable.\n"
    "  var surfacesIn = function (root) {\n"
    "    var found = [];\n"
    "    var all = root.querySelectorAll('[contenteditable], iframe');\n"
    "    for (var i = 0; i < all.length; ++i) {\n"
    "      var e = all[i];\n"
    "      var editable = e.tagName === 'IFRAME' ? !!frameDocument(e)\n"
    "          : e.isContentEditable && !(e.parentElement && e.parentElement.isContentEditable);\n"
    "      if (editable && shown(e)) found.push(e);\n"
    "    }\n"
    "    return found;\n"
    "  };\n"
    "  // A code editor draws the text itself and listens for typing on a text area of its own,\n"
    "  // kept out of sight inside what it draws: that input beside the hidden field, and the\n"
    "  // nearest element a person sees around it, which shows the editor's text.\n"
    "  var codeEditorIn = function (root, field) {\n"
    "    var inputs = root.querySelectorAll('textarea');\n"
    "    for (var i = 0; i < inputs.length; ++i) {\n"
    "      var input = inputs[i];\n"
    "      if (input === field || input.disabled || input.readOnly) continue;\n"
    "      // Out of sight itself, or clipped away by a box of no size around it.\n"
    "      var hidden = !shown(input);\n"
    "      var view = input.parentElement;\n"
    "      for (; view && view !== root && !shown(view); view = view.parentElement) hidden = true;\n"
    "      if (hidden && view && view !== root && !view.contains(field)) return {surface: view, input: input};\n"
    "    }\n"
    "    return null;\n"
    "  };\n"
    "  // Ctrl+A as a person presses it, for an editor that keeps its own selection.\n"
    "  var pressSelectAll = function (target) {\n"
    "    var keys = {key: 'a', code: 'KeyA', keyCode: 65, which: 65, ctrlKey: true, bubbles: true, cancelable: true};\n"
    "    if (target.dispatchEvent(new KeyboardEvent('keydown', keys))) target.select();\n"
    "    target.dispatchEvent(new KeyboardEvent('keyup', keys));\n"
    "  };\n"
    "  var selectAll = function (surface) {\n"
    "    var input = window.messageInput;\n"
    "    if (input && input.isConnected) {\n"
    "      input.focus();\n"
    "      pressSelectAll(input);\n"
    "      return;\n"
    "    }\n"
    "    var host = hostOf(surface);\n"
    "    var doc = host.ownerDocument;\n"
    "    if (surface !== host) { surface.focus(); doc.defaultView.focus(); }\n"
    "    host.focus();\n"
    "    // From the first character to the last, so an editor that keeps its own model of the\n"
    "    // selection maps it onto the text rather than around its blocks.\n"
    "    var range = doc.createRange();\n"
    "    range.selectNodeContents(host);\n"
    "    var walker = doc.createTreeWalker(host, NodeFilter.SHOW_TEXT);\n"
    "    var first = walker.nextNode(), last = first;\n"
    "    for (var t = first; t; t = walker.nextNode()) last = t;\n"
    "    if (first) { range.setStart(first, 0); range.setEnd(last, last.length); }\n"
    "    var selection = doc.getSelection();\n"
    "    selection.removeAllRanges();\n"
    "    selection.addRange(range);\n"
    "  };\n"
    "  var surfaceText = function (surface) {\n"
    "    var host = surface && surface.isConnected ? hostOf(surface) : null;\n"
    "    return host ? report('editor', host.innerText) : report('none');\n"
    "  };\n");

} // namespace

QString readBodyOuterScript()
{
    return QStringLiteral("(function () {\n"
                          "  var body = document.body;\n"
                          "  return body ? body.outerHTML : null;\n"
                          "})()");
}

QString fillMessageBoxScript(int formIndex, int fieldIndex, const QString &text)
{
    return QStringLiteral("(function (formIndex, fieldIndex, text) {\n") + insertHelpers +
           QStringLiteral(
               "  var form = null;\n"
               "  var field = null;\n"
               "  if (formIndex >= 0 && fieldIndex >= 0) {\n"
               "    form = document.forms[formIndex];\n"
               "    if (!form) return report('none');\n"
               "    field = form.elements[fieldIndex];\n"
               "    if (!isTextArea(field)) field = firstTextArea(form);\n"
               "  } else {\n"
               "    // The markup shows no form around a text area, yet a form that the page built\n"
               "    // empty still owns the fields that ended up after it.\n"
               "    for (var f = 0; f < document.forms.length && !field; ++f) {\n"
               "      field = firstTextArea(document.forms[f]);\n"
               "      if (field) form = document.forms[f];\n"
               "    }\n"
               "  }\n"
               "  var surface = null;\n"
               "  var input = null;\n"
               "  if (field && !shown(field)) {\n"
               "    // An editor hides the text area and shows its own surface beside it, within the form\n"
               "    // or next to it; the nearest one stands for the text area.\n"
               "    var limit = form && form.parentElement;\n"
               "    for (var node = field.parentElement; node && !surface; node = node.parentElement) {\n"
               "      surface = surfacesIn(node)[0] || null;\n"
               "      var code = surface ? null : codeEditorIn(node, field);\n"
               "      if (code) { surface = code.surface; input = code.input; }\n"
               "      if (node === limit) break;\n"
               "    }\n"
               "  } else if (!field) {\n"
               "    // A form without a text area: its visible editing surface is the message box.\n"
               "    var forms = form ? [form] : document.forms;\n"
               "    for (var g = 0; g < forms.length && !surface; ++g) surface = surfacesIn(forms[g])[0] || null;\n"
               "  }\n"
               "  if (!surface) {\n"
               "    if (!field) return report('none');\n"
               "    field.value = text;\n"
               "    field.dispatchEvent(new Event('input', {bubbles: true}));\n"
               "    field.dispatchEvent(new Event('change', {bubbles: true}));\n"
               "    return report('field', field.value);\n"
               "  }\n"
               "  // Focus the surface and select all it holds, as a person would before pasting.\n"
               "  window.messageSurface = surface;\n"
               "  window.messageInput = input;\n"
               "  selectAll(surface);\n"
               "  return surfaceText(surface);\n"
               "})(%1, %2, %3)")
               .arg(formIndex)
               .arg(fieldIndex)
               .arg(scriptStringLiteral(text));
}

QString pasteIntoSurfaceScript(const QString &text, const QString &html)
{
    return QStringLiteral("(function (text, html) {\n") + insertHelpers +
           QStringLiteral(
               "  var surface = window.messageSurface;\n"
               "  var host = surface && surface.isConnected ? hostOf(surface) : null;\n"
               "  if (!host) return report('none');\n"
               "  text = text.replace(/\\r\\n?/g, '\\n');\n"
               "  // A paste as the browser delivers it: the editor takes the data into its own model.\n"
               "  var data = new DataTransfer();\n"
               "  data.setData('text/plain', text);\n"
               "  if (html) data.setData('text/html', html);\n"
               "  var paste = new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true});\n"
               "  var target = window.messageInput && window.messageInput.isConnected ? window.messageInput\n"
               "      : host.ownerDocument.activeElement;\n"
               "  if (!target || !host.contains(target)) target = host;\n"
               "  if (target.dispatchEvent(paste)) {\n"
               "    // Nobody took the paste: the browser's own editing command puts it in, and the\n"
               "    // page hears of it through its input events.\n"
               "    host.ownerDocument.execCommand(html ? 'insertHTML' : 'insertText', false, html || text);\n"
               "  }\n"
               "  return surfaceText(surface);\n"
               "})(%1, %2)")
               .arg(scriptStringLiteral(text), html.isNull() ? QStringLiteral("null") : scriptStringLiteral(html));
}

QString selectSurfaceScript()
{
    return QStringLiteral("(function () {\n") + insertHelpers +
           QStringLiteral("  var surface = window.messageSurface;\n"
                          "  if (!surface || !surface.isConnected || !hostOf(surface)) return report('none');\n"
                          "  selectAll(surface);\n"
                          "  return surfaceText(surface);\n"
                          "})()");
}

QString readSurfaceScript()
{
    return QStringLiteral("(function () {\n") + insertHelpers +
           QStringLiteral("  return surfaceText(window.messageSurface);\n"
                          "})()");
}

QString insertAtCaretScript(const QString &text)
{
    return QStringLiteral("(function (text) {\n"
                          "  text = text.replace(/\\r\\n?/g, '\\n');\n"
                          "  var doc = document;\n"
                          "  var element = doc.activeElement;\n"
                          "  while (element && (element.tagName === 'IFRAME' || element.tagName === 'FRAME')) {\n"
                          "    var inner = null;\n"
                          "    try { inner = element.contentDocument; } catch (e) { inner = null; }\n"
                          "    if (!inner) return false;\n"
                          "    doc = inner;\n"
                          "    element = doc.activeElement;\n"
                          "  }\n"
                          "  if (!element) return false;\n"
                          "  var isField = element.tagName === 'TEXTAREA' || element.tagName === 'INPUT';\n"
                          "  if (!isField && !element.isContentEditable) return false;\n"
                          "  if (element.disabled || element.readOnly) return false;\n"
                          "  if (doc.execCommand('insertText', false, text)) return true;\n"
                          "  // Typing into the field by hand; only a field that has a caret takes text.\n"
                          "  var start = null;\n"
                          "  try { start = isField ? element.selectionStart : null; } catch (e) { start = null; }\n"
                          "  if (start === null) return false;\n"
                          "  element.setRangeText(text, start, element.selectionEnd, 'end');\n"
                          "  element.dispatchEvent(new Event('input', {bubbles: true}));\n"
                          "  return true;\n"
                          "})(%1)")
        .arg(scriptStringLiteral(text));
}
