// The four page previews and the pointer and keys on them. The pictures are the core's page image
// drawn at a whole number of screen pixels per display pixel; every position goes to the core in
// preview pixels, which places, snaps and fits.

const DARK = [0, 0, 0];
const LIGHT = [255, 255, 255];

export class PagePreviews {
  constructor(module, session, onEdit) {
    this.session = session;
    this.onEdit = onEdit;
    this.geometry = module.pageGeometry();
    const pages = this.geometry.pages;
    this.origin = { x: pages[0].x, y: pages[0].y };
    const last = pages[pages.length - 1];
    // Display pixels covered by the four pages and the gaps between them.
    this.width = this.geometry.displayWidth;
    this.height = (last.y + last.height - this.origin.y) / this.geometry.previewScale;
    this.base = document.getElementById('pages');
    this.overlay = document.getElementById('pages-overlay');
    this.pagePicture = new OffscreenCanvas(this.geometry.displayWidth, this.geometry.displayHeight);
    this.pointerInside = false;
    this.bindPointer();
    this.bindKeys();
  }

  // Screen pixels per display pixel: the largest whole number at which the pages fit the window's
  // height beside the catalog, and at least two (the editor's size; the page scrolls where the
  // window is lower) unless the width allows only one.
  chooseScale() {
    const ratio = window.devicePixelRatio || 1;
    const room = this.base.parentElement.parentElement.getBoundingClientRect();
    const across = Math.floor((Math.max(window.innerWidth * 0.62, 240) * ratio) / this.width);
    const down = Math.floor((Math.max(window.innerHeight - room.top - 24, 200) * ratio) / this.height);
    return Math.max(1, Math.min(across, Math.max(down, 2)));
  }

  layOut() {
    const scale = this.chooseScale();
    const ratio = window.devicePixelRatio || 1;
    this.scale = scale;
    for (const canvas of [this.base, this.overlay]) {
      canvas.width = this.width * scale;
      canvas.height = this.height * scale;
      canvas.style.width = `${canvas.width / ratio}px`;
      canvas.style.height = `${canvas.height / ratio}px`;
    }
    this.drawPages();
    this.drawMarker();
  }

  // The page image is 1 bit a pixel, the first pixel of a byte in bit 7, 30 bytes a line, the
  // four pages one after another.
  drawPages() {
    const image = this.session.pageImage();
    const { displayWidth, displayHeight, imageLineBytes, pages } = this.geometry;
    const pixels = new ImageData(displayWidth, displayHeight);
    const context = this.base.getContext('2d');
    context.imageSmoothingEnabled = false;
    context.fillStyle = getComputedStyle(this.base.parentElement).backgroundColor;
    context.fillRect(0, 0, this.base.width, this.base.height);
    const pictureContext = this.pagePicture.getContext('2d');
    pages.forEach((frame, page) => {
      const start = page * displayHeight * imageLineBytes;
      for (let y = 0; y < displayHeight; ++y) {
        for (let x = 0; x < displayWidth; ++x) {
          const byte = image[start + y * imageLineBytes + (x >> 3)];
          const colour = (byte >> (7 - (x & 7))) & 1 ? DARK : LIGHT;
          const at = (y * displayWidth + x) * 4;
          pixels.data[at] = colour[0];
          pixels.data[at + 1] = colour[1];
          pixels.data[at + 2] = colour[2];
          pixels.data[at + 3] = 255;
        }
      }
      pictureContext.putImageData(pixels, 0, 0);
      const top = this.toCanvas(frame.x, frame.y);
      context.drawImage(this.pagePicture, top.x, top.y, displayWidth * this.scale, displayHeight * this.scale);
    });
  }

  // A preview point as a point of the canvas.
  toCanvas(x, y) {
    const step = this.scale / this.geometry.previewScale;
    return { x: (x - this.origin.x) * step, y: (y - this.origin.y) * step };
  }

  // A pointer event's place as a preview point.
  toPreview(event) {
    const box = this.overlay.getBoundingClientRect();
    const ratio = this.overlay.width / box.width;
    const canvasX = (event.clientX - box.left) * ratio;
    const canvasY = (event.clientY - box.top) * ratio;
    const perPixel = this.geometry.previewScale;
    return {
      x: this.origin.x + Math.floor(canvasX / this.scale) * perPixel,
      y: this.origin.y + Math.floor(canvasY / this.scale) * perPixel,
    };
  }

