// The catalog by kind: one tab a kind, and the kind's gauges with their pictures from the core's
// built-in bitmaps. Choosing one makes it the gauge that the next clicks on the pages place.

export class CatalogView {
  constructor(module, session, onSelect) {
    this.session = session;
    this.onSelect = onSelect;
    this.kinds = module.catalogKinds();
    this.kindList = document.getElementById('kinds');
    this.gaugeList = document.getElementById('gauges');
    this.kinds.forEach((kind, index) => {
      const tab = document.createElement('button');
      tab.textContent = kind.name;
      tab.setAttribute('role', 'tab');
      tab.addEventListener('click', () => this.choose(index, 0));
      this.kindList.append(tab);
    });
    this.shownKind = -1;
    this.show();
  }

  choose(kind, position) {
    this.session.select(kind, position);
    this.show();
    this.onSelect();
  }

  // The tabs and the list follow the session's selection (a copy also changes it).
  show() {
    const kind = this.session.selectedKind();
    const position = this.session.selectedGauge();
    [...this.kindList.children].forEach((tab, index) => tab.setAttribute('aria-selected', String(index === kind)));
    if (kind !== this.shownKind) this.fillGauges(kind);
    [...this.gaugeList.children].forEach((option, index) => {
      option.setAttribute('aria-selected', String(index === position));
      option.tabIndex = index === position ? 0 : -1;
    });
  }

  fillGauges(kind) {
    this.shownKind = kind;
    this.gaugeList.replaceChildren();
    this.kinds[kind].gauges.forEach((name, position) => {
      const option = document.createElement('button');
      option.setAttribute('role', 'option');
      option.dataset.name = name;
      option.append(this.picture(kind, position));
      option.append(document.createTextNode(name));
      option.addEventListener('click', () => this.choose(kind, position));
      // Dragged onto the pages, the entry is chosen and placed where it is dropped.
      option.draggable = true;
      option.addEventListener('dragstart', (event) => {
        this.choose(kind, position);
        event.dataTransfer.setData('application/x-veltrana-gauge', name);
        event.dataTransfer.effectAllowed = 'copy';
      });
      option.addEventListener('keydown', (event) => this.moveWithKeys(event, kind, position));
      this.gaugeList.append(option);
    });
  }

  moveWithKeys(event, kind, position) {
    const count = this.kinds[kind].gauges.length;
    const step = { ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1 }[event.key];
    if (!step) return;
    event.preventDefault();
    const next = (position + step + count) % count;
    this.choose(kind, next);
    this.gaugeList.children[next].focus();
  }

  // Twice the display's size, dark pixels black.
  picture(kind, position) {
    const { width, height, dark } = this.session.gaugePicture(kind, position);
    const canvas = document.createElement('canvas');
    canvas.width = Math.max(width, 1);
    canvas.height = Math.max(height, 1);
    canvas.style.width = `${width * 2}px`;
    const context = canvas.getContext('2d');
    const pixels = context.createImageData(canvas.width, canvas.height);
    for (let i = 0; i < width * height; ++i) {
      const value = dark[i] ? 0 : 255;
      pixels.data.set([value, value, value, 255], i * 4);
    }
    context.putImageData(pixels, 0, 0);
    return canvas;
  }
}
