// Gives the report of the surface the fill kept.
(function () {
  return surfaceText(window.messageSurface);
})
