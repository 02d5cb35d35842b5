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
    "  var report = function (road, text, more) {\n"
    "    var answer = {road: road, text: text || ''};\n"
    "    for (var key in more || {}) answer[key] = more[key];\n"
    "    return JSON.stringify(answer);\n"
    "  };\n"
    "  var isTextArea = function (e) { return !!e && e.tagName === 'TEXTAREA'; };\n"
    "  var takesText = function (e) { return !e.disabled && !e.readOnly; };\n"
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
    "  // A question an editor opened instead of taking the paste: an element the paste added beside\n"
    "  // the surface that a person sees in the window, with buttons to answer it, that is a dialog or\n"
    "  // has taken the keyboard focus.\n"
    "  var answers = 'button, input[type=button], input[type=submit], [role=button]';\n"
    "  var dialogs = 'dialog, [role=dialog], [role=alertdialog], [aria-modal=true]';\n"
    "  var openQuestion = function (surface) {\n"
    "    var added = window.messageAdded || [];\n"
    "    var host = hostOf(surface);\n"
    "    for (var i = 0; i < added.length; ++i) {\n"
    "      var e = added[i];\n"
    "      if (!e.isConnected || surface.contains(e) || e.contains(surface) || (host && host.contains(e))) continue;\n"
    "      if (!shown(e) || !(e.matches(answers) || e.querySelector(answers))) continue;\n"
    "      var asking = e.matches(dialogs) || e.querySelector(dialogs) || e.closest(dialogs);\n"
    "      if (!asking && !e.contains(e.ownerDocument.activeElement)) continue;\n"
    "      var box = e.getBoundingClientRect(), view = e.ownerDocument.defaultView;\n"
    "      if (box.bottom > 0 && box.right > 0 && box.top < view.innerHeight && box.left < view.innerWidth) return e;\n"
    "    }\n"
    "    return null;\n"
    "  };\n"
    "  var surfaceText = function (surface) {\n"
    "    var host = surface && surface.isConnected ? hostOf(surface) : null;\n"
    "    if (!host) return report('none');\n"
    "    return report('editor', host.innerText, {asked: !!openQuestion(surface), focused: document.hasFocus()});\n"
    "  };\n"
    "  // Puts text into what was found: a text area takes it as its value, and page scripts learn of\n"
    "  // it through \"input\" and \"change\" events. An editing surface is kept for the scripts that\n"
    "  // follow, focused with all it holds selected, as a person would before pasting.\n"
    "  var fill = function (found, text) {\n"
    "    window.messageSurface = found.surface || null;\n"
    "    window.messageInput = found.input || null;\n"
    "    if (found.surface) {\n"
    "      selectAll(found.surface);\n"
    "      return surfaceText(found.surface);\n"
    "    }\n"
    "    var field = found.field;\n"
    "    field.value = text;\n"
    "    field.dispatchEvent(new Event('input', {bubbles: true}));\n"
    "    field.dispatchEvent(new Event('change', {bubbles: true}));\n"
    "    return report('field', field.value);\n"
    "  };\n");

// What the user is working in: the focused editing surface, else a composer the page opened after
// it loaded. Text areas and editors outside any form count as post boxes; those a person saw when
// the page had loaded are none.
const QString userSurfaceHelpers = QStringLiteral(
    "  // The focused element, followed into same-origin frames that are no editing surface themselves.\n"
    "  var focusedElement = function () {\n"
    "    var element = document.activeElement;\n"
    "    while (element && /^I?FRAME$/.test(element.tagName) && !frameDocument(element)) {\n"
    "      var inner = null;\n"
    "      try { inner = element.contentDocument; } catch (e) { inner = null; }\n"
    "      element = inner ? inner.activeElement : null;\n"
    "    }\n"
    "    return element;\n"
    "  };\n"
    "  // The focused text area, editing host or editor frame, as {field} or {surface, input}.\n"
    "  var focusedSurface = function () {\n"
    "    var element = focusedElement();\n"
    "    if (!element) return null;\n"
    "    if (/^I?FRAME$/.test(element.tagName)) return {surface: element};\n"
    "    if (isTextArea(element)) {\n"
    "      if (!takesText(element)) return null;\n"
    "      if (shown(element)) return {field: element};\n"
    "      // A code editor's own input, out of sight inside the text it draws.\n"
    "      var view = element.parentElement;\n"
    "      while (view && !shown(view)) view = view.parentElement;\n"
    "      return view && view !== view.ownerDocument.body ? {surface: view, input: element} : null;\n"
    "    }\n"
    "    if (!element.isContentEditable) return null;\n"
    "    var host = element;\n"
    "    while (host.parentElement && host.parentElement.isContentEditable) host = host.parentElement;\n"
    "    return {surface: host};\n"
    "  };\n"
    "  // The text areas and editing surfaces outside any form that a person sees, in page order.\n"
    "  var looseSurfaces = function () {\n"
    "    var found = [];\n"
    "    var areas = document.querySelectorAll('textarea');\n"
    "    for (var i = 0; i < areas.length; ++i) {\n"
    "      var area = areas[i];\n"
    "      if (!area.form && takesText(area) && shown(area)) found.push({field: area});\n"
    "    }\n"
    "    surfacesIn(document).forEach(function (surface) {\n"
    "      if (!surface.closest('form')) found.push({surface: surface});\n"
    "    });\n"
    "    var element = function (one) { return one.field || one.surface; };\n"
    "    found.sort(function (a, b) {\n"
    "      return element(a).compareDocumentPosition(element(b)) & Node.DOCUMENT_POSITION_FOLLOWING ? -1 : 1;\n"
    "    });\n"
    "    found.element = element;\n"
    "    return found;\n"
    "  };\n"
    "  // The newest post box outside any form that was not in sight when the page had loaded. A page\n"
    "  // that has not changed since has opened none, and a large one is not searched for it.\n"
    "  var composer = function () {\n"
    "    var atLoad = window.surfacesAtLoad;\n"
    "    if (!atLoad || !window.changedSinceLoad) return null;\n"
    "    var found = looseSurfaces();\n"
    "    for (var i = found.length - 1; i >= 0; --i) {\n"
    "      if (!atLoad.has(found.element(found[i]))) return found[i];\n"
    "    }\n"
    "    return null;\n"
    "  };\n");

} // namespace

