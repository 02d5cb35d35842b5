// What the user is working in: the focused editing surface, else a composer the page opened after
// it loaded. Text areas and editors outside any form count as post boxes; those a person saw when
// the page had loaded are none. Uses the insert helpers.
// The focused element, followed into same-origin frames that are no editing surface themselves.
var focusedElement = function () {
  var element = document.activeElement;
  while (element && /^I?FRAME$/.test(element.tagName) && !frameDocument(element)) {
    var inner = null;
    try { inner = element.contentDocument; } catch (e) { inner = null; }
    element = inner ? inner.activeElement : null;
  }
  return element;
};
// The focused text area, editing host or editor frame, as {field} or {surface, input}.
var focusedSurface = function () {
  var element = focusedElement();
  if (!element) return null;
  if (/^I?FRAME$/.test(element.tagName)) return {surface: element};
  if (isTextArea(element)) {
    if (!takesText(element)) return null;
    if (shown(element)) return {field: element};
    // A code editor's own input, out of sight inside the text it draws.
    var view = element.parentElement;
    while (view && !shown(view)) view = view.parentElement;
    return view && view !== view.ownerDocument.body ? {surface: view, input: element} : null;
  }
  if (!element.isContentEditable) return null;
  var host = element;
  while (host.parentElement && host.parentElement.isContentEditable) host = host.parentElement;
  return {surface: host};
};
// The text areas and editing surfaces outside any form that a person sees, in page order.
var looseSurfaces = function () {
  var found = [];
  var areas = document.querySelectorAll('textarea');
  for (var i = 0; i < areas.length; ++i) {
    var area = areas[i];
    if (!area.form && takesText(area) && shown(area)) found.push({field: area});
  }
  surfacesIn(document).forEach(function (surface) {
    if (!surface.closest('form')) found.push({surface: surface});
  });
  var element = function (one) { return one.field || one.surface; };
  found.sort(function (a, b) {
    return element(a).compareDocumentPosition(element(b)) & Node.DOCUMENT_POSITION_FOLLOWING ? -1 : 1;
  });
  found.element = element;
  return found;
};
// The newest post box outside any form that was not in sight when the page had loaded. A page
// that has not changed since has opened none, and a large one is not searched for it.
var composer = function () {
  var atLoad = window.surfacesAtLoad;
  if (!atLoad || !window.changedSinceLoad) return null;
  var found = looseSurfaces();
  for (var i = found.length - 1; i >= 0; --i) {
    if (!atLoad.has(found.element(found[i]))) return found[i];
  }
  return null;
};
