// Answers the question an editor opened instead of taking the paste, then types the message in
// when the question is gone. Gives the report of the surface.
(function (text, html) {
  var surface = window.messageSurface;
  var host = surface && surface.isConnected ? hostOf(surface) : null;
  if (!host) return report('none');
  var question = openQuestion(surface);
  if (question) {
    var asked = question.ownerDocument.activeElement;
    if (asked && question.contains(asked) && /^(BUTTON|INPUT)$/.test(asked.tagName)) {
      asked.click();
      return surfaceText(surface);
    }
    // Escape, as a person closes a question they do not mean to answer.
    if (!asked || !question.contains(asked)) asked = question;
    var keys = {key: 'Escape', code: 'Escape', keyCode: 27, which: 27,
                bubbles: true, cancelable: true};
    asked.dispatchEvent(new KeyboardEvent('keydown', keys));
    asked.dispatchEvent(new KeyboardEvent('keyup', keys));
    if (openQuestion(surface)) return surfaceText(surface);
  }
  // Typed in with the browser's own editing command, which asks nothing; the editor hears
  // of it through its input events.
  selectAll(surface);
  text = text.replace(/\r\n?/g, '\n');
  host.ownerDocument.execCommand(html ? 'insertHTML' : 'insertText', false, html || text);
  return surfaceText(surface);
})