  // The ghost (the selected gauge where it would go) or a carried gauge's outline, grey where
  // it fits and red where it does not.
  drawMarker() {
    const context = this.overlay.getContext('2d');
    context.clearRect(0, 0, this.overlay.width, this.overlay.height);
    const marker = this.session.marker();
    const corner = this.toCanvas(marker.x, marker.y);
    const step = this.scale / this.geometry.previewScale;
    if (marker.carrying) {
      const line = Math.max(2, this.scale);
      context.strokeStyle = marker.fits ? '#6b7480' : '#d0202a';
      context.lineWidth = line;
      context.strokeRect(corner.x + line / 2, corner.y + line / 2,
                         marker.width * step - line, marker.height * step - line);
      return;
    }
    if (!marker.ghostShown || !(this.pointerInside || document.activeElement === this.overlay)) return;
    const picture = this.session.gaugePicture(this.session.selectedKind(), this.session.selectedGauge());
    context.fillStyle = 'rgba(31, 95, 168, 0.25)';
    context.fillRect(corner.x, corner.y, marker.width * step, marker.height * step);
    context.fillStyle = 'rgba(31, 95, 168, 0.9)';
    for (let y = 0; y < picture.height; ++y)
      for (let x = 0; x < picture.width; ++x)
        if (picture.dark[y * picture.width + x])
          context.fillRect(corner.x + x * this.scale, corner.y + y * this.scale, this.scale, this.scale);
  }

  afterCommand(changed) {
    if (changed) this.onEdit();
    else this.drawMarker();
  }

  bindPointer() {
    const overlay = this.overlay;
    overlay.addEventListener('pointermove', (event) => {
      this.pointerInside = true;
      const at = this.toPreview(event);
      this.session.pointTo(at.x, at.y);
      this.drawMarker();
    });
    overlay.addEventListener('pointerleave', () => {
      this.pointerInside = false;
      this.drawMarker();
    });
    overlay.addEventListener('pointerdown', (event) => {
      overlay.focus();
      const at = this.toPreview(event);
      this.session.pointTo(at.x, at.y);
      if (event.button === 0) {
        const changed = this.session.pressLeft();
        // The release reaches us even outside the pages.
        if (this.session.marker().carrying) overlay.setPointerCapture(event.pointerId);
        this.afterCommand(changed);
      } else if (event.button === 2) {
        this.afterCommand(this.session.pressRight());
      }
    });
    overlay.addEventListener('pointerup', (event) => {
      if (event.button !== 0) return;
      const box = overlay.getBoundingClientRect();
      const inside = event.clientX >= box.left && event.clientX < box.right &&
                     event.clientY >= box.top && event.clientY < box.bottom;
      if (inside) {
        const at = this.toPreview(event);
        this.session.pointTo(at.x, at.y);
      }
      this.afterCommand(this.session.releaseLeft(inside));
    });
    overlay.addEventListener('lostpointercapture', () => {
      if (this.session.marker().carrying && this.session.cancelCarry()) this.drawMarker();
    });
    overlay.addEventListener('contextmenu', (event) => event.preventDefault());
    // A catalog entry dragged over the pages is the ghost; dropped, it is placed where it fits.
    const isGauge = (event) => event.dataTransfer.types.includes('application/x-veltrana-gauge');
    overlay.addEventListener('dragover', (event) => {
      if (!isGauge(event)) return;
      event.preventDefault();
      this.pointerInside = true;
      const at = this.toPreview(event);
      this.session.pointTo(at.x, at.y);
      this.drawMarker();
    });
    overlay.addEventListener('drop', (event) => {
      if (!isGauge(event)) return;
      event.preventDefault();
      const at = this.toPreview(event);
      this.session.pointTo(at.x, at.y);
      this.afterCommand(this.session.pressLeft());
    });
  }

  // The page keys act with the focus on the pages, or while the pointer is over them and the
  // focus is not in a field, whose own keys they are.
  bindKeys() {
    document.addEventListener('keydown', (event) => {
      const meant = event.target === this.overlay ||
                    (this.pointerInside && !event.target.matches('input, textarea, select, button'));
      if (!meant) return;
      if (event.ctrlKey || event.altKey || event.metaKey) return;
      if (event.key === 'Escape') {
        if (this.session.cancelCarry()) this.drawMarker();
      } else if (['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Enter', 'Delete'].includes(event.key)) {
        this.afterCommand(this.session.pressKey(event.key));
      } else {
        return;
      }
      event.preventDefault();
    });
    this.overlay.addEventListener('focus', () => this.drawMarker());
    this.overlay.addEventListener('blur', () => this.drawMarker());
  }
}
