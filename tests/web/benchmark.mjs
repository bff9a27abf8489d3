// The web page's figures, printed and not judged: the first start from a local server to an
// interactive page, the bytes it downloads, and the time from a click on a page to the redrawn
// preview, and the firmware exchange's time per image byte. Run by `tests/web/run benchmark`.
import { spawnSync } from 'node:child_process';
import { chromium } from 'playwright-core';

const [url, , browserPath] = process.argv.slice(2);
const runs = 5;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const browser = await chromium.launch({ executablePath: browserPath, headless: true });
const starts = [];
let bytes = 0;
let clicks = [];
for (let run = 0; run < runs; ++run) {
  // A new context each time: nothing cached, as on a first visit.
  const context = await browser.newContext({ viewport: { width: 1366, height: 768 } });
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

// The firmware update's exchange through the page, its worker, the tests' fake Web Serial port
// and bridge, against the display simulator (the whole-image row of serial_scenarios.mjs, with a
// larger image): time per image byte against the wire's request, byte and echo.
const serial = spawnSync(process.execPath, [new URL('./serial_scenarios.mjs', import.meta.url).pathname, ...process.argv.slice(2)], {
  encoding: 'utf8',
  env: { ...process.env, WEB_SCENARIO: 'firmware update, whole image', FIRMWARE_BENCHMARK_BYTES: '4000' },
});
const figure = /firmware exchange: .*/.exec(serial.stdout);
console.log(figure ? figure[0] : `firmware exchange: not measured\n${serial.stdout}${serial.stderr}`);
