// Gives the body's outer markup, or null when the page has no body.
(function () {
  var body = document.body;
  return body ? body.outerHTML : null;
})