QString readBodyOuterScript()
{
    return QStringLiteral("(function () {\n"
                          "  var body = document.body;\n"
                          "  return body ? body.outerHTML : null;\n"
                          "})()");
}

QString noteLoadedSurfacesScript()
{
    return QStringLiteral("(function () {\n") + insertHelpers + userSurfaceHelpers +
           QStringLiteral(
               "  var found = looseSurfaces();\n"
               "  window.surfacesAtLoad = new WeakSet(found.map(found.element));\n"
               "  // Told once, at the page's first change, and never again.\n"
               "  window.changedSinceLoad = false;\n"
               "  var watch = new MutationObserver(function () {\n"
               "    window.changedSinceLoad = true;\n"
               "    watch.disconnect();\n"
               "  });\n"
               "  watch.observe(document.documentElement, {childList: true, attributes: true, subtree: true});\n"
               "  return found.length;\n"
               "})()");
}

QString fillUserSurfaceScript(const QString &text)
{
    return QStringLiteral("(function (text) {\n") + insertHelpers + userSurfaceHelpers +
           QStringLiteral("  var found = focusedSurface() || composer();\n"
                          "  return found ? fill(found, text) : report('none');\n"
                          "})(%1)")
               .arg(scriptStringLiteral(text));
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
               "  if (surface) return fill({surface: surface, input: input}, text);\n"
               "  return field ? fill({field: field}, text) : report('none');\n"
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
               "  // What the paste adds to the page is looked at while the message is read back: an\n"
               "  // editor may open a question instead of taking it.\n"
               "  if (window.messageWatch) window.messageWatch.disconnect();\n"
               "  var added = window.messageAdded = [];\n"
               "  var note = function (records) {\n"
               "    records.forEach(function (record) {\n"
               "      record.addedNodes.forEach(function (node) { if (node.nodeType === 1) added.push(node); });\n"
               "    });\n"
               "  };\n"
               "  var watch = window.messageWatch = new MutationObserver(note);\n"
               "  var tree = {childList: true, subtree: true};\n"
               "  watch.observe(document.documentElement, tree);\n"
               "  if (host.ownerDocument !== document) watch.observe(host.ownerDocument.documentElement, tree);\n"
               "  setTimeout(function () { watch.disconnect(); }, 5000);\n"
               "  if (target.dispatchEvent(paste)) {\n"
               "    // Nobody took the paste: the browser's own editing command puts it in, and the\n"
               "    // page hears of it through its input events.\n"
               "    host.ownerDocument.execCommand(html ? 'insertHTML' : 'insertText', false, html || text);\n"
               "  }\n"
               "  note(watch.takeRecords());\n"
               "  return surfaceText(surface);\n"
               "})(%1, %2)")
               .arg(scriptStringLiteral(text), html.isNull() ? QStringLiteral("null") : scriptStringLiteral(html));
}

QString answerQuestionScript(const QString &text, const QString &html)
{
    return QStringLiteral("(function (text, html) {\n") + insertHelpers +
           QStringLiteral("  var surface = window.messageSurface;\n"
                          "  var host = surface && surface.isConnected ? hostOf(surface) : null;\n"
                          "  if (!host) return report('none');\n"
                          "  var question = openQuestion(surface);\n"
                          "  if (question) {\n"
                          "    var asked = question.ownerDocument.activeElement;\n"
                          "    if (asked && question.contains(asked) && /^(BUTTON|INPUT)$/.test(asked.tagName)) {\n"
                          "      asked.click();\n"
                          "      return surfaceText(surface);\n"
                          "    }\n"
                          "    // Escape, as a person closes a question they do not mean to answer.\n"
                          "    if (!asked || !question.contains(asked)) asked = question;\n"
                          "    var keys = {key: 'Escape', code: 'Escape', keyCode: 27, which: 27,\n"
                          "                bubbles: true, cancelable: true};\n"
                          "    asked.dispatchEvent(new KeyboardEvent('keydown', keys));\n"
                          "    asked.dispatchEvent(new KeyboardEvent('keyup', keys));\n"
                          "    if (openQuestion(surface)) return surfaceText(surface);\n"
                          "  }\n"
                          "  // Typed in with the browser's own editing command, which asks nothing; the editor hears\n"
                          "  // of it through its input events.\n"
                          "  selectAll(surface);\n"
                          "  text = text.replace(/\\r\\n?/g, '\\n');\n"
                          "  host.ownerDocument.execCommand(html ? 'insertHTML' : 'insertText', false, html || text);\n"
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
