// The web page's figures, printed and not judged: the first start from a local server to an
// interactive page, the bytes it downloads, the time from a click on a page to the redrawn
// preview, and an upload of the start-up configuration through the test's Web Serial bridge to
// the display simulator: its span against the sum of its minimum pauses, its pauses short of
// their minimum (both from the simulator's arrival times, through tools/link_benchmark's
// link_figures) and the upload worker's processor time (the renderer's worker thread, from
// /proc). Run by `tests/web/run benchmark`, which then has the Windows editor upload the same
// configuration under Wine (tools/link_benchmark/run editor) for its row beside ours. Last, the
// firmware exchange's time per image byte through the same bridge.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';
import { startSerialBridge } from './serial_bridge.mjs';
import { fakeSource, serveSiteWithFakeWorker, startSimulator } from './serial_harness.mjs';

const [url, , browserPath, root] = process.argv.slice(2);
const runs = 5;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const browser = await chromium.launch({ executablePath: browserPath, headless: true });
const starts = [];
let bytes = 0;
let clicks = [];
for (let run = 0; run < runs; ++run) {
  // A new context each time: nothing cached, as on a first visit.
  const context = await browser.newContext({ viewport: { width: 1366, height: 768 }, serviceWorkers: 'block' });
  const page = await context.newPage();
  let downloaded = 0;
  page.on('response', async (response) => {
    try { downloaded += (await response.body()).length; } catch { /* a redirect has no body */ }
  });
  await page.goto(url);
  await page.waitForSelector('body[data-ready=true]');
  starts.push(await page.evaluate(() => performance.getEntriesByName('veltrana-ready')[0].startTime));
  await page.waitForLoadState('networkidle');
  bytes = downloaded;
  if (run === 0) {
    // A click on page 1 places the selected gauge, a right click there takes it off again: each
    // from the pointer event to the previews redrawn on their canvas.
    clicks = await page.evaluate(() => {
      const overlay = document.getElementById('pages-overlay');
      const box = overlay.getBoundingClientRect();
      const times = [];
      for (let i = 0; i < 40; ++i) {
        const button = i % 2 ? 2 : 0;
        const at = { clientX: box.left + 5, clientY: box.top + 5, button, bubbles: true, pointerId: 1 };
        const started = performance.now();
        overlay.dispatchEvent(new PointerEvent('pointerdown', at));
        overlay.dispatchEvent(new PointerEvent('pointerup', at));
        times.push(performance.now() - started);
      }
      return times;
    });
  }
  await context.close();
}
await browser.close();

const ms = (value) => `${value.toFixed(1)} ms`;
console.log(`first start to an interactive page: ${ms(median(starts))} (median of ${runs}; ${starts.map(ms).join(', ')})`);
console.log(`bytes downloaded: ${bytes} (${(bytes / 1048576).toFixed(2)} MB, uncompressed)`);
console.log(`click on a page to the redrawn preview: ${ms(median(clicks))} median, ${ms(Math.max(...clicks))} at most (${clicks.length} clicks)`);

// --- The upload through the bridge -------------------------------------------------------------

const clockTicks = Number(execFileSync('getconf', ['CLK_TCK'], { encoding: 'utf8' })) || 100;
const monotonicMs = () => Number(process.hrtime.bigint()) / 1e6;  // CLOCK_MONOTONIC, as the simulator's

// The processes under `pid` (the browser this benchmark launched), by their parent links.
function descendants(pid) {
  const parents = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      parents.set(entry, stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
    } catch { /* gone */ }
  }
  const found = new Set([String(pid)]);
  for (let grew = true; grew;) {
    grew = false;
    for (const [child, parent] of parents) if (found.has(parent) && !found.has(child)) { found.add(child); grew = true; }
  }
  return [...found];
}

// The stat files of the dedicated worker threads under `pid` (Chromium names them
// "DedicatedWorker thread", cut to 15 characters).
function workerThreads(pid) {
  const found = [];
  for (const process of descendants(pid)) {
    let tasks = [];
    try { tasks = fs.readdirSync(`/proc/${process}/task`); } catch { continue; }
    for (const task of tasks) {
      try {
        if (fs.readFileSync(`/proc/${process}/task/${task}/comm`, 'utf8').startsWith('DedicatedWorker')) found.push(`/proc/${process}/task/${task}/stat`);
      } catch { /* ended */ }
    }
  }
  return found;
}

// Their processor time (ms, user and system); a thread that has ended keeps its last reading.
const lastTicks = new Map();
function cpuMs(threads) {
  let ticks = 0;
  for (const file of threads) {
    try {
      const stat = fs.readFileSync(file, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      lastTicks.set(file, Number(fields[11]) + Number(fields[12]));
    } catch { /* ended */ }
    ticks += lastTicks.get(file) ?? 0;
  }
  return (ticks * 1000) / clockTicks;
}

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'veltrana-bench-'));
const bridge = await startSerialBridge();
const served = await serveSiteWithFakeWorker(root, work);
const server = await chromium.launchServer({ executablePath: browserPath, headless: true });
const uploadBrowser = await chromium.connect(server.wsEndpoint());

