// Gives [body outerHTML, body innerHTML], or null when the page has no body.
(function () {
  var body = document.body;
  if (!body) return null;
  return [body.outerHTML, body.innerHTML];
})
