// Gives the markup of the page's head, or the empty text without one.
(function () {
  var head = document.head;
  return head ? head.outerHTML : '';
})
