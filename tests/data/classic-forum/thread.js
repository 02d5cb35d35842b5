// The thread page's quick reply: the form goes out with XMLHttpRequest and the board's answer, the
// markup of the posts after the last one the page shows, is added to the posts in place. Without
// scripts the form posts as any other.
(function () {
  'use strict';
  function setUp() {
    var form = document.getElementById('quick_reply_form');
    if (!form)
      return;
    var button = document.getElementById('quick_reply_submit');
    var errors = document.getElementById('quick_reply_errors');
    form.addEventListener('submit', function (event) {
      event.preventDefault();
      button.disabled = true;
      var request = new XMLHttpRequest();
      request.open('POST', form.getAttribute('action') + '&ajax=1');
      request.setRequestHeader('Content-Type', 'application/x-www-form-urlencoded');
      request.onloadend = function () {
        button.disabled = false;
        var answer = request.responseText || '';
        if (request.status !== 200 || answer.charAt(0) === '{') {
          var reasons = ['An unknown error has occurred.'];
          try { reasons = JSON.parse(answer).errors || reasons; } catch (e) { }
          errors.textContent = 'There was an error posting your reply: ' + reasons.join(' ');
          errors.style.display = '';
          return;
        }
        errors.style.display = 'none';
        document.getElementById('posts').insertAdjacentHTML('beforeend', answer);
        var shown = document.querySelectorAll('#posts .post[id^="post_"]');
        if (shown.length)
          document.getElementById('lastpid').value = shown[shown.length - 1].id.slice(5);
        form.elements.message.value = '';
      };
      request.send(new URLSearchParams(new FormData(form)).toString());
    });
  }
  if (document.readyState === 'loading')
    document.addEventListener('DOMContentLoaded', setUp);
  else
    setUp();
})();
