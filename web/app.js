// The page's start: the core module, one editing session, and the views over it. Every command
// goes to the session; after each the views that show the document are redrawn.
import createVeltrana from './veltrana.mjs';
import { CatalogView } from './catalog.js';
import { Files } from './files.js';
import { PagePreviews } from './pages.js';
import { VehiclePanel, showCheck } from './panel.js';
import { CurveDialog, WarningDialog } from './settings.js';
import { RecentFiles } from './recent.js';
import { UploadCommand } from './serial.js';
import { FirmwareUpdate } from './firmware.js';
import { compareWith, exportImage, exportReport, previewDisplay } from './outputs.js';

const module = await createVeltrana();
const session = new module.Session();

const message = document.getElementById('message');
function showMessage(text) {
  document.getElementById('message-text').textContent = text;
  message.showModal();
}

function showHistory() {
  document.getElementById('undo').disabled = !session.canUndo();
  document.getElementById('redo').disabled = !session.canRedo();
  const name = session.name() + (session.modified() ? ' *' : '');
  document.getElementById('document-name').textContent = name;
  document.title = `${name} - Veltrana`;
}

// After every edit, undo, redo and load: every view that shows the document.
function documentChanged() {
  previews.drawPages();
  previews.drawMarker();
  catalog.show();
  panel.show();
  showCheck(session);
  showHistory();
}

// "Copy page" and "Clear page": the pages to work on, with the page under the pointer first;
// the core's question where the Windows editor asks one.
const pageDialog = document.getElementById('page-dialog');
function askPages(copying) {
  const from = document.getElementById('page-from');
  const to = document.getElementById('page-to');
  const pages = [1, 2, 3, 4].map((n) => `Page ${n}`);
  from.replaceChildren(...pages.map((name) => new Option(name)));
  to.replaceChildren(...pages.map((name) => new Option(name)));
  from.selectedIndex = session.pageUnderGhost();
  to.selectedIndex = (from.selectedIndex + 1) % pages.length;
  document.getElementById('page-to-label').hidden = !copying;
  document.getElementById('page-dialog-title').textContent = copying ? 'Copy Page To' : 'Clear Page';
  pageDialog.returnValue = '';
  pageDialog.showModal();
  return new Promise((resolve) => pageDialog.addEventListener('close', () => {
    resolve(pageDialog.returnValue === 'ok' ? { from: from.selectedIndex, to: to.selectedIndex } : null);
  }, { once: true }));
}

async function copyPage() {
  const choice = await askPages(true);
  if (!choice || choice.from === choice.to) return;
  if (session.gaugeCount(choice.to) > 0 && !window.confirm(module.copyPageQuestion(choice.from, choice.to).text)) return;
  if (session.copyPage(choice.from, choice.to)) documentChanged();
}

async function clearPage() {
  const choice = await askPages(false);
  if (!choice || session.gaugeCount(choice.from) === 0) return;
  if (!window.confirm(module.clearPageQuestion(choice.from).text)) return;
  if (session.clearPage(choice.from)) documentChanged();
}

const previews = new PagePreviews(module, session, documentChanged);
const catalog = new CatalogView(module, session, () => previews.drawMarker());
const files = new Files(module, session, documentChanged, showMessage);
const panel = new VehiclePanel(session, documentChanged);
const recent = new RecentFiles(module, (file, handle) => files.openFile(file, handle), showMessage);
files.onUsed = (handle) => recent.used(handle);
const curveDialog = new CurveDialog(module, session, documentChanged, showMessage);
const warningDialog = new WarningDialog(session, documentChanged);

// "Create a configuration": the editor's question; the contents stay, the name goes, and the
// next Save asks where to write.
function create() {
  if (!window.confirm(module.createQuestion)) return;
  session.create();
  documentChanged();
}

const upload = new UploadCommand(module, session, showHistory, showMessage);
// "Upgrade Display Firmware": off, with the serial commands' sentence where there is no Web
// Serial.
const firmware = new FirmwareUpdate(module, showMessage);

