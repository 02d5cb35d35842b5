// Real text for the link benchmarks: the files under /usr/share/doc (changelogs, copyright files,
// READMEs), gzipped ones unpacked, in a fixed order, so every run and every tool sees the same.
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const root = '/usr/share/doc';

function listFiles(dir, out) {
  for (const name of fs.readdirSync(dir).sort()) {
    const full = path.join(dir, name);
    const stat = fs.lstatSync(full);
    if (stat.isDirectory()) listFiles(full, out);
    else if (stat.isFile() && stat.size > 0 && stat.size < 4 * 1024 * 1024) out.push(full);
  }
  return out;
}

function decode(bytes) {
  try {
    return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch {
    return new TextDecoder('latin1').decode(bytes);
  }
}

// Each readable text file: { file, text }. Binary files (a NUL byte) are skipped.
export function* docTexts() {
  for (const file of listFiles(root, [])) {
    let bytes;
    try {
      bytes = fs.readFileSync(file);
      if (file.endsWith('.gz')) bytes = zlib.gunzipSync(bytes);
    } catch {
      continue;
    }
    if (bytes.includes(0)) continue;
    yield { file, text: decode(bytes) };
  }
}

// Texts that hold something like an address, each cut to its first 32 Ki characters: a few
// changelogs run to megabytes, and the reference autolinker slows down on long texts.
export function textsWithAddresses(count) {
  const picked = [];
  for (const entry of docTexts()) {
    entry.text = entry.text.slice(0, 32 * 1024);
    if (/https?:\/\/|ftp:\/\/|www\.|@/i.test(entry.text)) picked.push(entry);
    if (picked.length === count) break;
  }
  return picked;
}

// Real text of exactly size UTF-16 units: the texts one after another, cut at size.
export function realText(size) {
  let parts = [];
  let length = 0;
  for (const { text } of docTexts()) {
    parts.push(text);
    length += text.length;
    if (length >= size) break;
  }
  let all = parts.join('\n');
  while (all.length < size) all += '\n' + all;
  return all.slice(0, size);
}
