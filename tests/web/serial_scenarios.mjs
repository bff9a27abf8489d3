// The page's serial commands in headless Chromium, against the display simulator. Chromium
// cannot open a real port headless, so each scenario puts the test's Web Serial stand-in
// (fake_serial.js) into the page and into its workers: bytes go over serial_bridge.mjs to a
// pseudo-terminal whose far end is tools/display_simulator. The page's own Web Serial code is
// what runs; only the port object is the test's. Scenarios run side by side (the upload's pauses
// are most of the time; two at a time). Run by tests/web/run beside scenarios.mjs; WEB_SCENARIO=TEXT runs those
// whose names contain TEXT.
//
// A row of the table: [name, { simulator: its arguments (no simulator when absent), ports:
// the fake ports' extra fields, choose: the picker's answer (0, or null for a cancelled picker),
// serial: false for a browser without Web Serial, insecure: true for a page served from an
// address that is not secure }, run(t)], where t has the page, the work folder, the device, the
// bridge and helpers; run returns when the page is done, and the simulator's exit status and
// output are then checked by `t.simulatorStatus`. A simulator ends its recording after --idle-ms
// of silence and closes its end, which the bridge sees as an unplug: on a loaded machine the
// page can fall silent for seconds, so the silences allowed are long (a whole stream ends the
// recording after half a second anyway).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';
import { startSerialBridge } from './serial_bridge.mjs';
import { fakeSource, serveSiteWithFakeWorker, startSimulator } from './serial_harness.mjs';
import { firmwareScenarios, firmwareSlowScenarios } from './firmware_scenarios.mjs';

const [url, cli, browserPath, root] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'veltrana-serial-'));
const example = (name) => path.join(root, 'examples', name);
const usb = { usbVendorId: 0x0403, usbProductId: 0x6001 };
const usbName = 'USB serial port 0403:6001';
// An address that is not localhost and not https: not a secure context (the browser maps it).
const insecureHost = 'veltrana-insecure.test';

// The page with the fake Web Serial in it and in its workers.
async function openPage(browser, bridge, setup, ports) {
  const context = await browser.newContext({ acceptDownloads: true, serviceWorkers: 'block', viewport: { width: 1366, height: 768 } });
  const config = { bridge: bridge.url, ports, choose: setup.choose === undefined ? 0 : setup.choose };
  const install = setup.serial === false
    ? 'delete Object.getPrototypeOf(navigator).serial;'
    : `${fakeSource}\ninstallFakeSerial(${JSON.stringify(config)});`;
  await context.addInitScript({ content: install });
  await context.addInitScript(() => {
    delete window.showOpenFilePicker;
    delete window.showSaveFilePicker;
  });
  const page = await context.newPage();
  // A loaded machine (the end-to-end scenarios run beside these) can take long to load a page.
  page.setDefaultTimeout(60000);
  page.setDefaultNavigationTimeout(120000);
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(String(error)));
  // Console errors too (a worker's), but not the favicon the page does not have, nor, on the
  // address that is not secure, Chromium's note that it ignores the isolation header there.
  page.on('console', (message) => {
    if (process.env.SHOW_CONSOLE) console.log('console', message.text());
    if (message.type() === 'error' && !/favicon|404|Cross-Origin-Opener-Policy header has been ignored/.test(`${message.text()} ${message.location().url}`)) page.errors.push(message.text());
  });
  const address = setup.insecure ? siteUrl.replace('127.0.0.1', insecureHost) : siteUrl;
  await page.goto(address);
  await page.waitForSelector('body[data-ready=true]');
  return { context, page };
}

async function openFile(page, file) {
  await page.setInputFiles('#open-input', file);
  await page.waitForFunction((name) => document.getElementById('document-name').textContent === name, path.basename(file));
}

// "Upload Gauge Configuration", then "Proceed".
async function startUpload(page) {
  await page.click('#upload');
  await page.waitForSelector('#upload-dialog[open][data-state=confirm]');
  await page.click('#upload-proceed');
}

// How the upload ended: the dialog's last state and the message shown, if any.
async function uploadEnd(page, ms) {
  await page.waitForSelector('#upload-dialog:not([open])', { state: 'attached', timeout: ms });
  const state = await page.getAttribute('#upload-dialog', 'data-state');
  const shown = await page.$('#message[open]');
  const message = shown ? await page.textContent('#message-text') : '';
  if (shown) await page.click('#message button');
  return { state, message };
}

