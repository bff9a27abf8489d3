// What the core makes of the open configuration for the user to take away or look at: the
// comparison with another file, the report, the display picture and the display preview.
import { leadingBytes } from './files.js';

export function download(name, content, type) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([content], { type }));
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

export async function compareWith(module, session, file, showMessage) {
  const result = session.compare(file.name, await leadingBytes(module, file));
  if (!result.compared) {
    showMessage(result.summary);
    return;
  }
  document.getElementById('compare-summary').textContent = result.summary;
  document.getElementById('compare-list').replaceChildren(...result.differences.map((line) => {
    const item = document.createElement('li');
    item.textContent = line;
    return item;
  }));
  document.getElementById('compare-dialog').showModal();
}

export function exportReport(module, session) {
  download(module.exportPath(session.name(), '.html'), session.report(), 'text/html');
}

export function exportImage(module, session) {
  download(module.exportPath(session.name(), '.png'), session.displayPng(), 'image/png');
}

// The four pages stacked as the display shows them, three screen pixels a display pixel, with
// what an upload would send in one line.
export function previewDisplay(session, geometry) {
  const { displayWidth, displayHeight, imageLineBytes, pages } = geometry;
  const image = session.pageImage();
  const scale = 3;
  const canvas = document.getElementById('display-canvas');
  const ratio = window.devicePixelRatio || 1;
  const step = Math.max(1, Math.round(scale * ratio));
  canvas.width = displayWidth * step;
  canvas.height = displayHeight * pages.length * step;
  canvas.style.width = `${canvas.width / ratio}px`;
  const context = canvas.getContext('2d');
  context.fillStyle = '#fff';
  context.fillRect(0, 0, canvas.width, canvas.height);
  context.fillStyle = '#000';
  for (let line = 0; line < displayHeight * pages.length; ++line)
    for (let x = 0; x < displayWidth; ++x)
      if ((image[line * imageLineBytes + (x >> 3)] >> (7 - (x & 7))) & 1) context.fillRect(x * step, line * step, step, step);
  document.getElementById('display-summary').textContent = session.uploadSummary();
  document.getElementById('preview-dialog').showModal();
}
