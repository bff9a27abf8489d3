// The page's firmware update against the display simulator (tools/display_simulator --firmware),
// as rows of serial_scenarios.mjs's table: the page's own Web Serial code over the fake port and
// its bridge. The display's faults take the core's time-outs (one second for a read that brings
// nothing, 21 reads for a silent start, 30 s for a babbling line), so the slow rows come first in
// the table and run beside the others.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';

// `tests/web/run benchmark` runs the whole-image row alone with this many bytes and prints the
// exchange's time per image byte.
const benchmarkBytes = Number(process.env.FIRMWARE_BENCHMARK_BYTES) || 0;
const success = { title: '!SUCCESS!', text: 'FIRMWARE UPDATE COMPLETE!' };
const failure = { title: '!ALERT!', text: 'FIRMWARE UPDATE FAILED' };
const dialogLines = ['1) Connect display via null modem cable', '2) Press Proceed',
  '3) Press Top and Bottom buttons on display to start'];

// "Upgrade Display Firmware" with a file, then "Proceed"; the notice it ends with, and the
// seconds from Proceed to the notice.
async function update(page, file, size, withinS) {
  await page.click('#upgrade-firmware');
  await page.setInputFiles('#firmware-input', file);
  await page.waitForSelector('#firmware-dialog[open]');
  assert.equal(await page.textContent('#firmware-title'), 'Firmware Update');
  const lines = await page.$$eval('#firmware-dialog li', (items) => items.map((item) => item.textContent));
  assert.deepEqual(lines.slice(0, 3), dialogLines);
  assert.equal(lines[3], `File: ${path.basename(file)}`);
  assert.equal(lines[4], `Size: ${size} bytes`);
  assert.match(lines[5], /^CRC-32: [0-9A-F]{8}$/);
  const started = Date.now();
  await page.click('#firmware-proceed');
  await page.waitForSelector('#firmware-notice[open]', { timeout: withinS * 1000 });
  const tookS = (Date.now() - started) / 1000;
  const notice = {
    title: await page.textContent('#firmware-notice-title'),
    text: await page.textContent('#firmware-notice-text'),
  };
  assert.equal(await page.textContent('#firmware-notice button'), 'Continue');
  assert.equal(await page.isVisible('#firmware-dialog'), false, 'the update dialog is gone before the notice');
  await page.click('#firmware-notice button');
  return { notice, tookS };
}

// Each row: its name, the simulator's words after --firmware (the file it makes, firmware.bin,
// has `size` bytes), the notice, the longest it may take from Proceed to the notice (and the
// least, where the core's limit sets it) and what the simulator must report.
const rows = [
  // One meaningless byte every 20 ms: never a second's silence, and light on the machine that
  // runs the other scenarios beside it.
  { name: 'babble instead of a request', size: 600, slow: true, notice: failure,
    display: ['--babble-at', 'request=100', '--babble-every-ms', '20'],
    withinS: 60, atLeastS: 30, report: /babble: \d+ bytes; the program closed the port/ },
  // 21 reads of one second each, the display listening all the while (from its start, which is
  // before the page's; a busy machine can take many seconds to get there): nothing may come.
  { name: 'silent start', size: 600, slow: true, display: ['--silent-at', 'open', '--linger-ms', '60000'], notice: failure,
    withinS: 50, atLeastS: 20, report: /silent, no opening pair; 0 byte/ },
  { name: 'whole image', size: benchmarkBytes || 1000, notice: success, withinS: benchmarkBytes ? 600 : 90, sameImage: true,
    display: ['--expect', 'firmware.bin', '--image', 'received.bin', '--expect-line', '38400-8N1'],
    report: /line set as 38400-8N1[^]*image matches firmware.bin[^]*complete; 0 byte/ },
  { name: 'wrong echo', size: 600, display: ['--wrong-echo', '200'], notice: failure, withinS: 30,
    report: /wrong echo; 0 byte/ },
  { name: 'silent instead of a request', size: 600, display: ['--silent-at', 'request=300'], notice: failure,
    withinS: 30, report: /silent before a request; 0 byte/ },
  // The cable is pulled after D1 and 49 bytes: writes fail, reads bring nothing, and the next
  // read's second ends it; the display waits in vain for byte 49 (its status 1).
  { name: 'cable pulled halfway', size: 600, display: ['--byte-timeout-ms', '5000'], ports: { unplugAfter: 50 }, simulatorStatus: 1,
    notice: failure, withinS: 30, report: /byte 49 did not come/ },
  { name: 'silent instead of an echo', size: 600, display: ['--silent-at', 'echo=10'], notice: failure,
    withinS: 30, report: /silent instead of an echo; 0 byte/ },
];

