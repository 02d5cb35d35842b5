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

QString setMessageFieldScript(int formIndex, int fieldIndex, const QString &text)
{
    return QStringLiteral("(function (formIndex, fieldIndex, text) {\n"
                          "  var isTextArea = function (e) { return !!e && e.tagName === 'TEXTAREA'; };\n"
                          "  var firstTextArea = function (form) {\n"
                          "    for (var i = 0; i < form.elements.length; ++i) {\n"
                          "      if (isTextArea(form.elements[i])) return form.elements[i];\n"
                          "    }\n"
                          "    return null;\n"
                          "  };\n"
                          "  var field = null;\n"
                          "  if (formIndex >= 0 && fieldIndex >= 0) {\n"
                          "    var form = document.forms[formIndex];\n"
                          "    if (!form) return false;\n"
                          "    field = form.elements[fieldIndex];\n"
                          "    if (!isTextArea(field)) field = firstTextArea(form);\n"
                          "  } else {\n"
                          "    // The markup shows no form around a text area, yet a form that the page built\n"
                          "    // empty still owns the fields that ended up after it.\n"
                          "    for (var f = 0; f < document.forms.length && !field; ++f)\n"
                          "      field = firstTextArea(document.forms[f]);\n"
                          "  }\n"
                          "  if (!field) return false;\n"
                          "  field.value = text;\n"
                          "  field.dispatchEvent(new Event('input', {bubbles: true}));\n"
                          "  field.dispatchEvent(new Event('change', {bubbles: true}));\n"
                          "  return true;\n"
                          "})(%1, %2, %3)")
        .arg(formIndex)
        .arg(fieldIndex)
        .arg(scriptStringLiteral(text));
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
