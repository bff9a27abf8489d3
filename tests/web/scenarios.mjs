// The web page's scenarios in headless Chromium: the previews against veltrana-cli render, a
// place/move/undo/save scenario against a file the Windows editor committed, and refused files.
// Run by tests/web/run, which builds the page, serves it and names the browser and the CLI.
import assert from 'node:assert/strict';
import { execFileSync, spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { chromium } from 'playwright-core';

const [url, cli, browserPath, root] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'veltrana-web-'));
const example = (name) => path.join(root, 'examples', name);

// A PNG of the writer's as grey bytes (8-bit grey; each line unfiltered or "up", as it writes them).
function decodeGreyPng(file) {
  return decodeGreyPngBytes(fs.readFileSync(file));
}

function decodeGreyPngBytes(bytes) {
  let at = 8, width = 0, height = 0;
  const data = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') [width, height] = [body.readUInt32BE(0), body.readUInt32BE(4)];
    if (type === 'IDAT') data.push(body);
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const grey = Buffer.alloc(width * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (width + 1)];
    assert.ok(filter === 0 || (filter === 2 && y > 0), `line ${y}: filter ${filter}`);
    for (let x = 0; x < width; ++x) {
      const value = raw[y * (width + 1) + 1 + x];
      grey[y * width + x] = filter === 2 ? (value + grey[(y - 1) * width + x]) & 0xff : value;
    }
  }
  return { width, height, grey };
}

// The page previews' canvas pixels, the four pages stacked as the render stacks them: grey
// bytes, or null for a pixel that is neither black nor white.
async function previewPixels(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('pages');
    const { pages, previewScale } = window.veltrana.geometry;
    const scale = window.veltrana.scale();
    const context = canvas.getContext('2d');
    const width = 240 * scale, pageHeight = 64 * scale;
    const grey = new Uint8Array(width * pageHeight * pages.length);
    let next = 0;
    for (const frame of pages) {
      const top = ((frame.y - pages[0].y) / previewScale) * scale;
      const data = context.getImageData(0, top, width, pageHeight).data;
      for (let i = 0; i < data.length; i += 4) {
        const same = data[i] === data[i + 1] && data[i] === data[i + 2] && data[i + 3] === 255;
        // 1 marks a pixel that is neither black nor white, which no render has.
        grey[next++] = same && (data[i] === 0 || data[i] === 255) ? data[i] : 1;
      }
    }
    let text = '';
    for (let i = 0; i < grey.length; i += 0x8000) text += String.fromCharCode(...grey.subarray(i, i + 0x8000));
    return { scale, grey: btoa(text) };
  });
}

async function openPage(browser, screen = { viewport: { width: 1366, height: 768 } }) {
  // The service worker is left out here (the offline scenario has it): each scenario sees the
  // served folder as it is.
  const context = await browser.newContext({ acceptDownloads: true, serviceWorkers: 'block', ...screen });
  // The download and the file input are the routes a browser without the File System Access
  // API takes; the scenarios take them, as a picker cannot be answered headless.
  await context.addInitScript(() => {
    delete window.showOpenFilePicker;
    delete window.showSaveFilePicker;
  });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  page.errors = errors;
  await page.goto(url);
  await page.waitForSelector('body[data-ready=true]');
  return page;
}

// Opens a file as the Open button does and waits until it is loaded.
async function openFile(page, file) {
  await page.setInputFiles('#open-input', file);
  await page.waitForFunction((name) => document.getElementById('document-name').textContent === name,
                             path.basename(file));
}

async function messageText(page) {
  await page.waitForSelector('#message[open]');
  const text = await page.textContent('#message-text');
  await page.click('#message button');
  return text;
}

// The client point of display pixel (column, row) of a page, a little inside it.
async function pointOf(page, pageIndex, column, row) {
  return page.evaluate(([pageIndex, column, row]) => {
    const { pages, previewScale } = window.veltrana.geometry;
    const box = document.getElementById('pages-overlay').getBoundingClientRect();
    const perCss = window.veltrana.scale() / (window.devicePixelRatio || 1);
    const top = (pages[pageIndex].y - pages[0].y) / previewScale;
    return { x: box.left + (column + 0.5) * perCss, y: box.top + (top + row + 0.5) * perCss };
  }, [pageIndex, column, row]);
}