const rowScenario = (row) => [`firmware update, ${row.name}: ${row.notice.text}`, {
    simulator: ['--firmware', '--length', String(row.size), '--make-file', 'firmware.bin', String(row.size),
      // The display's patience with the page (not a rule of the exchange): a busy machine can
      // hold the page's answer for seconds.
      '--timeout', '120', '--byte-timeout-ms', '30000', ...row.display],
    ports: row.ports,
    simulatorStatus: row.simulatorStatus ?? 0,
    simulatorWithinMs: 60000,
  }, async (t) => {
    const file = path.join(t.dir, 'firmware.bin');
    for (let i = 0; i < 200 && !(fs.existsSync(file) && fs.statSync(file).size === row.size); ++i) {
      await new Promise((resolve) => setTimeout(resolve, 25));
    }
    const { notice, tookS } = await update(t.page, file, row.size, row.withinS);
    assert.deepEqual(notice, row.notice);
    if (row.atLeastS) assert.ok(tookS >= row.atLeastS, `the notice came after ${tookS} s`);
    t.after = () => {
      assert.match(t.simulator.output(), row.report);
      if (row.sameImage && benchmarkBytes) {
        const perByte = exchangeTimePerByte(t.simulator.output(), row.size);
        const wire = (3 * 10 * 1000) / 38400;  // request, byte and echo at 38400 8N1
        console.log(`firmware exchange: ${perByte.toFixed(2)} ms per image byte over ${row.size} bytes ` +
                    `(the wire's ${wire.toFixed(2)} ms: ${(perByte / wire).toFixed(1)} times)`);
      }
      if (row.sameImage) {
        assert.ok(fs.readFileSync(path.join(t.dir, 'received.bin')).equals(fs.readFileSync(file)), 'the display holds the file');
      }
    };
  }];

// The rows that mostly wait out the core's limits (they start early, beside the long upload),
// and the others.
export const firmwareSlowScenarios = rows.filter((row) => row.slow).map(rowScenario);
export const firmwareScenarios = [
  ...rows.filter((row) => !row.slow).map(rowScenario),

  // An empty file is refused with the core's message before any port is asked for or opened.
  ['firmware update, an empty file: refused before a port is asked for', { choose: 0 }, async (t) => {
    const { page } = t;
    const file = path.join(t.dir, 'empty.bin');
    fs.writeFileSync(file, '');
    await page.evaluate(() => {
      const request = navigator.serial.requestPort.bind(navigator.serial);
      window.portRequests = 0;
      navigator.serial.requestPort = (...args) => { window.portRequests += 1; return request(...args); };
    });
    await page.click('#upgrade-firmware');
    await page.setInputFiles('#firmware-input', file);
    await page.waitForSelector('#message[open]');
    const text = await page.textContent('#message-text');
    for (const part of ['Firmware File', 'The firmware file cannot be used:', 'empty.bin',
      'The file is empty: there is nothing to send.', 'Nothing has been sent to the display.']) {
      assert.ok(text.includes(part), `${part} in ${text}`);
    }
    await page.click('#message button');
    assert.equal(await page.isVisible('#firmware-dialog'), false);
    assert.equal(await page.evaluate(() => window.portRequests), 0, 'no port was asked for');
    assert.deepEqual(t.bridge.log.filter((entry) => entry.device === t.device), [], 'no port was opened');
  }],
  // A file longer than the display takes asks first, with the core's words; Cancel (the
  // default) sends nothing and asks for no port.
  ['firmware update, a file of 40000 bytes: the warning first, Cancel sends nothing', { choose: 0 }, async (t) => {
    const { page } = t;
    const file = path.join(t.dir, 'long.bin');
    fs.writeFileSync(file, Buffer.alloc(40000, 0x5a));
    await page.click('#upgrade-firmware');
    await page.setInputFiles('#firmware-input', file);
    await page.waitForSelector('#firmware-question[open]');
    assert.equal(await page.textContent('#firmware-question-caption'), 'Firmware File');
    const text = await page.textContent('#firmware-question-text');
    for (const part of ['The firmware file is larger than the display takes:', 'long.bin',
      'It has 40000 bytes; the update sends only its first 32768 bytes.', 'Choose OK to send them anyway.']) {
      assert.ok(text.includes(part), `${part} in ${text}`);
    }
    await page.keyboard.press('Enter');  // the default button is Cancel
    await page.waitForSelector('#firmware-question:not([open])', { state: 'attached' });
    assert.equal(await page.isVisible('#firmware-dialog'), false);
    await page.click('#upgrade-firmware');
    await page.setInputFiles('#firmware-input', file);
    await page.click('#firmware-question button[value=ok]');
    await page.waitForSelector('#firmware-dialog[open]');
    const lines = await page.$$eval('#firmware-file li', (items) => items.map((item) => item.textContent));
    assert.deepEqual(lines.slice(0, 2), ['File: long.bin', 'Size: 40000 bytes (the first 32768 are sent)']);
    await page.click('#firmware-cancel');
    assert.equal(await page.isVisible('#firmware-dialog'), false);
    assert.deepEqual(t.bridge.log.filter((entry) => entry.device === t.device), [], 'no port was opened');
  }],
];

// For the benchmark: the display's own clock times a good update's exchange from its go-ahead
// to the last echo; per image byte.
export function exchangeTimePerByte(simulatorOutput, size) {
  const found = /exchange from ([\d.]+) to ([\d.]+) ms/.exec(simulatorOutput);
  return found ? (Number(found[2]) - Number(found[1])) / size : NaN;
}
