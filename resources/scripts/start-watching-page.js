// Starts watching the page; gives {href}.
(function () {
  startWatching();
  return {href: location.href};
})