async function choose(page, kind, gauge) {
  await page.click(`#kinds [role=tab]:text-is("${kind}")`);
  await page.click(`#gauges [data-name="${gauge}"]`);
}

async function clickAt(page, pageIndex, column, row, button = 'left') {
  const at = await pointOf(page, pageIndex, column, row);
  await page.mouse.move(at.x, at.y);
  await page.mouse.down({ button });
  await page.mouse.up({ button });
}

async function drag(page, from, to) {
  const start = await pointOf(page, ...from);
  const end = await pointOf(page, ...to);
  await page.mouse.move(start.x, start.y);
  await page.mouse.down();
  await page.mouse.move(end.x, end.y, { steps: 5 });
  await page.mouse.up();
}

async function saveDownload(page, name) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('Control+s')]);
  const file = path.join(work, name);
  await download.saveAs(file);
  return file;
}

// A page whose file pickers answer from the origin's private file system: its handles are the
// browser's own, so writing back, Save as, and the recent files kept in IndexedDB run as with
// files on disk. `window.nextPick` names the file the next picker returns (null: cancelled).
async function openPageWithFileAccess(browser) {
  const context = await browser.newContext({ viewport: { width: 1366, height: 768 }, serviceWorkers: 'block' });
  await context.addInitScript(() => {
    window.picked = { open: 0, save: 0 };
    window.nextPick = null;
    const pick = async (create) => {
      if (!window.nextPick) throw new DOMException('The user aborted a request.', 'AbortError');
      return (await navigator.storage.getDirectory()).getFileHandle(window.nextPick, { create });
    };
    window.showOpenFilePicker = async () => { window.picked.open += 1; return [await pick(false)]; };
    window.showSaveFilePicker = async () => { window.picked.save += 1; return pick(true); };
  });
  const page = await context.newPage();
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(String(error)));
  await page.goto(url);
  await page.waitForSelector('body[data-ready=true]');
  return page;
}

// The private file system's files, as bytes in and out of the page.
async function putFile(page, name, bytes) {
  await page.evaluate(async ([name, data]) => {
    const handle = await (await navigator.storage.getDirectory()).getFileHandle(name, { create: true });
    const writable = await handle.createWritable();
    await writable.write(Uint8Array.from(atob(data), (c) => c.charCodeAt(0)));
    await writable.close();
  }, [name, Buffer.from(bytes).toString('base64')]);
}

async function fileBytes(page, name) {
  const data = await page.evaluate(async (name) => {
    const file = await (await (await navigator.storage.getDirectory()).getFileHandle(name)).getFile();
    return [...new Uint8Array(await file.arrayBuffer())];
  }, name);
  return Buffer.from(data);
}

// The served folder on a server of its own that sends no headers at all, as a plain static host
// does; stop() ends it.
async function plainServer() {
  const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1',
                                   '--directory', path.join(root, 'build/web/site')],
                       { stdio: ['ignore', 'pipe', 'ignore'] });
  const port = await new Promise((resolve, reject) => {
    let text = '';
    server.stdout.on('data', (data) => {
      text += data;
      const found = /port (\d+)/.exec(text);
      if (found) resolve(found[1]);
    });
    server.on('exit', () => reject(new Error('the plain server ended')));
  });
  return { url: `http://127.0.0.1:${port}/`, stop: () => server.kill() };
}

