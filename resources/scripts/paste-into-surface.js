// Pastes the message into the surface the fill kept, as a person's paste arrives (html may be
// null). Gives the report of the surface.
(function (text, html) {
  var surface = window.messageSurface;
  var host = surface && surface.isConnected ? hostOf(surface) : null;
  if (!host) return report('none');
  text = text.replace(/\r\n?/g, '\n');
  // A paste as the browser delivers it: the editor takes the data into its own model.
  var data = new DataTransfer();
  data.setData('text/plain', text);
  if (html) data.setData('text/html', html);
  var paste = new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true});
  var target = window.messageInput && window.messageInput.isConnected ? window.messageInput
      : host.ownerDocument.activeElement;
  if (!target || !host.contains(target)) target = host;
  // What the paste adds to the page is looked at while the message is read back: an
  // editor may open a question instead of taking it.
  if (window.messageWatch) window.messageWatch.disconnect();
  var added = window.messageAdded = [];
  var note = function (records) {
    records.forEach(function (record) {
      record.addedNodes.forEach(function (node) { if (node.nodeType === 1) added.push(node); });
    });
  };
  var watch = window.messageWatch = new MutationObserver(note);
  var tree = {childList: true, subtree: true};
  watch.observe(document.documentElement, tree);
  if (host.ownerDocument !== document) watch.observe(host.ownerDocument.documentElement, tree);
  setTimeout(function () { watch.disconnect(); }, 5000);
  if (target.dispatchEvent(paste)) {
    // Nobody took the paste: the browser's own editing command puts it in, and the
    // page hears of it through its input events.
    host.ownerDocument.execCommand(html ? 'insertHTML' : 'insertText', false, html || text);
  }
  note(watch.takeRecords());
  return surfaceText(surface);
})
