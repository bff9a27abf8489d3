// "Upgrade Display Firmware": a *.bin file checked by the core before anything else (an empty
// one is refused, one too long needs consent), the Windows editor's "Firmware Update" dialog with
// the file's name, size and CRC-32, then the port the user chooses and the exchange in the serial
// worker (firmware-worker.js), where the core's state machine runs it. Ends with the Windows
// editor's notice. Every text and every rule comes from the core. The port is asked for and
// remembered as the upload does (serial.js).
import { PortChoice, serialCommand } from './serial.js';

export class FirmwareUpdate {
  constructor(module, showMessage) {
    this.module = module;
    this.showMessage = showMessage;
    this.portChoice = new PortChoice(module, 'firmware-port', 'firmware-port-choose');
    this.input = document.getElementById('firmware-input');
    this.dialog = document.getElementById('firmware-dialog');
    this.question = document.getElementById('firmware-question');
    this.notice = document.getElementById('firmware-notice');
    this.running = false;
    this.input.addEventListener('change', () => {
      const [file] = this.input.files;
      this.input.value = '';
      if (file) this.check(file);
    });
    const texts = module.firmwareDialog();
    document.getElementById('firmware-title').textContent = texts.title;
    document.getElementById('firmware-steps').replaceChildren(
      ...texts.lines.map((line) => Object.assign(document.createElement('li'), { textContent: line })));
    document.getElementById('firmware-proceed').textContent = texts.proceed;
    document.getElementById('firmware-cancel').textContent = texts.cancel;
    // Cancel closes the dialog; while the transfer runs nothing closes it (Esc included).
    this.dialog.addEventListener('cancel', (event) => { if (this.running) event.preventDefault(); });
    document.getElementById('firmware-cancel').addEventListener('click', () => {
      if (!this.running) this.dialog.close();
    });
    document.getElementById('firmware-proceed').addEventListener('click', () => this.proceed());
    this.notice.querySelector('button').addEventListener('click', () => this.notice.close());
    serialCommand(module, 'upgrade-firmware', () => this.choose());
    // A display cut off mid-flash may not start again: leaving the page while it runs asks first.
    window.addEventListener('beforeunload', (event) => {
      if (!this.running) return;
      event.preventDefault();
      event.returnValue = '';
    });
  }

  // The exchange in the worker; resolves to the transfer's result.
  transfer(port, portIndex) {
    const worker = new Worker(new URL('./firmware-worker.js', import.meta.url), { type: 'module' });
    return new Promise((resolve) => {
      worker.onmessage = (event) => {
        if (event.data.done) resolve(event.data.done.result ?? this.module.firmwarePortFailed);
        else this.showProgress(event.data.progress);
      };
      worker.onerror = () => resolve(this.module.firmwarePortFailed);
      worker.postMessage({ portIndex, portInfo: port.getInfo(), line: this.module.serialLine(false), image: this.image });
    }).finally(() => worker.terminate());
  }

  choose() {
    if (!this.running) this.input.click();
  }

  async check(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    const checked = this.module.checkFirmware(file.name, bytes);
    if (checked.verdict === 'refused') {
      this.showMessage(`${checked.caption}\n\n${checked.message}`);
      return;
    }
    if (checked.verdict === 'tooLong' && !(await this.ask(checked.caption, checked.message))) return;
    this.image = checked.image;
    const summary = document.getElementById('firmware-file');
    summary.replaceChildren(...checked.summary.map((line) => Object.assign(document.createElement('li'), { textContent: line })));
    this.showProgress(null);
    this.setButtons(true);
    await this.portChoice.recall();
    this.dialog.showModal();
  }

  // The question before a file longer than the display takes; Cancel is the default, as in the
  // Windows editor, so a hasty Enter sends nothing.
  ask(caption, text) {
    document.getElementById('firmware-question-caption').textContent = caption;
    document.getElementById('firmware-question-text').textContent = text;
    this.question.returnValue = '';
    this.question.showModal();
    return new Promise((resolve) => this.question.addEventListener('close', () => resolve(this.question.returnValue === 'ok'), { once: true }));
  }

  setButtons(enabled) {
    for (const id of ['firmware-proceed', 'firmware-cancel', 'firmware-port-choose']) document.getElementById(id).disabled = !enabled;
  }

  // The bar of the Windows editor's transfer: 0..100, moved by the core's steps.
  showProgress(steps) {
    const bar = document.getElementById('firmware-progress');
    bar.hidden = steps === null;
    bar.value = steps ?? 0;
  }

  async proceed() {
    if (this.running) return;
    const chosen = await this.portChoice.forProceed();
    if (!chosen) return;  // the picker was cancelled: the dialog stays, nothing was sent
    const { port, index: portIndex } = chosen;
    this.running = true;
    this.setButtons(false);
    this.showProgress(0);
    const result = await this.transfer(port, portIndex);
    this.running = false;
    this.showProgress(null);
    this.dialog.close();
    this.showNotice(result);
  }

  showNotice(result) {
    const notice = this.module.firmwareNotice(result);
    document.getElementById('firmware-notice-title').textContent = notice.title;
    document.getElementById('firmware-notice-text').textContent = notice.text;
    this.notice.querySelector('button').textContent = notice.button;
    this.notice.dataset.succeeded = String(notice.succeeded);
    this.notice.showModal();
  }
}