// Waits for a page's condition across reloads the page makes itself.
async function until(page, condition, what, ms = 20000) {
  const end = Date.now() + ms;
  for (;;) {
    if (await page.evaluate(condition).catch(() => false)) return;
    if (Date.now() > end) throw new Error(`not within ${ms} ms: ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

const documentName = (page) => page.textContent('#document-name');
const sessionBytes = async (page) => Buffer.from(await page.evaluate(() => [...window.veltrana.session.saveBytes()]));

// The Windows editor's own scenario that builds the committed examples, replayed in the page
// step by step: each "start" to its save is one example.
function exampleScenarios() {
  const text = fs.readFileSync(path.join(root, 'tests/e2e/scenarios/examples.scn'), 'utf8');
  const runs = [];
  for (const line of text.split('\n')) {
    const words = line.match(/"[^"]*"|\S+/g)?.map((word) => word.replace(/^"|"$/g, '')) ?? [];
    if (words.length === 0 || words[0].startsWith('#')) continue;
    if (words[0] === 'start') runs.push([]);
    else if (runs.length) runs[runs.length - 1].push(words);
  }
  return runs;
}

// One step of the Windows scenario in the page; the steps that only the Windows driver needs
// (waiting for windows, screenshots, the exit) are left out.
async function replay(page, step, state) {
  const [command, ...args] = step;
  const rest = (from) => args.slice(from).join(' ');
  const dialogs = { 'Setup Custom Sensor': '#curve-dialog', 'Warning Setup': '#warning-dialog' };
  switch (command) {
    case 'set-text':
      if (args[0] === 'main') {
        await page.fill(`#panel-fields [data-id="${args[1]}"]`, rest(2));
        await page.press(`#panel-fields [data-id="${args[1]}"]`, 'Tab');
      } else if (args[0] === 'Setup Custom Sensor') {
        await page.fill(`#curve-point-${Number(args[1]) - 1018}`, rest(2));
      } else {
        await page.fill(`#warning-dialog [data-id="${args[1]}"]`, rest(2));
      }
      break;
    case 'select':
      if (args[0] === 'in') {
        await page.selectOption(`#warning-dialog [data-id="${args[2]}"]`, { label: rest(3) });
      } else if (args[0] === '20') await page.click(`#kinds [role=tab]:text-is("${rest(1)}")`);
      else if (args[0] === '1') await page.click(`#gauges [data-name="${rest(1)}"]`);
      else await page.selectOption(`#panel-fields [data-id="${args[0]}"]`, { label: rest(1) });
      break;
    case 'mouse-move':
      state.at = await page.evaluate(([x, y]) => {
        const { pages, previewScale } = window.veltrana.geometry;
        const box = document.getElementById('pages-overlay').getBoundingClientRect();
        const perCss = window.veltrana.scale() / (window.devicePixelRatio || 1);
        return { x: box.left + ((x - pages[0].x) / previewScale + 0.5) * perCss,
                 y: box.top + ((y - pages[0].y) / previewScale + 0.5) * perCss };
      }, [Number(args[0]), Number(args[1])]);
      await page.mouse.move(state.at.x, state.at.y);
      break;
    case 'click-left':
      await page.mouse.down();
      await page.mouse.up();
      break;
    case 'expect-placed-count':
      assert.equal(await placed(page), Number(args[0]));
      break;
    case 'menu':
      if (args[0] === 'IDM_SETUP_WARNINGS') await page.click('#warnings');
      else if (args[0].startsWith('IDM_CUSTOM_SENSOR_')) {
        await page.selectOption('#curve-sensor', args[0].slice(-1));
        await page.click('#curve');
      } else if (args[0] === 'IDM_SAVE_CONFIGURATION') state.saved = true;
      break;
    case 'answer':
      if (dialogs[args[0]]) await page.click(`${dialogs[args[0]]} button[value=${args[1] === 'OK' ? 'ok' : 'cancel'}]`);
      break;
    case 'expect-checked':
      for (const pair of args.slice(1)) {
        const [id, state] = pair.split('=');
        assert.equal(await page.isChecked(`#warning-dialog [data-id="${id}"]`), state === 'on', `warning page box ${id}`);
      }
      break;
    case 'choose-file':
      state.file = path.basename(args[1].replace(/\\/g, '/')) + '.vtl';
      break;
    default:
      break;
  }
}

const placed = (page) => page.evaluate(() => window.veltrana.session.placedCount());

function refusalOf(file) {
  const run = spawnSync(cli, ['check', file], { encoding: 'utf8' });
  assert.equal(run.status, 2, `veltrana-cli refuses ${file}`);
  return run.stderr.trim();
}

