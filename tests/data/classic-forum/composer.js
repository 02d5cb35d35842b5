// The thread page's reply composer, as single-page boards have it: the "Reply" button opens a
// panel at the foot of the page without a load; its message box sits in no form. "Submit" sends
// the message as the quick reply does (XMLHttpRequest), adds the board's answer to the posts and
// closes the panel. With data-editor="sceditor" the box becomes SCEditor in BBCode mode.
(function () {
  'use strict';
  var panel = null;
  var editor = null;

  function message() {
    return editor ? editor.val() : document.getElementById('composer_message').value;
  }

  function close() {
    if (editor)
      editor.destroy();
    editor = null;
    panel.remove();
    panel = null;
  }

  function submit(opener) {
    var errors = document.getElementById('composer_errors');
    var fields = new URLSearchParams();
    fields.set('my_post_key', opener.dataset.postKey);
    fields.set('tid', opener.dataset.tid);
    fields.set('subject', opener.dataset.subject);
    fields.set('action', 'do_newreply');
    fields.set('method', 'composer');
    var last = document.getElementById('lastpid');
    fields.set('lastpid', last ? last.value : '0');
    fields.set('message', message());
    var request = new XMLHttpRequest();
    request.open('POST', 'newreply.php?tid=' + encodeURIComponent(opener.dataset.tid) + '&processed=1&ajax=1');
    request.setRequestHeader('Content-Type', 'application/x-www-form-urlencoded');
    request.onloadend = function () {
      var answer = request.responseText || '';
      if (request.status !== 200 || answer.charAt(0) === '{') {
        var reasons = ['An unknown error has occurred.'];
        try { reasons = JSON.parse(answer).errors || reasons; } catch (e) { }
        errors.textContent = 'There was an error posting your reply: ' + reasons.join(' ');
        return;
      }
      document.getElementById('posts').insertAdjacentHTML('beforeend', answer);
      var shown = document.querySelectorAll('#posts .post[id^="post_"]');
      if (last && shown.length)
        last.value = shown[shown.length - 1].id.slice(5);
      close();
    };
    request.send(fields.toString());
  }

  function open(opener) {
    if (panel)
      return;
    panel = document.createElement('div');
    panel.id = 'composer';
    panel.className = 'composer';
    panel.innerHTML = '<div class="thead"><strong>Replying to ' + opener.dataset.subject.replace(/[<&]/g, '') +
        '</strong></div><textarea id="composer_message" rows="10" cols="80" style="width: 600px; height: 200px">' +
        '</textarea><div><button type="button" id="composer_submit" class="button">Submit</button> ' +
        '<button type="button" id="composer_discard" class="button">Discard</button></div>' +
        '<div class="error" id="composer_errors"></div>';
    document.body.appendChild(panel);
    var box = document.getElementById('composer_message');
    if (opener.dataset.editor === 'sceditor') {
      sceditor.create(box, {format: 'bbcode', emoticonsEnabled: false,
                            style: '/node_modules/sceditor/minified/themes/content/default.min.css'});
      editor = sceditor.instance(box);
    } else {
      box.focus();
    }
    document.getElementById('composer_submit').addEventListener('click', function () { submit(opener); });
    document.getElementById('composer_discard').addEventListener('click', close);
    panel.dataset.ready = 'yes';
  }

  function setUp() {
    var opener = document.getElementById('composer_open');
    if (opener)
      opener.addEventListener('click', function () { open(opener); });
  }
  if (document.readyState === 'loading')
    document.addEventListener('DOMContentLoaded', setUp);
  else
    setUp();
})();
