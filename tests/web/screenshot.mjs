// The README's picture of the page: the street car example open in a 1366 x 768 window, taken
// by `tests/web/run screenshot` into docs/web_page.png.
import path from 'node:path';
import { chromium } from 'playwright-core';

const [url, , browserPath, root] = process.argv.slice(2);
const browser = await chromium.launch({ executablePath: browserPath, headless: true });
const page = await browser.newPage({ viewport: { width: 1366, height: 768 } });
await page.goto(url);
await page.waitForSelector('body[data-ready=true]');
await page.setInputFiles('#open-input', path.join(root, 'examples', 'street_car.vtl'));
await page.waitForFunction(() => document.getElementById('document-name').textContent === 'street_car.vtl');
await page.click('#kinds [role=tab]:text-is("Text")');
await page.mouse.move(1, 1);
await page.screenshot({ path: path.join(root, 'docs', 'web_page.png') });
await browser.close();