async function previewEqualsRender(page, name) {
  await openFile(page, example(name));
  await page.mouse.move(0, 0);
  const shown = await previewPixels(page);
  shown.grey = Buffer.from(shown.grey, 'base64');
  const png = path.join(work, `${name}.png`);
  execFileSync(cli, ['render', example(name), '-o', png, '--scale', String(shown.scale)]);
  const render = decodeGreyPng(png);
  assert.equal(render.width, 240 * shown.scale);
  assert.equal(shown.grey.length, render.grey.length, `${name}: the four pages' pixels`);
  const first = shown.grey.findIndex((value, i) => value !== render.grey[i]);
  assert.ok(render.grey.includes(0), `${name}: the render has dark pixels`);
  assert.equal(first, -1, `${name} at scale ${shown.scale}: preview pixel ${first % render.width},${Math.floor(first / render.width)} differs from the render`);
}

const scenarios = [
  // On a 1366 x 768 laptop and a 4K screen at 200 %: whole screen pixels per display pixel.
  ['previews equal veltrana-cli render', async (browser) => {
    const screens = [
      [{ viewport: { width: 1366, height: 768 } }, 2],
      [{ viewport: { width: 1920, height: 1080 }, deviceScaleFactor: 2 }, 6],
      [{ viewport: { width: 3840, height: 2160 } }, 6],
    ];
    for (const [screen, scale] of screens) {
      const page = await openPage(browser, screen);
      assert.equal(await page.evaluate(() => window.veltrana.scale()), scale);
      // It reads without sideways scrolling, every command in view.
      const outside = await page.evaluate(() => {
        const width = document.documentElement.clientWidth;
        const wide = document.documentElement.scrollWidth > width ? ['the page'] : [];
        return wide.concat([...document.querySelectorAll('header button')]
          .filter((b) => { const r = b.getBoundingClientRect(); return r.right > width || r.width === 0; })
          .map((b) => b.id));
      });
      assert.deepEqual(outside, [], `${screen.viewport.width} x ${screen.viewport.height}`);
      for (const name of ['street_car.vtl', 'track_car.vtl']) await previewEqualsRender(page, name);
      assert.deepEqual(page.errors, []);
    }
  }],

  // Page 4's indicators taken off the committed track car and put back: one placed off its
  // place and dragged there, the others clicked into place, an undo and a redo on the way.
  ['place, move, undo and save give the committed file', async (browser) => {
    const page = await openPage(browser);
    await openFile(page, example('track_car.vtl'));
    assert.equal(await placed(page), 29);
    for (const row of [24, 16, 8, 0]) await clickAt(page, 3, 180, row, 'right');
    assert.equal(await placed(page), 25);
    await choose(page, 'Indicators', 'LS1');
    await clickAt(page, 3, 176, 40);
    await drag(page, [3, 178, 42], [3, 178, 2]);
    await choose(page, 'Indicators', 'LS2');
    await clickAt(page, 3, 176, 8);
    await page.keyboard.press('Control+z');
    assert.equal(await placed(page), 26);
    await page.keyboard.press('Control+y');
    // HS1 dragged from the catalog onto its place.
    await page.click('#kinds [role=tab]:text-is("Indicators")');
    const dropAt = await pointOf(page, 3, 178, 18);
    const box = await page.locator('#pages-overlay').boundingBox();
    await page.dragAndDrop('#gauges [data-name="HS1"]', '#pages-overlay',
                           { targetPosition: { x: dropAt.x - box.x, y: dropAt.y - box.y } });
    await choose(page, 'Indicators', 'SWITCH1');
    await clickAt(page, 3, 176, 24);
    assert.equal(await placed(page), 29);
    const saved = await saveDownload(page, 'track_car.vtl');
    assert.ok(fs.readFileSync(saved).equals(fs.readFileSync(example('track_car.vtl'))), 'the saved bytes equal the committed example');
    execFileSync(cli, ['check', saved]);
    const stream = (file, out) => { execFileSync(cli, ['stream', file, '-o', out]); return fs.readFileSync(out); };
    assert.ok(stream(saved, path.join(work, 'a.bin')).equals(stream(example('track_car.vtl'), path.join(work, 'b.bin'))));
    assert.equal(await page.textContent('#document-name'), 'track_car.vtl');
    assert.deepEqual(page.errors, []);
  }],

  // Open, Save and Save as through file handles, Create, the recent files across a reload, and
  // the warning before a tab with unsaved work closes.
  ['files: write back, Save as, Create, recent files, close warning', async (browser) => {
    const page = await openPageWithFileAccess(browser);
    const street = fs.readFileSync(example('street_car.vtl'));
    const track = fs.readFileSync(example('track_car.vtl'));
    await putFile(page, 'street.vtl', street);
    await putFile(page, 'track.vtl', track);
    const pick = (name) => page.evaluate((name) => { window.nextPick = name; }, name);
    const picked = () => page.evaluate(() => ({ ...window.picked }));
    const recentNames = () => page.$$eval('#recent-files button', (buttons) => buttons.map((b) => b.textContent));

    await pick('street.vtl');
    await page.click('#open');
    await page.waitForFunction(() => document.getElementById('document-name').textContent === 'street.vtl');
    await clickAt(page, 0, 0, 0, 'right');
    assert.equal(await documentName(page), 'street.vtl *');
    // Save writes back into the opened file without asking.
    await page.keyboard.press('Control+s');
    await page.waitForFunction(() => document.getElementById('document-name').textContent === 'street.vtl');
    const edited = await fileBytes(page, 'street.vtl');
    assert.ok(!edited.equals(street) && edited.equals(await sessionBytes(page)), 'Save wrote the edit into street.vtl');
    assert.deepEqual(await picked(), { open: 1, save: 0 });

    // Undo past a load gives the document its earlier name: Save then asks, and the file just
    // opened keeps its bytes.
    await pick('track.vtl');
    await page.click('#open');
    await page.waitForFunction(() => document.getElementById('document-name').textContent === 'track.vtl');
    await page.click('#undo');
    assert.equal(await documentName(page), 'street.vtl *');
    await pick('copy.vtl');
    await page.keyboard.press('Control+s');
    await page.waitForFunction(() => window.picked.save === 1 && document.title.startsWith('copy.vtl'));
    assert.ok((await fileBytes(page, 'track.vtl')).equals(track), 'track.vtl is untouched');
    assert.ok((await fileBytes(page, 'copy.vtl')).equals(edited), 'copy.vtl holds the document');

    // Create asks the editor's question, keeps the pages, and the next Save asks for a name; a
    // cancelled picker changes nothing.
    const [question] = await Promise.all([
      new Promise((resolve) => page.once('dialog', async (dialog) => { resolve(dialog.message()); await dialog.accept(); })),
      page.click('#create'),
    ]);
    assert.equal(question, 'Are you sure you wish to create a new file?');
    assert.equal(await documentName(page), 'Untitled1.vtl');
    await pick(null);
    await page.keyboard.press('Control+s');
    await page.waitForFunction(() => window.picked.save === 2);
    assert.equal(await documentName(page), 'Untitled1.vtl');
    assert.ok((await fileBytes(page, 'copy.vtl')).equals(edited));

    // The recent files outlive the page, newest first; Alt+2 opens the second, and one that is
    // gone is named and taken off the list.
    assert.deepEqual(await recentNames(page), ['1 copy.vtl', '2 track.vtl', '3 street.vtl']);
    await page.reload();
    await page.waitForSelector('body[data-ready=true]');
    await page.waitForFunction(() => document.querySelectorAll('#recent-files button').length === 3);
    // A file dropped on the page opens as Open does.
    await page.evaluate((data) => {
      const transfer = new DataTransfer();
      transfer.items.add(new File([Uint8Array.from(atob(data), (c) => c.charCodeAt(0))], 'dropped.vtl'));
      document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
    }, street.toString('base64'));
    await page.waitForFunction(() => document.getElementById('document-name').textContent === 'dropped.vtl');
    assert.equal(await placed(page), 12);
    await page.keyboard.press('Alt+2');
    await page.waitForFunction(() => document.getElementById('document-name').textContent === 'track.vtl');
    assert.equal(await placed(page), 29);
    await page.evaluate(async () => (await navigator.storage.getDirectory()).removeEntry('street.vtl'));
    await page.click('#recent-files button:text-is("3 street.vtl")');
    assert.match(await messageText(page), /street\.vtl/);
    assert.deepEqual(await recentNames(page), ['1 track.vtl', '2 copy.vtl']);

    // Closing the tab with unsaved work asks; the page stays when the user says so.
    await clickAt(page, 3, 180, 0, 'right');
    // A page that does not ask closes, and 'close' ends the wait.
    const warned = new Promise((resolve) => {
      page.once('dialog', async (dialog) => { resolve(dialog.type()); await dialog.dismiss(); });
      page.once('close', () => resolve('closed without asking'));
    });
    await page.close({ runBeforeUnload: true });
    assert.equal(await warned, 'beforeunload');
    assert.equal(await documentName(page), 'track.vtl *', 'the page stays');
    assert.deepEqual(page.errors, []);
    await page.context().close();
  }],

  // On a host that sends no headers: the first visit installs the service worker and becomes
  // cross-origin isolated through it; the manifest makes the page installable; with the server
  // stopped the page starts again from what the worker kept, and works.
  ['offline: installable, isolated by its service worker, starts with the server stopped', async (browser) => {
    const server = await plainServer();
    // A profile of its own: Chromium does not install apps from an incognito context.
    const profile = fs.mkdtempSync(path.join(work, 'profile-'));
    const context = await chromium.launchPersistentContext(profile, {
      executablePath: browserPath, headless: true, viewport: { width: 1366, height: 768 } });
    try {
      const page = context.pages()[0] || await context.newPage();
      await page.goto(server.url);
      // The worker keeps every file before it takes charge: on a loaded machine that takes a while.
      await until(page, () => window.crossOriginIsolated && document.body.dataset.ready === 'true',
                  'the first visit becomes isolated', 90000);
      const cdp = await context.newCDPSession(page);
      const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
      assert.deepEqual(installabilityErrors, [], 'installable');
      server.stop();
      await page.reload();
      await page.waitForSelector('body[data-ready=true]');
      assert.ok(await page.evaluate(() => window.crossOriginIsolated), 'isolated offline too');
      await openFile(page, example('street_car.vtl'));
      assert.equal(await placed(page), 12);
    } finally {
      server.stop();
      await context.close();
    }
  }],

  ['a damaged file is refused with the core\'s reason and nothing changes', async (browser) => {
    const page = await openPage(browser);
    await openFile(page, example('street_car.vtl'));
    await page.mouse.move(0, 0);
    const before = await previewPixels(page);
    const good = fs.readFileSync(example('street_car.vtl'));
    const damaged = [
      ['cut.vtl', good.subarray(0, 5000)],
      ['unknown.vtl', Buffer.concat([Buffer.from([1, 2, 3, 4]), good.subarray(4)])],
      ['empty.vtl', Buffer.alloc(0)],
    ];
    for (const [name, bytes] of damaged) {
      const file = path.join(work, name);
      fs.writeFileSync(file, bytes);
      const reason = refusalOf(file).split(': ').pop();
      await page.setInputFiles('#open-input', file);
      const text = await messageText(page);
      assert.ok(text.includes(`"${name}"`) && text.includes(reason), `${name}: "${text}" gives "${reason}"`);
      assert.deepEqual(await previewPixels(page), before, `${name}: the pages stay`);
      assert.equal(await page.textContent('#document-name'), 'street_car.vtl');
      assert.equal(await placed(page), 12);
    }
    // A curve file that does not fit is refused in the curve dialog, whose fields stay.
    await page.click('#curve');
    const points = () => page.$$eval('#curve-points input', (edits) => edits.map((edit) => edit.value));
    const shownPoints = await points();
    const csv = path.join(work, 'short.csv');
    fs.writeFileSync(csv, 'volts,value\n0,1\n0.15625,2\n');
    await page.setInputFiles('#curve-import-input', csv);
    const csvText = await messageText(page);
    assert.match(csvText, /^The curve cannot be imported from/);
    assert.ok(csvText.includes('short.csv'), csvText);
    assert.deepEqual(await points(), shownPoints);
    await page.click('#curve-dialog button[value=cancel]');
    // Undo still takes back the load that came before the refusals.
    await page.keyboard.press('Control+z');
    assert.equal(await placed(page), 0);
    assert.deepEqual(page.errors, []);
  }],
  // On the street car: a panel field emptied to 0 and a list choice, page 1 copied onto page 3,
  // the gauge Gear copied from page 2 and pasted on page 4. The check list follows each edit as
  // veltrana-cli check reads the saved file, and veltrana-cli info reads the saved gauges and
  // panel texts back.
  ['panel, check list, copy and paste, page copy', async (browser) => {
    const page = await openPage(browser);
    await openFile(page, example('street_car.vtl'));
    const checkLines = () => page.$$eval('#check-list li', (items) => items.map((item) => item.textContent));
    assert.equal(await page.textContent('#check-summary'), 'No problems found.');
    await page.fill('[data-label="Injector Size (CC)"]', '0');
    await page.press('[data-label="Injector Size (CC)"]', 'Tab');
    const findings = await checkLines();
    assert.ok(findings.some((line) => line.includes('Injector Size (CC)')), findings.join('\n'));
    await page.selectOption('[data-label="Tire Width"]', { index: 3 });
    const tyre = await page.$eval('[data-label="Tire Width"]', (list) => list.value);

    await page.click('#copy-page');
    await page.selectOption('#page-from', 'Page 1');
    await page.selectOption('#page-to', 'Page 3');
    await page.click('#page-dialog button[value=ok]');
    const gear = await pointOf(page, 1, 2, 50);
    await page.mouse.move(gear.x, gear.y);
    await page.keyboard.press('Control+c');
    const target = await pointOf(page, 3, 2, 2);
    await page.mouse.move(target.x, target.y);
    await page.keyboard.press('Control+v');
    assert.equal(await placed(page), 12 + 8 + 1);

    const saved = await saveDownload(page, 'changed.vtl');
    const info = JSON.parse(execFileSync(cli, ['info', '--json', saved], { encoding: 'utf8' }));
    const places = (n) => info.pages[n].gauges.map(({ name, column, row }) => `${name}@${column},${row}`);
    assert.deepEqual(places(2), places(0));
    assert.deepEqual(places(3), ['Gear@0,0']);
    assert.equal(info.vehicle['Injector Size (CC)'], '0');
    assert.equal(info.vehicle['Tire Width'], tyre);
    const cliCheck = spawnSync(cli, ['check', saved], { encoding: 'utf8' }).stdout;
    const shown = await checkLines();
    assert.ok(shown.length > 0 && shown.every((line) => cliCheck.includes(line)), `${shown.join('\n')}\n---\n${cliCheck}`);

    // Undo walks back paste, page copy, list choice and the field, and the check list with them.
    for (let step = 0; step < 4; ++step) await page.keyboard.press('Control+z');
    assert.equal(await placed(page), 12);
    assert.equal(await page.inputValue('[data-label="Injector Size (CC)"]'), '440');
    assert.equal(await page.textContent('#check-summary'), 'No problems found.');
    assert.deepEqual(page.errors, []);
  }],
  ['the Windows editor\'s example steps save the committed examples', async (browser) => {
    for (const steps of exampleScenarios()) {
      const page = await openPage(browser);
      const state = {};
      for (const step of steps) {
        if (step[0] === 'close') break;
        await replay(page, step, state);
      }
      assert.ok(state.saved && state.file, 'the steps end in a save');
      const saved = await saveDownload(page, state.file);
      assert.ok(fs.readFileSync(saved).equals(fs.readFileSync(example(state.file))), `${state.file}: the saved bytes equal the committed example`);
      execFileSync(cli, ['check', saved]);
      const stream = (file, out) => { execFileSync(cli, ['stream', file, '-o', out]); return fs.readFileSync(out); };
      assert.ok(stream(saved, path.join(work, 'a.bin')).equals(stream(example(state.file), path.join(work, 'b.bin'))));
      assert.deepEqual(page.errors, []);
    }
  }],
  // The street car with a gauge taken off: compared with the track car as veltrana-cli diff
  // words it, the report and the display picture as veltrana-cli writes them for the saved file.
  ['compare, report, display picture and preview', async (browser) => {
    const page = await openPage(browser);
    await openFile(page, example('street_car.vtl'));
    await clickAt(page, 0, 180, 2, 'right');
    // A changed document asks before another file replaces it; No keeps it.
    const asked = new Promise((resolve) => page.once('dialog', async (dialog) => {
      resolve(dialog.message());
      await dialog.dismiss();
    }));
    await page.setInputFiles('#open-input', example('track_car.vtl'));
    assert.match(await asked, /street_car\.vtl/);
    assert.equal(await placed(page), 11);
    assert.equal(await page.textContent('#document-name'), 'street_car.vtl *');
    const saved = await saveDownload(page, 'street_car.vtl');
    assert.equal(await page.textContent('#document-name'), 'street_car.vtl');
    const inWork = { cwd: work, encoding: 'utf8' };

    await page.setInputFiles('#compare-input', example('track_car.vtl'));
    await page.waitForSelector('#compare-dialog[open]');
    const lines = await page.$$eval('#compare-list li', (items) => items.map((item) => item.textContent));
    const diff = spawnSync(cli, ['diff', example('track_car.vtl'), saved], { encoding: 'utf8' }).stdout.trim().split('\n');
    assert.ok(lines.length > 10);
    assert.deepEqual(lines, diff);
    assert.match(await page.textContent('#compare-summary'), new RegExp(`^${lines.length} differences from track_car.vtl `));
    await page.click('#compare-dialog button');

    const take = async (button, name) => {
      const [download] = await Promise.all([page.waitForEvent('download'), page.click(button)]);
      assert.equal(download.suggestedFilename(), name);
      const file = path.join(work, `page-${name}`);
      await download.saveAs(file);
      return fs.readFileSync(file);
    };
    const png = await take('#export-png', 'street_car.vtl.png');
    execFileSync(cli, ['render', 'street_car.vtl', '-o', 'cli.png'], inWork);
    // The page's pictures are stored, the command line's deflated (the web module has no zlib):
    // the same pixels, and the report the same apart from how its pictures are packed.
    const samePixels = (a, b, what) => {
      const [x, y] = [decodeGreyPngBytes(a), decodeGreyPngBytes(b)];
      assert.deepEqual([x.width, x.height], [y.width, y.height], what);
      assert.ok(x.grey.equals(y.grey), what);
    };
    samePixels(png, fs.readFileSync(path.join(work, 'cli.png')), 'the display picture is the render');
    const report = (await take('#report', 'street_car.vtl.html')).toString('latin1');
    execFileSync(cli, ['report', 'street_car.vtl', '-o', 'cli.html'], inWork);
    const cliReport = fs.readFileSync(path.join(work, 'cli.html'), 'latin1');
    const picture = /data:image\/png;base64,([A-Za-z0-9+/=]+)/g;
    const pictures = (html) => [...html.matchAll(picture)].map((m) => Buffer.from(m[1], 'base64'));
    assert.equal(report.replace(picture, 'PNG'), cliReport.replace(picture, 'PNG'), 'the report is veltrana-cli report');
    const [ours, theirs] = [pictures(report), pictures(cliReport)];
    assert.equal(ours.length, theirs.length);
    assert.ok(ours.length > 0, 'the report has pictures');
    ours.forEach((p, i) => samePixels(p, theirs[i], `the report's picture ${i + 1}`));

    await page.click('#display-preview');
    assert.match(await page.textContent('#display-summary'), /^11 gauges, \d+ bytes, about [\d.]+ s$/);
    await page.click('#preview-dialog button');
    assert.deepEqual(page.errors, []);
  }],
];

const only = process.env.WEB_SCENARIO;
const browser = await chromium.launch({ executablePath: browserPath, headless: true });
let failed = 0;
try {
  for (const [name, run] of scenarios) {
    if (only && !name.includes(only)) continue;
    const started = Date.now();
    try {
      await run(browser);
      console.log(`ok   ${name} (${Date.now() - started} ms)`);
    } catch (error) {
      failed += 1;
      console.log(`FAIL ${name}\n     ${String(error.message || error).split('\n').join('\n     ')}`);
    }
  }
} finally {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
}
process.exit(failed ? 1 : 0);
