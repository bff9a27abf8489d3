// Opening and saving files. The file's bytes go to the core and come from it; the page only
// moves them: through the File System Access API where the browser has it (Save writes back to
// the opened file), else through a file input and a download.

export async function leadingBytes(module, file) {
  return new Uint8Array(await file.slice(0, module.configurationFileBytes).arrayBuffer());
}

export class Files {
  constructor(module, session, onLoaded, showMessage) {
    this.module = module;
    this.session = session;
    this.onUsed = () => {};  // a file opened or saved through its handle (the recent files)
    this.onLoaded = onLoaded;
    this.showMessage = showMessage;
    this.handle = null;  // the file the document was opened from or saved to, where allowed
    this.handleName = '';  // the document's name when it was tied to that file
  }

  // Save writes back through the handle only while the document still has the name it had when
  // it was opened or saved there: an undo past the load, or Create, gives the document another
  // name, and its contents must not go into the file it was not read from.
  heldHandle() {
    if (!this.handle || !this.handle.createWritable) return null;
    return this.handleName === this.session.name() ? this.handle : null;
  }

  hold(handle) {
    this.handle = handle;
    this.handleName = handle ? this.session.name() : '';
  }

  // Load: a refused file changes nothing and the core's message says why.
  async openBytes(name, bytes, handle = null) {
    if (this.session.modified() && !window.confirm(this.session.replaceQuestion())) return false;
    const failure = this.session.load(name, bytes);
    if (failure) {
      this.showMessage(failure);
      return false;
    }
    this.hold(handle);
    this.onLoaded();
    this.onUsed(handle);
    return true;
  }

  // Only as much of the file as the core reads is read, so a huge file chosen by mistake costs
  // neither time nor memory.
  async openFile(file, handle = null) {
    return this.openBytes(file.name, await leadingBytes(this.module, file), handle);
  }

  async choose() {
    if (window.showOpenFilePicker) {
      let handles;
      try {
        handles = await window.showOpenFilePicker({ types: [this.fileType()] });
      } catch {
        return;  // cancelled
      }
      await this.openFile(await handles[0].getFile(), handles[0]);
    } else {
      const input = document.getElementById('open-input');
      input.value = '';
      input.click();
    }
  }

  fileType() {
    return { description: 'Veltrana configuration', accept: { 'application/octet-stream': ['.vtl'] } };
  }

  async save() {
    const handle = this.heldHandle();
    return handle ? this.writeTo(handle) : this.saveAs();
  }

  async saveAs() {
    if (window.showSaveFilePicker) {
      let handle;
      try {
        handle = await window.showSaveFilePicker({ suggestedName: this.session.name(), types: [this.fileType()] });
      } catch {
        return false;  // cancelled
      }
      return this.writeTo(handle);
    }
    const bytes = this.session.saveBytes();
    const name = this.session.name();
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    this.session.saved(name);
    return true;
  }

  async writeTo(handle) {
    const bytes = this.session.saveBytes();
    try {
      const writable = await handle.createWritable();
      await writable.write(bytes);
      await writable.close();
    } catch (error) {
      this.showMessage(this.session.saveFailure(handle.name, String(error.message || error)));
      return false;
    }
    this.session.saved(handle.name);
    this.hold(handle);
    this.onUsed(handle);
    return true;
  }
}
