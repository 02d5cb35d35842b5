// Gives {href, markup: what was noted} and forgets it, or null without an observer.
(function () {
  if (!watch) return null;
  prune();
  var noted = watch.added;
  watch.added = new Set();
  var escaped = function (text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
  };
  var parts = [];
  noted.forEach(function (node) {
    for (var up = node.parentNode; up; up = up.parentNode) { if (noted.has(up)) return; }
    parts.push(node.nodeType === 1 ? node.outerHTML : escaped(node.data));
  });
  return {href: location.href, markup: parts.join('\n')};
})