const coreMessage = (page, outcome, sent, total, port) =>
  page.evaluate(([o, s, t, p]) => window.veltrana.module.uploadFailure(o, s, t, p).text, [outcome, sent, total, port]);

const streamBytes = (file) => {
  const out = path.join(work, `${path.basename(file)}.cli.bin`);
  execFileSync(cli, ['stream', file, '-o', out]);
  return fs.readFileSync(out);
};

const scenarios = [
  // The whole stream arrives as the Windows editor sends it: the simulator's verdict (every
  // section as the file gives it, every pause at least its minimum, the line 38400 8O1), and the
  // bytes equal to `veltrana-cli stream` of the same file.
  ['upload of street_car.vtl: the simulator says OK, the bytes are veltrana-cli stream', {
    simulator: ['--record', 'upload.bin', '--record-times', 'times.txt', '--idle-ms', '10000', '--timeout', '120',
      '--bitmaps', path.join(root, 'resources/bitmaps'), '--expect-config', example('street_car.vtl'),
      '--expect-line', '38400-8O1'],
    simulatorStatus: 0,
  }, async (t) => {
    const { page } = t;
    await openFile(page, example('street_car.vtl'));
    await page.click('#upload');
    await page.waitForSelector('#upload-dialog[open][data-state=confirm]');
    const lines = await page.$$eval('#upload-lines li', (items) => items.map((item) => item.textContent));
    assert.deepEqual(lines, ['1) Connect display via null modem cable', '2) Press Upload button on display', '3) Press Proceed to start']);
    assert.equal(await page.isVisible('#upload-problems-line'), false, 'no problems in the example');
    assert.equal(await page.textContent('#upload-port'), 'asked for when you press Proceed');
    await page.click('#upload-proceed');
    await page.waitForSelector('#upload-dialog[data-state=running]');
    assert.ok(await page.evaluate(() => window.crossOriginIsolated), 'the page is cross-origin isolated');
    const end = await uploadEnd(page, 120000);
    assert.deepEqual(end, { state: 'sent', message: '' });
    // The worker's own readings: every run's next write began no sooner than its minimum pause,
    // and its bytes' time on the line, after its write was done (the line's end is judged by
    // the simulator; the bridge's answer to each write can hide a shortfall smaller than its
    // round trip there).
    const early = await page.evaluate(() => {
      const { times } = window.veltrana.upload.lastResult;
      const plan = window.veltrana.session.uploadPlan();
      const charMs = window.veltrana.module.serialLine(true).characterTimeMs;
      const found = [];
      for (let i = 0; i + 1 < plan.offsets.length; ++i) {
        const least = Math.max(plan.pauses[i], plan.lengths[i] * charMs);
        const waited = times[2 * i + 1] - times[2 * i];
        if (waited < least) found.push(`run ${i}: ${waited.toFixed(3)} ms of ${least.toFixed(3)}`);
      }
      return found;
    });
    assert.deepEqual(early, [], 'pauses the worker cut short');
    const max = await page.getAttribute('#upload-progress', 'max');
    assert.equal(await page.evaluate(() => document.getElementById('upload-progress').value), Number(max));
    // Remembered: the next upload names the port and asks for none.
    await page.click('#upload');
    await page.waitForSelector('#upload-dialog[open][data-state=confirm]');
    assert.equal(await page.textContent('#upload-port'), usbName);
    await page.click('#upload-cancel');
    t.after = () => {
      const recorded = fs.readFileSync(path.join(t.dir, 'upload.bin'));
      assert.ok(recorded.equals(streamBytes(example('street_car.vtl'))), 'the recorded stream is veltrana-cli stream of the file');
      assert.match(t.simulator.output(), /line set as 38400-8O1/);
      assert.match(t.simulator.output(), /upload OK/);
    };
  }],

  // The firmware update's rows that wait out the core's limits (firmware_scenarios.mjs).
  ...firmwareSlowScenarios,

  // A line that takes a few kilobytes and then nothing: the write times out as the Windows
  // editor's does, the page says how far it got, and lets go of the port (the simulator checks
  // it was closed within 3 s of the last byte taken).
  ['a port that stops taking bytes ends the upload with the editor\'s message', {
    simulator: ['--never-read', '--timeout', '120'],
    simulatorStatus: 0,
  }, async (t) => {
    const { page } = t;
    await startUpload(page);
    const end = await uploadEnd(page, 30000);
    assert.equal(end.state, 'stopped');
    const [, sent, total] = end.message.match(/after (\d+) of (\d+)\./) ?? [];
    assert.ok(Number(sent) > 3000 && Number(total) === 13490, end.message);
    assert.equal(end.message, await coreMessage(page, 'stopped', Number(sent), 13490, usbName));
    assert.match(end.message, /^Upload failed: USB serial port 0403:6001 stopped taking bytes after/);
  }],

  // The cable is pulled after 2000 bytes: the port's streams error and its disconnect event
  // fires; the upload ends with the editor's message at once.
  ['a port unplugged halfway ends the upload with the editor\'s message', {
    simulator: ['--idle-ms', '3000', '--timeout', '120'],
    ports: { unplugAfter: 2000 },
    simulatorStatus: 1,  // the stream was cut short
  }, async (t) => {
    const { page } = t;
    await page.evaluate(() => navigator.serial.addEventListener('disconnect', () => { window.unplugged = true; }));
    await startUpload(page);
    const end = await uploadEnd(page, 30000);
    assert.equal(end.state, 'stopped');
    // The start byte and 66 whole lines of the page image were taken; the 67th was cut.
    assert.equal(end.message, await coreMessage(page, 'stopped', 1 + 66 * 30, 13490, usbName));
    assert.ok(await page.evaluate(() => window.unplugged), 'the disconnect event fired');
    await t.simulator.status();
    assert.match(t.simulator.output(), /received 2000 bytes/);
  }],

  // Another program holds the port: open() fails as Chromium's does, nothing is sent.
  ['a port another program holds: "Failed to access" and nothing sent', {
    // Stopped by the test once the page has answered: a simulator that ended by itself would free
    // its pseudo-terminal for another scenario while the device still counts as held.
    simulator: ['--idle-ms', '500', '--timeout', '300'],
    simulatorStatus: 'stopped with nothing received',
    held: true,
  }, async (t) => {
    const { page } = t;
    await startUpload(page);
    const end = await uploadEnd(page, 30000);
    assert.deepEqual(end, { state: 'not-opened', message: `Failed to access ${usbName}` });
  }],

  // Cancel stops between two runs, closes the port and says the display has part of it.
  ['Cancel stops the upload and says what the display holds', {
    simulator: ['--idle-ms', '3000', '--timeout', '120'],
    simulatorStatus: 1,  // the stream was cut short
  }, async (t) => {
    const { page } = t;
    await startUpload(page);
    await page.waitForFunction(() => document.getElementById('upload-progress').value > 500);
    await page.click('#upload-cancel');
    const end = await uploadEnd(page, 15000);
    assert.equal(end.state, 'cancelled');
    const [, sent] = end.message.match(/after (\d+) of 13490 bytes/) ?? [];
    assert.ok(Number(sent) > 500, end.message);
    assert.equal(end.message, await coreMessage(page, 'cancelled', Number(sent), 13490, usbName));
    assert.equal(await t.simulator.status(), 1);
    assert.match(t.simulator.output(), new RegExp(`received ${sent} bytes`));
  }],

  // A cancelled port picker changes nothing: the dialog stays, no message, the document as it
  // was. The problem line is the check's count, as the check list beside the pages shows it (a
  // final drive typed "3,25", which the panel reads as 3, is a problem).
  ['a cancelled port picker changes nothing; the problem count is the check\'s', {
    choose: null,
  }, async (t) => {
    const { page } = t;
    await page.fill('#field-1011', '3,25');
    await page.press('#field-1011', 'Tab');
    await page.click('#upload');
    await page.waitForSelector('#upload-dialog[open][data-state=confirm]');
    // The typed text is what the check judges (a saved file holds the 3 the panel read).
    assert.equal(await page.textContent('#upload-problems'), '1 problem found');
    assert.match(await page.textContent('#check-summary'), /^1 problem found/);
    assert.equal(await page.isVisible('#upload-show-problems'), true);
    const state = () => page.evaluate(() => {
      const { session } = window.veltrana;
      return { bytes: Array.from(session.saveBytes()).join(), undo: session.canUndo(), redo: session.canRedo(), name: document.title };
    });
    const before = await state();
    await page.click('#upload-proceed');
    await page.waitForTimeout(300);
    assert.equal(await page.getAttribute('#upload-dialog', 'data-state'), 'confirm');
    assert.equal(await page.isVisible('#upload-dialog'), true);
    assert.equal(await page.$('#message[open]'), null);
    assert.equal(await page.textContent('#upload-port'), 'asked for when you press Proceed');
    await page.click('#upload-cancel');
    assert.deepEqual(await state(), before, 'the document as it was');
  }],

  // Without Web Serial (Firefox, Safari), or on a page that is not served securely, the two
  // serial commands are off with one sentence why; the rest works.
  ...[
    ['a browser without Web Serial: both serial commands off, one sentence why', { serial: false },
      'Upload and firmware upgrade need Web Serial, which this browser lacks: use Chrome, Edge or Opera.'],
    ['a page not served securely: both serial commands off, one sentence why', { insecure: true },
      'Upload and firmware upgrade need the page served securely (https, or from this computer).'],
  ].map(([name, setup, sentence]) => [name, setup, async (t) => {
    const { page } = t;
    for (const id of ['#upload', '#upgrade-firmware']) {
      assert.equal(await page.isDisabled(id), true, id);
      assert.equal(await page.getAttribute(id, 'title'), sentence);
    }
    assert.equal(await page.textContent('#serial-note'), sentence);
    await openFile(page, example('street_car.vtl'));
    assert.equal(await page.evaluate(() => window.veltrana.session.placedCount()), 12);
    await page.click('#undo');
    assert.equal(await page.isDisabled('#open'), false);
  }]),

  // The firmware update's other rows.
  ...firmwareScenarios,
];

