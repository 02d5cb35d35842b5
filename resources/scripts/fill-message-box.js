// Fills the message box of the given form (either index -1: the first form that owns a text
// area), or the editing surface that stands for it. Gives the insert report.
(function (formIndex, fieldIndex, text) {
  var form = null;
  var field = null;
  if (formIndex >= 0 && fieldIndex >= 0) {
    form = document.forms[formIndex];
    if (!form) return report('none');
    field = form.elements[fieldIndex];
    if (!isTextArea(field)) field = firstTextArea(form);
  } else {
    // The markup shows no form around a text area, yet a form that the page built
    // empty still owns the fields that ended up after it.
    for (var f = 0; f < document.forms.length && !field; ++f) {
      field = firstTextArea(document.forms[f]);
      if (field) form = document.forms[f];
    }
  }
  var surface = null;
  var input = null;
  if (field && !shown(field)) {
    // An editor hides the text area and shows its own surface beside it, within the form
    // or next to it; the nearest one stands for the text area.
    var limit = form && form.parentElement;
    for (var node = field.parentElement; node && !surface; node = node.parentElement) {
      surface = surfacesIn(node)[0] || null;
      var code = surface ? null : codeEditorIn(node, field);
      if (code) { surface = code.surface; input = code.input; }
      if (node === limit) break;
    }
  } else if (!field) {
    // A form without a text area: its visible editing surface is the message box.
    var forms = form ? [form] : document.forms;
    for (var g = 0; g < forms.length && !surface; ++g) surface = surfacesIn(forms[g])[0] || null;
  }
  if (surface) return fill({surface: surface, input: input}, text);
  return field ? fill({field: field}, text) : report('none');
})
