// The post check's observer and what it noted live in window.threadloomPageChanges of the
// application's world, which the page's own scripts cannot see.
var watch = window.threadloomPageChanges;
// Inside a writing box, the user or an editor is typing: that is no change of the page.
var inBox = function (node) {
  var e = node.nodeType === 1 ? node : node.parentElement;
  return !e || e.isContentEditable || !!e.closest('textarea, script, style, noscript, template');
};
var shown = function (e) {
  if (!e.getClientRects().length) return false;
  return e.ownerDocument.defaultView.getComputedStyle(e).visibility !== 'hidden';
};
var boxLimit = 4000;
var boxes = function () {
  var texts = [];
  var areas = document.querySelectorAll('textarea');
  for (var i = 0; i < areas.length; ++i) {
    if (shown(areas[i])) texts.push(areas[i].value.slice(0, boxLimit));
  }
  var hosts = document.querySelectorAll('[contenteditable], iframe');
  for (var j = 0; j < hosts.length; ++j) {
    var host = hosts[j];
    if (host.tagName === 'IFRAME') {
      var doc = null;
      try { doc = host.contentDocument; } catch (e) { doc = null; }
      if (doc && doc.body && (doc.designMode === 'on' || doc.body.isContentEditable) && shown(host))
        texts.push(doc.body.innerText.slice(0, boxLimit));
    } else if (host.isContentEditable && !(host.parentElement && host.parentElement.isContentEditable) &&
               shown(host)) {
      texts.push(host.innerText.slice(0, boxLimit));
    }
  }
  return texts;
};
// Noted nodes that left the page again are forgotten; a page that keeps changing while the
// message is still being written keeps no more than the newest ones.
var noteLimit = 5000;
var prune = function () {
  watch.added.forEach(function (node) { if (!node.isConnected) watch.added.delete(node); });
  var surplus = watch.added.size - noteLimit;
  watch.added.forEach(function (node) { if (surplus-- > 0) watch.added.delete(node); });
};
// Puts the observer in when the page has none and has been parsed (the parser's own nodes would
// all count as added), and forgets what it noted.
var startWatching = function () {
  if (!watch && document.readyState !== 'loading') {
    watch = window.threadloomPageChanges = {added: new Set()};
    var note = function (node) {
      if (node.nodeType === 3 ? !/\S/.test(node.data) : node.nodeType !== 1) return;
      if (!inBox(node)) watch.added.add(node);
    };
    watch.observer = new MutationObserver(function (records) {
      for (var i = 0; i < records.length; ++i) {
        var record = records[i];
        if (record.type === 'characterData') note(record.target);
        for (var j = 0; j < record.addedNodes.length; ++j) note(record.addedNodes[j]);
      }
    });
    watch.observer.observe(document, {childList: true, characterData: true, subtree: true});
  }
  if (watch) watch.added.clear();
};