const only = process.env.WEB_SCENARIO;
const served = await serveSiteWithFakeWorker(root, work);
const siteUrl = served.url;
const browser = await chromium.launch({
  executablePath: browserPath, headless: true,
  args: [`--host-resolver-rules=MAP ${insecureHost} 127.0.0.1`],
});
const bridge = await startSerialBridge();
let failed = 0;

async function runScenario([name, setup, run], index) {
  const started = Date.now();
  const dir = path.join(work, `scenario-${index}`);
  fs.mkdirSync(dir);
  const simulator = setup.simulator ? startSimulator(root, dir, setup.simulator) : null;
  let context = null;
  let release = null;
  let device = '';
  try {
    device = simulator ? await simulator.device() : '/dev/null';
    if (setup.held) release = bridge.holdDevice(device);
    const opened = await openPage(browser, bridge, setup, [{ device, ...usb, ...setup.ports }]);
    context = opened.context;
    const t = { page: opened.page, dir, device, bridge, simulator, after: null };
    await run(t);
    if (release) release();
    release = null;
    if (simulator && setup.simulatorStatus === 'stopped with nothing received') {
      simulator.kill();
      await simulator.status();
      assert.doesNotMatch(simulator.output(), /received/, 'nothing was sent');
    } else if (simulator) {
      const status = await simulator.status(setup.simulatorWithinMs);
      assert.equal(status, setup.simulatorStatus, `the simulator's exit status\n${simulator.output()}`);
    }
    if (t.after) t.after();
    assert.deepEqual(opened.page.errors, []);
    return `ok   ${name} (${Date.now() - started} ms)`;
  } catch (error) {
    failed += 1;
    const detail = (simulator ? `\n     simulator: ${simulator.output().trim().split('\n').join('\n     simulator: ')}` : '') +
      `\n     bridge: ${JSON.stringify(bridge.log.filter((entry) => entry.device === device))}`;
    return `FAIL ${name}\n     ${String(error.message || error).split('\n').join('\n     ')}${detail}`;
  } finally {
    if (release) release();
    if (simulator) simulator.kill();
    if (context) await context.close();
  }
}

try {
  // Two at a time (two cores, shared with the other scenarios): the long upload first, the short
  // ones in the other lane.
  const chosen = scenarios.filter(([name]) => !only || name.includes(only));
  const results = [];
  let next = 0;
  const lane = async () => {
    while (next < chosen.length) {
      const index = next++;
      results[index] = await runScenario(chosen[index], index);
    }
  };
  await Promise.all([lane(), lane()]);
  for (const line of results) console.log(line);
} finally {
  await bridge.close();
  await browser.close();
  served.stop();
  fs.rmSync(work, { recursive: true, force: true });
}
process.exit(failed ? 1 : 0);
