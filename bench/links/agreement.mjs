// Compares the addresses the modern link rules find with those of linkify-it 5 (fuzzyLink off,
// plus its "www." links) over real text holding addresses, same start, end and target.
// Usage: node bench/links/agreement.mjs BUILD_DIR [--texts=3000] [--show=60]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import LinkifyIt from 'linkify-it';
import { textsWithAddresses } from './corpus.mjs';

const args = process.argv.slice(2);
const buildDir = args.find((a) => !a.startsWith('--')) ?? 'build';
const option = (name, fallback) => {
  const hit = args.find((a) => a.startsWith(`--${name}=`));
  return hit ? Number(hit.split('=')[1]) : fallback;
};
const textCount = option('texts', 3000);
const show = option('show', 60);

const entries = textsWithAddresses(textCount);
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'threadloom-links-'));
const corpusFile = path.join(scratch, 'texts.json');
fs.writeFileSync(corpusFile, JSON.stringify(entries.map((e) => e.text)));
const dump = execFileSync(path.join(buildDir, 'bench/compose/threadloom_linkdump'), [corpusFile], {
  maxBuffer: 1 << 30,
  encoding: 'utf8',
});
fs.rmSync(scratch, { recursive: true });
const ours = dump.trimEnd().split('\n').map((line) => JSON.parse(line));

// The same encoding the program applies to a target in html markup.
const encodeTarget = (url) => url.replace(/['"<> ]/g, (c) => '%' + c.charCodeAt(0).toString(16).toUpperCase());

const strict = new LinkifyIt({}, { fuzzyLink: false });
const fuzzy = new LinkifyIt({}, { fuzzyLink: true });
function reference(text) {
  const links = (strict.match(text) ?? []).map((m) => [m.index, m.lastIndex, encodeTarget(m.url)]);
  const www = (fuzzy.match(text) ?? []).filter((m) => m.schema === '' && /^www\./i.test(m.raw));
  for (const m of www) {
    if (!links.some(([s, e]) => s < m.lastIndex && m.index < e))
      links.push([m.index, m.lastIndex, encodeTarget(m.url)]);
  }
  return links;
}

let total = 0;
let agreed = 0;
const differences = [];
entries.forEach((entry, i) => {
  const mine = new Map(ours[i].map((l) => [l[0], l]));
  const theirs = new Map(reference(entry.text).map((l) => [l[0], l]));
  for (const start of new Set([...mine.keys(), ...theirs.keys()])) {
    ++total;
    const a = mine.get(start);
    const b = theirs.get(start);
    if (a && b && a[1] === b[1] && a[2] === b[2]) {
      ++agreed;
      continue;
    }
    const context = entry.text.slice(Math.max(0, start - 20), Math.max(a?.[1] ?? 0, b?.[1] ?? 0) + 10);
    differences.push({
      file: entry.file,
      ours: a ? a[2] : '-',
      linkify: b ? b[2] : '-',
      context: JSON.stringify(context),
    });
  }
});

console.log(`texts: ${entries.length}, addresses: ${total}, same start, end and target: ${agreed}`);
console.log(`agreement: ${((100 * agreed) / total).toFixed(2)}% (${differences.length} differ)`);
for (const d of differences.slice(0, show))
  console.log(`- ${d.file}\n    ours:    ${d.ours}\n    linkify: ${d.linkify}\n    text:    ${d.context}`);
if (differences.length > show) console.log(`(${differences.length - show} more; --show=N lists more)`);
