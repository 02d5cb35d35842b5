// Notes the post boxes outside any form that a person sees once the page has loaded, and the
// page's first change from then on. Gives how many there are.
(function () {
  var found = looseSurfaces();
  window.surfacesAtLoad = new WeakSet(found.map(found.element));
  // Told once, at the page's first change, and never again.
  window.changedSinceLoad = false;
  var watch = new MutationObserver(function () {
    window.changedSinceLoad = true;
    watch.disconnect();
  });
  watch.observe(document.documentElement, {childList: true, attributes: true, subtree: true});
  return found.length;
})
