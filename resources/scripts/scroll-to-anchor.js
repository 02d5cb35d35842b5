// Scrolls to the element with this id or anchor name. Gives whether the page has one.
(function (anchor) {
  var target = document.getElementById(anchor) || document.getElementsByName(anchor)[0];
  if (!target) return false;
  target.scrollIntoView();
  return true;
})
