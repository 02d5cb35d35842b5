// Gives {href, changed, boxes}, or null without an observer.
(function () {
  if (!watch) return null;
  prune();
  var changed = watch.added.size;
  return {href: location.href, changed: changed, boxes: changed ? boxes() : []};
})
