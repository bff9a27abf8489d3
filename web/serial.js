// The commands that use the serial port: "Upload Gauge Configuration" here, "Upgrade Display
// Firmware" hooked in through serialCommand. Both are off, with one sentence why, where the
// browser has no Web Serial or the page is not served securely; everything else works there.
//
// The upload: the confirm dialog with the Windows editor's texts and the check's problem count;
// the port is asked for once with navigator.serial.requestPort() and remembered (by its place in
// getPorts() and its USB ids) for the next upload; "Proceed" hands the core's stream and pause
// schedule to upload-worker.js, which drives the port; the page shows progress, offers Cancel,
// and shows the core's message when the upload did not go through. A cancelled picker changes
// nothing.

const rememberedKey = 'veltrana.serialPort';

let unavailable = null;  // the sentence, or "" when the serial commands can work

// The one place that turns the serial commands on or off. `run` is the command's action; a
// command without one stays off.
export function serialCommand(module, id, run) {
  if (unavailable === null) {
    unavailable = module.serialUnavailableReason('serial' in navigator, window.isSecureContext);
    const note = document.getElementById('serial-note');
    note.textContent = unavailable;
    note.hidden = unavailable === '';
  }
  const button = document.getElementById(id);
  button.disabled = unavailable !== '' || !run;
  if (unavailable !== '') {
    button.title = unavailable;
    return;
  }
  if (run) button.addEventListener('click', run);
}

// The port's name in messages, as the core words it from what the browser tells.
export function portName(module, port) {
  const info = port ? port.getInfo() : {};
  return module.serialPortName(info.usbVendorId ?? -1, info.usbProductId ?? -1);
}

async function rememberedPort() {
  const saved = JSON.parse(localStorage.getItem(rememberedKey) || 'null');
  if (!saved) return null;
  const port = (await navigator.serial.getPorts())[saved.index];
  const info = port ? port.getInfo() : null;
  return info && info.usbVendorId === saved.info.usbVendorId && info.usbProductId === saved.info.usbProductId ? port : null;
}

async function remember(port) {
  const index = (await navigator.serial.getPorts()).indexOf(port);
  if (index >= 0) localStorage.setItem(rememberedKey, JSON.stringify({ index, info: port.getInfo() }));
  return index;
}

// Asks for a port; null when the user cancelled the picker.
async function askForPort() {
  try {
    return await navigator.serial.requestPort();
  } catch (error) {
    if (error && error.name === 'NotFoundError') return null;
    throw error;
  }
}

// The port line of the upload and firmware dialogs: the remembered port by name, "Choose port…"
// for another, and the picker at Proceed while none is chosen.
export class PortChoice {
  constructor(module, nameId, chooseId) {
    this.module = module;
    this.port = null;
    this.name = document.getElementById(nameId);
    document.getElementById(chooseId).addEventListener('click', () => this.choose());
  }

  async recall() {
    this.port = await rememberedPort();
    this.show();
  }

  show() {
    this.name.textContent = this.port ? portName(this.module, this.port) : 'asked for when you press Proceed';
  }

  async choose() {
    const port = await askForPort();
    if (!port) return;
    this.port = port;
    await remember(port);
    this.show();
  }

  // The port for Proceed and its place among getPorts() (the workers find it there); null when
  // the picker was cancelled.
  async forProceed() {
    const port = this.port ?? await askForPort();
    if (!port) return null;
    this.port = port;
    const index = await remember(port);
    this.show();
    return { port, index };
  }
}

export class UploadCommand {
  constructor(module, session, afterUpload, showMessage) {
    this.module = module;
    this.session = session;
    this.afterUpload = afterUpload;
    this.showMessage = showMessage;
    this.dialog = document.getElementById('upload-dialog');
    this.portChoice = new PortChoice(module, 'upload-port', 'upload-port-choose');
    this.worker = null;
    const texts = module.uploadConfirmTexts();
    document.getElementById('upload-title').textContent = texts.caption;
    document.getElementById('upload-lines').replaceChildren(...texts.lines.map((text) => {
      const item = document.createElement('li');
      item.textContent = text;
      return item;
    }));
    document.getElementById('upload-proceed').textContent = texts.proceed;
    document.getElementById('upload-cancel').textContent = texts.cancel;
    document.getElementById('upload-show-problems').textContent = texts.showProblems;
    document.getElementById('upload-proceed').addEventListener('click', () => this.proceed());
    document.getElementById('upload-cancel').addEventListener('click', () => this.cancel());
    document.getElementById('upload-show-problems').addEventListener('click', () => {
      this.dialog.close();
      document.getElementById('check').scrollIntoView();
    });
    // Esc cancels the dialog, never a running upload (Cancel does that, and says so).
    this.dialog.addEventListener('cancel', (event) => { if (this.worker) event.preventDefault(); });
    serialCommand(module, 'upload', () => this.open());
  }

  setState(state) {
    this.dialog.dataset.state = state;
  }

  async open() {
    const problems = this.session.uploadProblems();
    document.getElementById('upload-problems').textContent = problems;
    document.getElementById('upload-problems-line').hidden = problems === '';
    document.getElementById('upload-progress').hidden = true;
    document.getElementById('upload-proceed').disabled = false;
    document.getElementById('upload-port-choose').disabled = false;
    await this.portChoice.recall();
    this.setState('confirm');
    this.dialog.showModal();
  }

  async proceed() {
    if (this.worker) return;
    const chosen = await this.portChoice.forProceed();
    if (!chosen) return;  // the picker was cancelled: nothing changes
    const { port, index: portIndex } = chosen;
    const plan = this.session.uploadPlan();
    this.afterUpload();  // the upload worked out the warnings' pages anew, as the editor's does
    const progress = document.getElementById('upload-progress');
    progress.max = plan.progressSteps;
    progress.value = 0;
    progress.hidden = false;
    document.getElementById('upload-proceed').disabled = true;
    document.getElementById('upload-port-choose').disabled = true;
    this.setState('running');
    const shared = window.crossOriginIsolated ? new Int32Array(new SharedArrayBuffer(4)) : null;
    this.cancelFlag = shared;
    this.worker = new Worker(new URL('./upload-worker.js', import.meta.url), { type: 'module' });
    const done = new Promise((resolve) => {
      this.worker.onmessage = (event) => {
        if (event.data.done) resolve(event.data.done);
        else progress.value = event.data.progress;
      };
      this.worker.onerror = () => resolve({ outcome: 'stopped', bytesSent: 0, bytesTotal: plan.bytes.length });
    });
    this.worker.postMessage({
      portIndex, portInfo: port.getInfo(), line: this.module.serialLine(true), plan, cancel: shared,
    });
    const result = await done;
    this.worker.terminate();
    this.worker = null;
    this.lastResult = result;
    this.dialog.close();
    this.setState(result.outcome);
    if (result.outcome !== 'sent') {
      const message = this.module.uploadFailure(result.outcome, result.bytesSent, result.bytesTotal, portName(this.module, port));
      this.showMessage(message.text);
    }
  }

  cancel() {
    if (!this.worker) {
      this.dialog.close();
      return;
    }
    if (this.cancelFlag) {
      Atomics.store(this.cancelFlag, 0, 1);
      Atomics.notify(this.cancelFlag, 0);
    } else {
      this.worker.postMessage('cancel');
    }
  }
}
