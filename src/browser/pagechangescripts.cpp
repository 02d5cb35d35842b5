#include "browser/pagechangescripts.h"

namespace {

// The observer and what it noted live in window.threadloomPageChanges of the application's world,
// which the page's own scripts cannot see.
const QString observer = QStringLiteral(
    "  var watch = window.threadloomPageChanges;\n"
    "  // Inside a writing box, the user or an editor is typing: that is no change of the page.\n"
    "  var inBox = function (node) {\n"
    "    var e = node.nodeType === 1 ? node : node.parentElement;\n"
    "    return !e || e.isContentEditable || !!e.closest('textarea, script, style, noscript, template');\n"
    "  };\n"
    "  var shown = function (e) {\n"
    "    if (!e.getClientRects().length) return false;\n"
    "    return e.ownerDocument.defaultView.getComputedStyle(e).visibility !== 'hidden';\n"
    "  };\n"
    "  var boxLimit = 4000;\n"
    "  var boxes = function () {\n"
    "    var texts = [];\n"
    "    var areas = document.querySelectorAll('textarea');\n"
    "    for (var i = 0; i < areas.length; ++i) {\n"
    "      if (shown(areas[i])) texts.push(areas[i].value.slice(0, boxLimit));\n"
    "    }\n"
    "    var hosts = document.querySelectorAll('[contenteditable], iframe');\n"
    "    for (var j = 0; j < hosts.length; ++j) {\n"
    "      var host = hosts[j];\n"
    "      if (host.tagName === 'IFRAME') {\n"
    "        var doc = null;\n"
    "        try { doc = host.contentDocument; } catch (e) { doc = null; }\n"
    "        if (doc && doc.body && (doc.designMode === 'on' || doc.body.isContentEditable) && shown(host))\n"
    "          texts.push(doc.body.innerText.slice(0, boxLimit));\n"
    "      } else if (host.isContentEditable && !(host.parentElement && host.parentElement.isContentEditable) &&\n"
    "                 shown(host)) {\n"
    "        texts.push(host.innerText.slice(0, boxLimit));\n"
    "      }\n"
    "    }\n"
    "    return texts;\n"
    "  };\n"
    "  // Noted nodes that left the page again are forgotten; a page that keeps changing while the\n"
    "  // message is still being written keeps no more than the newest ones.\n"
    "  var noteLimit = 5000;\n"
    "  var prune = function () {\n"
    "    watch.added.forEach(function (node) { if (!node.isConnected) watch.added.delete(node); });\n"
    "    var surplus = watch.added.size - noteLimit;\n"
    "    watch.added.forEach(function (node) { if (surplus-- > 0) watch.added.delete(node); });\n"
    "  };\n");

QString script(const QString &body)
{
    return QStringLiteral("(function () {\n") + observer + body + QStringLiteral("})()");
}

} // namespace

namespace {

// Puts the observer in (see watchPageScript), then gives what result says.
QString observerScript(const QString &result)
{
    return script(
        QStringLiteral("  if (!watch && document.readyState !== 'loading') {\n"
                       "    watch = window.threadloomPageChanges = {added: new Set()};\n"
                       "    var note = function (node) {\n"
                       "      if (node.nodeType === 3 ? !/\\S/.test(node.data) : node.nodeType !== 1) return;\n"
                       "      if (!inBox(node)) watch.added.add(node);\n"
                       "    };\n"
                       "    watch.observer = new MutationObserver(function (records) {\n"
                       "      for (var i = 0; i < records.length; ++i) {\n"
                       "        var record = records[i];\n"
                       "        if (record.type === 'characterData') note(record.target);\n"
                       "        for (var j = 0; j < record.addedNodes.length; ++j) note(record.addedNodes[j]);\n"
                       "      }\n"
                       "    });\n"
                       "    watch.observer.observe(document, {childList: true, characterData: true, subtree: true});\n"
                       "  }\n"
                       "  if (watch) watch.added.clear();\n") +
        result);
}

} // namespace

QString watchPageScript()
{
    return observerScript(
        QStringLiteral("  return {href: location.href, body: document.body ? document.body.outerHTML : null};\n"));
}

QString startWatchingPageScript()
{
    return observerScript(QStringLiteral("  return {href: location.href};\n"));
}

QString pollPageChangesScript()
{
    return script(QStringLiteral("  if (!watch) return null;\n"
                                 "  prune();\n"
                                 "  var changed = watch.added.size;\n"
                                 "  return {href: location.href, changed: changed, boxes: changed ? boxes() : []};\n"));
}

QString takePageChangesScript()
{
    return script(
        QStringLiteral("  if (!watch) return null;\n"
                       "  prune();\n"
                       "  var noted = watch.added;\n"
                       "  watch.added = new Set();\n"
                       "  var escaped = function (text) {\n"
                       "    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');\n"
                       "  };\n"
                       "  var parts = [];\n"
                       "  noted.forEach(function (node) {\n"
                       "    for (var up = node.parentNode; up; up = up.parentNode) { if (noted.has(up)) return; }\n"
                       "    parts.push(node.nodeType === 1 ? node.outerHTML : escaped(node.data));\n"
                       "  });\n"
                       "  return {href: location.href, markup: parts.join('\\n')};\n"));
}

QString stopWatchingPageScript()
{
    return script(QStringLiteral("  if (watch) { watch.observer.disconnect(); delete window.threadloomPageChanges; }\n"
                                 "  return true;\n"));
}