// One upload of the start-up configuration; `buffer` is the stand-in's (fake_serial.js): 0, a
// write resolves when the bridge has put the bytes into the terminal (as in the scenarios); more,
// it resolves as the bytes are handed to the WebSocket.
async function uploadRun(label, buffer) {
  const dir = path.join(work, `run-${buffer}`);
  fs.mkdirSync(dir);
  const simulator = startSimulator(root, dir, ['--record', 'upload.bin', '--record-times', 'times.txt',
    '--idle-ms', '10000', '--timeout', '120', '--expect-line', '38400-8O1']);
  const device = await simulator.device();
  const context = await uploadBrowser.newContext({ viewport: { width: 1366, height: 768 }, serviceWorkers: 'block' });
  const config = { bridge: bridge.url, ports: [{ device, usbVendorId: 0x0403, usbProductId: 0x6001 }], choose: 0, buffer };
  await context.addInitScript({ content: `${fakeSource}\ninstallFakeSerial(${JSON.stringify(config)});` });
  const page = await context.newPage();
  await page.goto(served.url);
  await page.waitForSelector('body[data-ready=true]');
  // The start-up configuration as Save writes it: the plan of its pauses comes from the same core.
  const saved = await page.evaluate(() => Array.from(window.veltrana.session.saveBytes()));
  fs.writeFileSync(path.join(dir, 'startup.vtl'), Buffer.from(saved));
  execFileSync(path.join(root, 'build/native/tools/upload_benchmark/upload_benchmark'),
    ['--load', path.join(dir, 'startup.vtl'), '--plan', path.join(dir, 'plan.txt')]);
  await page.click('#upload');
  await page.waitForSelector('#upload-dialog[open][data-state=confirm]');
  await page.click('#upload-proceed');
  // The worker's thread is looked for once, as it starts (the page has no other worker).
  let threads = [];
  for (let i = 0; i < 250 && threads.length === 0; ++i) {
    await new Promise((resolve) => setTimeout(resolve, 20));
    threads = workerThreads(server.process().pid);
  }
  const samples = [];
  const sampler = setInterval(() => samples.push(`${monotonicMs().toFixed(3)} ${cpuMs(threads).toFixed(3)}`), 20);
  await page.waitForSelector('#upload-dialog:not([open])', { state: 'attached', timeout: 180000 });
  const outcome = await page.getAttribute('#upload-dialog', 'data-state');
  clearInterval(sampler);
  // The worker's own pacing: the time from each write's end to the next write's start, against
  // the least it may be.
  const own = await page.evaluate(() => {
    const { times } = window.veltrana.upload.lastResult;
    const plan = window.veltrana.session.uploadPlan();
    const charMs = window.veltrana.module.serialLine(true).characterTimeMs;
    let waited = 0;
    let least = 0;
    for (let i = 0; i + 1 < plan.offsets.length; ++i) {
      waited += times[2 * i + 1] - times[2 * i];
      least += Math.max(plan.pauses[i], plan.lengths[i] * charMs);
    }
    return { waited, least, isolated: window.crossOriginIsolated };
  });
  const status = await simulator.status(30000);
  fs.writeFileSync(path.join(dir, 'samples.txt'), `${samples.join('\n')}\n`);
  await context.close();
  // A simulator that found short pauses still has every arrival time: the row counts them.
  if (outcome !== 'sent' || ![0, 1].includes(status)) {
    console.log(`${label}: ${outcome}, simulator status ${status}\n${simulator.output().trim().split('\n').slice(-3).join('\n')}`);
    return;
  }
  const cpu = samples.map((line) => Number(line.split(' ')[1]));
  console.log(execFileSync(path.join(root, 'build/native/tools/link_benchmark/link_figures'),
    ['report', label, path.join(dir, 'plan.txt'), path.join(dir, 'times.txt'), path.join(dir, 'samples.txt')],
    { encoding: 'utf8' }).trimEnd() +
    `   worker ${(Math.max(...cpu) - cpu[0]).toFixed(0)} ms cpu; its own waits ${(own.waited / own.least).toFixed(4)} x their least` +
    `${own.isolated ? '' : ' (not isolated)'}`);
}

console.log('uploads of the start-up configuration through the bridge to the simulator (line 38400-8O1):');
console.log(`${'run'.padEnd(34)} ${'span/min'.padStart(8)} ${'least margin'.padStart(13)} ${'short'.padStart(6)} ${'cpu share'.padStart(11)}`);
await uploadRun('page, write answered by the bridge', 0);
await uploadRun('page, write done when handed over', 4096);
console.log(`load average ${os.loadavg().map((x) => x.toFixed(2)).join(' ')}`);
await uploadBrowser.close();
await server.close();
await bridge.close();
served.stop();
if (!process.env.KEEP_BENCH) fs.rmSync(work, { recursive: true, force: true }); else console.log(work);

// The firmware update's exchange through the page, its worker, the tests' fake Web Serial port
// and bridge, against the display simulator (the whole-image row of serial_scenarios.mjs, with a
// larger image): time per image byte against the wire's request, byte and echo.
const serial = spawnSync(process.execPath, [new URL('./serial_scenarios.mjs', import.meta.url).pathname, ...process.argv.slice(2)], {
  encoding: 'utf8',
  env: { ...process.env, WEB_SCENARIO: 'firmware update, whole image', FIRMWARE_BENCHMARK_BYTES: '4000' },
});
const figure = /firmware exchange: .*/.exec(serial.stdout);
console.log(figure ? figure[0] : `firmware exchange: not measured\n${serial.stdout}${serial.stderr}`);
