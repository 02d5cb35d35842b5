// Starts watching the page; gives {href, body: the body's outer markup or null}.
(function () {
  startWatching();
  return {href: location.href, body: document.body ? document.body.outerHTML : null};
})
