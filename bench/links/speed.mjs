// Times the modern link rules (bench_modernlinks, Google Benchmark) and linkify-it 5 finding and
// building links over the same real text, 1 MiB and 4 MiB of it. linkify-it runs with fuzzyLink
// off, so it skips the search for www. addresses that the modern rules make: less work, not more.
// Usage: node bench/links/speed.mjs BUILD_DIR
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import LinkifyIt from 'linkify-it';
import { realText } from './corpus.mjs';

const buildDir = process.argv[2] ?? 'build';
const bench = path.join(buildDir, 'bench/compose/bench_modernlinks');
const linkify = new LinkifyIt({}, { fuzzyLink: false });

// The html links for one text, as the program writes them.
function linkified(text) {
  const matches = linkify.match(text);
  if (!matches) return text;
  let out = '';
  let copied = 0;
  for (const m of matches) {
    out += text.slice(copied, m.index) + "<a href='" + m.url + "'>" + m.text + '</a>';
    copied = m.lastIndex;
  }
  return out + text.slice(copied);
}

// CPU time, as the benchmark reports it: the machine may be busy with other work.
function medianMs(run, times) {
  const samples = [];
  for (let i = 0; i < times; ++i) {
    const start = process.cpuUsage();
    run();
    const used = process.cpuUsage(start);
    samples.push((used.user + used.system) / 1e3);
  }
  return samples.sort((a, b) => a - b)[Math.floor(times / 2)];
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'threadloom-speed-'));
const rows = [];
for (const size of [1 << 20, 4 << 20]) {
  const text = realText(size);
  const file = path.join(scratch, `text-${size}.txt`);
  fs.writeFileSync(file, text);
  const report = JSON.parse(
    execFileSync(bench, [`--text=${file}`, `--benchmark_filter=BM_modernLinks/chars:${size}$`,
      '--benchmark_format=json', '--benchmark_repetitions=5', '--benchmark_report_aggregates_only=true'],
      { encoding: 'utf8' }));
  const median = report.benchmarks.find((b) => b.aggregate_name === 'median');
  const ours = median.cpu_time; // ms: the benchmark's unit
  // linkify-it scans the rest of its input again for every link it finds, so it is given the
  // text a line at a time, as an editor hands it paragraphs: its fastest way through.
  const lines = text.split('\n');
  const theirs = medianMs(() => lines.map(linkified).join('\n'), 5);
  rows.push({ size, ours, theirs });
}
fs.rmSync(scratch, { recursive: true });

console.log('chars      modern rules (CPU ms)   linkify-it by lines (CPU ms)   ratio');
for (const { size, ours, theirs } of rows)
  console.log(`${String(size).padEnd(10)} ${ours.toFixed(2).padStart(12)} ${theirs.toFixed(1).padStart(28)} ${(theirs / ours).toFixed(0).padStart(10)}x`);
const [small, large] = rows;
console.log(`4 MiB / 1 MiB time: modern rules ${(large.ours / small.ours).toFixed(2)}, linkify-it ${(large.theirs / small.theirs).toFixed(2)}`);
