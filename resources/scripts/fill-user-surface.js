// Fills the editing surface the user works in, if any. Gives the insert report; "none" when there
// is no such surface.
(function (text) {
  var found = focusedSurface() || composer();
  return found ? fill(found, text) : report('none');
})
