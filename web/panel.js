// The vehicle panel and the check list. Both show what the core says: the panel's fields, labels,
// lists and texts, and the check's findings in the check's own words.

export class VehiclePanel {
  constructor(session, onEdit) {
    this.session = session;
    this.onEdit = onEdit;
    this.form = document.getElementById('panel-fields');
    this.controls = new Map();
    for (const field of session.panelFields()) {
      const label = document.createElement('label');
      label.textContent = field.label;
      label.htmlFor = `field-${field.id}`;
      const control = document.createElement(field.list ? 'select' : 'input');
      control.id = label.htmlFor;
      control.dataset.label = field.label;
      control.dataset.id = field.id;
      if (field.list) {
        control.addEventListener('change', () => {
          session.chooseInPanel(field.id, control.selectedIndex);
          onEdit();
        });
      } else {
        control.type = 'text';
        control.spellcheck = false;
        control.addEventListener('input', () => session.typeInPanel(field.id, control.value));
        control.addEventListener('change', () => {
          session.leavePanelField(field.id);
          onEdit();
        });
      }
      this.form.append(label, control);
      this.controls.set(field.id, control);
    }
    this.form.addEventListener('submit', (event) => event.preventDefault());
    this.show();
  }

  // The fields as the panel holds them (after a load, an undo or a redo).
  show() {
    for (const field of this.session.panelFields()) {
      const control = this.controls.get(field.id);
      if (field.list) {
        if (control.options.length !== field.items.length ||
            [...control.options].some((option, i) => option.text !== field.items[i])) {
          control.replaceChildren(...field.items.map((item) => new Option(item)));
        }
        control.selectedIndex = field.selection;
      } else if (control.value !== field.text) {
        control.value = field.text;
      }
    }
  }
}

export function showCheck(session) {
  const result = session.check();
  document.getElementById('check-summary').textContent = result.summary;
  const list = document.getElementById('check-list');
  list.replaceChildren(...result.findings.map((finding) => {
    const item = document.createElement('li');
    item.className = finding.severity;
    item.textContent = finding.text;
    return item;
  }));
}
