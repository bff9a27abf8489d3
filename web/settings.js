// "Setup Custom Sensor" and "Setup Warnings": the editor's dialogs over the core's form logic.
// The page shows what the form holds and hands every edit to it; OK stores, Cancel forgets.
import { download } from './outputs.js';

function listControl(list, onChoose) {
  const select = document.createElement('select');
  select.append(...list.items.map((item) => new Option(item)));
  select.selectedIndex = list.selection;
  select.addEventListener('change', () => onChoose(select.selectedIndex));
  return select;
}

export class CurveDialog {
  constructor(module, session, onStored, showMessage) {
    this.session = session;
    this.onStored = onStored;
    this.showMessage = showMessage;
    this.dialog = document.getElementById('curve-dialog');
    this.points = document.getElementById('curve-points');
    this.plot = document.getElementById('curve-plot');
    this.edits = [];
    for (let k = 0; k < 33; ++k) {
      const label = document.createElement('label');
      label.textContent = `${module.curveVolts(k)} V`;
      const edit = document.createElement('input');
      edit.type = 'text';
      edit.dataset.point = String(k);
      label.htmlFor = edit.id = `curve-point-${k}`;
      edit.addEventListener('input', () => {
        session.typeCurvePoint(k, edit.value);
        this.drawPlot();
      });
      this.points.append(label, edit);
      this.edits.push(edit);
    }
    const on = (id, run) => document.getElementById(id).addEventListener('click', run);
    on('curve-line', () => {
      session.curveLine(document.getElementById('curve-at-0v').value, document.getElementById('curve-at-5v').value);
      this.show();
    });
    on('curve-copy', () => {
      session.curveCopyFrom(document.getElementById('curve-copy-from').selectedIndex);
      this.show();
    });
    on('curve-import', () => document.getElementById('curve-import-input').click());
    document.getElementById('curve-import-input').addEventListener('change', async (event) => {
      const [file] = event.target.files;
      event.target.value = '';
      if (!file) return;
      const failure = session.curveImport(file.name, await file.text());
      if (failure) this.showMessage(failure);
      this.show();
    });
    on('curve-export', () => {
      const name = `sensor${this.sensor + 1}.csv`;
      const result = session.curveExport(name);
      if (result.failure) this.showMessage(result.failure);
      else download(name, result.content, 'text/csv');
    });
    this.dialog.addEventListener('close', () => {
      if (this.dialog.returnValue !== 'ok') return;
      session.curveOk();
      this.onStored();
    });
  }

  open(sensor) {
    this.sensor = sensor;
    this.session.openCurve(sensor);
    document.getElementById('curve-title').textContent = `Setup Custom Sensor ${sensor + 1}`;
    this.show();
    this.dialog.returnValue = '';
    this.dialog.showModal();
    this.edits[0].select();
  }

  show() {
    this.session.curvePoints().forEach((text, k) => { this.edits[k].value = text; });
    this.drawPlot();
  }

  // The points joined, a point whose text is not the number it stores marked red; the value
  // axis labelled with the lowest and highest value.
  drawPlot() {
    const context = this.plot.getContext('2d');
    const { width, height } = this.plot;
    const margin = 40;
    const plot = this.session.curvePlot(width - margin - 8, height - 16);
    context.clearRect(0, 0, width, height);
    context.strokeStyle = '#1d232a';
    context.strokeRect(margin - 0.5, 7.5, width - margin - 7, height - 15);
    context.fillStyle = '#1d232a';
    context.font = '11px system-ui, sans-serif';
    context.fillText(plot.highest, 2, 16);
    context.fillText(plot.lowest, 2, height - 8);
    context.beginPath();
    plot.points.forEach((point, k) => {
      const x = margin + point.x, y = 8 + point.y;
      if (k === 0) context.moveTo(x, y);
      else context.lineTo(x, y);
    });
    context.strokeStyle = '#1f5fa8';
    context.stroke();
    context.fillStyle = '#d0202a';
    for (const point of plot.points) if (!point.asTyped) context.fillRect(margin + point.x - 3, 8 + point.y - 3, 7, 7);
  }
}

export class WarningDialog {
  constructor(session, onStored) {
    this.session = session;
    this.onStored = onStored;
    this.dialog = document.getElementById('warning-dialog');
    this.body = document.getElementById('warning-rows');
    this.dialog.addEventListener('close', () => {
      if (this.dialog.returnValue !== 'ok') return;
      session.warningsOk();
      this.onStored();
    });
  }

  open() {
    this.session.openWarnings();
    this.show();
    this.dialog.returnValue = '';
    this.dialog.showModal();
  }

  // Eight warnings of four rows; a row's page box shows where the warning is active.
  show() {
    const rows = this.session.warningRows();
    const choose = (id) => (position) => {
      this.session.chooseInWarnings(id, position);
      this.show();
    };
    this.body.replaceChildren(...rows.map((row, r) => {
      const line = document.createElement('tr');
      const cell = (...content) => {
        const td = document.createElement('td');
        td.append(...content);
        line.append(td);
        return td;
      };
      if (r % 4 === 0) {
        const head = document.createElement('th');
        head.rowSpan = 4;
        head.scope = 'row';
        head.textContent = `Warning ${r / 4 + 1}`;
        line.append(head);
      }
      const page = document.createElement('input');
      page.type = 'checkbox';
      page.checked = row.checked;
      page.disabled = true;
      page.dataset.id = row.pageCheck;
      cell(page);
      for (const [listId, list] of [[row.parameterList, row.parameter], [row.conditionList, row.condition]]) {
        const select = listControl(list, choose(listId));
        select.dataset.id = listId;
        cell(select);
      }
      const value = document.createElement('input');
      value.type = 'text';
      value.value = row.value;
      value.dataset.id = row.valueEdit;
      value.addEventListener('input', () => this.session.typeInWarnings(row.valueEdit, value.value));
      cell(value);
      const unit = listControl(row.unit, (position) => this.session.chooseInWarnings(row.unitList, position));
      unit.dataset.id = row.unitList;
      cell(unit);
      return line;
    }));
  }
}
