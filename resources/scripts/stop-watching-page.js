// Takes the observer out of the page. Gives true.
(function () {
  if (watch) { watch.observer.disconnect(); delete window.threadloomPageChanges; }
  return true;
})