const commands = {
  create,
  open: () => files.choose(),
  save: () => files.save().then(showHistory),
  'save-as': () => files.saveAs().then(showHistory),
  undo: () => session.undo() && documentChanged(),
  redo: () => session.redo() && documentChanged(),
  cut: () => session.cutGauge() && documentChanged(),
  copy: () => { session.copyGauge(); catalog.show(); previews.drawMarker(); },
  paste: () => session.pasteGauge() && documentChanged(),
  'copy-page': copyPage,
  'clear-page': clearPage,
  curve: () => curveDialog.open(document.getElementById('curve-sensor').selectedIndex),
  warnings: () => warningDialog.open(),
  compare: () => document.getElementById('compare-input').click(),
  'display-preview': () => previewDisplay(session, previews.geometry),
  'export-png': () => exportImage(module, session),
  report: () => exportReport(module, session),
};
for (const [id, run] of Object.entries(commands)) document.getElementById(id).addEventListener('click', run);

document.getElementById('compare-input').addEventListener('change', (event) => {
  const [file] = event.target.files;
  event.target.value = '';
  if (file) compareWith(module, session, file, showMessage);
});

document.getElementById('open-input').addEventListener('change', (event) => {
  const [file] = event.target.files;
  if (file) files.openFile(file);
});

// The keys of the menu's accelerators; in a text field Ctrl+Z and Ctrl+Y stay the field's.
// Cut, Copy and Paste work on the pages; in a field they are the field's.
const shortcuts = { z: 'undo', y: 'redo', o: 'open', s: 'save', S: 'save-as' };
const pageShortcuts = { x: 'cut', c: 'copy', v: 'paste' };
document.addEventListener('keydown', (event) => {
  // Alt+1 to Alt+4: the recent files, as the File menu's numbers.
  if (event.altKey && !event.ctrlKey && /^[1-4]$/.test(event.key) && recent.entries[event.key - 1]) {
    event.preventDefault();
    recent.reopen(recent.entries[event.key - 1]);
    return;
  }
  if (!(event.ctrlKey || event.metaKey) || event.altKey) return;
  const key = event.shiftKey ? event.key.toUpperCase() : event.key.toLowerCase();
  // As in the editor: after a click on the pages, or while the pointer is over them and the
  // focus is not in a field.
  const inField = event.target.matches('input, textarea, select');
  const onPages = event.target === previews.overlay || (previews.pointerInside && !inField);
  const command = shortcuts[key] || (onPages && !event.shiftKey ? pageShortcuts[key] : undefined);
  if (!command) return;
  if (inField && (command === 'undo' || command === 'redo')) return;
  event.preventDefault();
  commands[command]();
});

// A .vtl dropped anywhere on the page opens as Open does; of several files the first.
const dropHint = document.getElementById('drop-hint');
document.addEventListener('dragover', (event) => {
  if (!event.dataTransfer.types.includes('Files')) return;
  event.preventDefault();
  dropHint.hidden = false;
});
document.addEventListener('dragleave', (event) => {
  if (event.relatedTarget === null) dropHint.hidden = true;
});
document.addEventListener('drop', async (event) => {
  if (!event.dataTransfer.types.includes('Files')) return;
  event.preventDefault();
  dropHint.hidden = true;
  const item = [...event.dataTransfer.items].find((entry) => entry.kind === 'file');
  if (!item) return;
  const handle = item.getAsFileSystemHandle ? await item.getAsFileSystemHandle() : null;
  const file = item.getAsFile();
  if (file) files.openFile(file, handle && handle.kind === 'file' ? handle : null);
});

window.addEventListener('beforeunload', (event) => {
  if (!session.modified()) return;
  event.preventDefault();
  event.returnValue = '';
});

window.addEventListener('resize', () => previews.layOut());
previews.layOut();
showCheck(session);
showHistory();
// The service worker keeps the page for starts without network and, on a host that sends no
// isolation headers, adds them. On such a host the first visit is not isolated: once the worker
// controls the page, one reload makes it so, unless the user has already changed something.
if ('serviceWorker' in navigator && window.isSecureContext) {
  const firstVisit = !navigator.serviceWorker.controller;
  navigator.serviceWorker.register('service-worker.js').then(() => {
    if (!firstVisit || window.crossOriginIsolated) return;
    navigator.serviceWorker.addEventListener('controllerchange', () => {
      if (!session.modified()) window.location.reload();
    }, { once: true });
  }).catch(() => {});
}

document.body.dataset.ready = 'true';
performance.mark('veltrana-ready');

// For the console and the scenarios: the session and the previews' geometry and scale.
window.veltrana = { module, session, geometry: previews.geometry, scale: () => previews.scale, upload, firmware };
