// Focuses the surface the fill kept and selects all it holds again. Gives its report.
(function () {
  var surface = window.messageSurface;
  if (!surface || !surface.isConnected || !hostOf(surface)) return report('none');
  selectAll(surface);
  return surfaceText(surface);
})
