// The recent files: the last four files opened or saved through the File System Access API,
// kept in the browser's IndexedDB as file handles (a browser without the API keeps none). The
// list's order and the message for a file that is gone are the editor's.

const STORE = 'recent-files';

function database() {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open('veltrana', 1);
    request.onupgradeneeded = () => request.result.createObjectStore(STORE);
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function stored(mode, work) {
  const db = await database();
  return new Promise((resolve, reject) => {
    const request = work(db.transaction(STORE, mode).objectStore(STORE));
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

export class RecentFiles {
  constructor(module, open, showMessage) {
    this.module = module;
    this.open = open;  // (file, handle) => Promise
    this.showMessage = showMessage;
    this.entries = [];  // {name, handle}, newest first
    this.element = document.getElementById('recent-files');
    if (!window.indexedDB || !window.showOpenFilePicker) return;
    stored('readonly', (store) => store.get('list')).then((list) => {
      this.entries = Array.isArray(list) ? list : [];
      this.show();
    }).catch(() => {});
  }

  async used(handle) {
    if (!handle || !window.indexedDB) return;
    const names = this.module.withRecentFile(this.entries.map((entry) => entry.name), handle.name);
    const byName = new Map(this.entries.map((entry) => [entry.name, entry.handle]));
    byName.set(handle.name, handle);
    await this.keep(names.map((name) => ({ name, handle: byName.get(name) })));
  }

  async keep(entries) {
    this.entries = entries;
    this.show();
    await stored('readwrite', (store) => store.put(entries, 'list')).catch(() => {});
  }

  show() {
    this.element.replaceChildren(...this.entries.map((entry, position) => {
      const button = document.createElement('button');
      button.textContent = `${position + 1} ${entry.name}`;
      button.title = `Open ${entry.name} (Alt+${position + 1})`;
      button.addEventListener('click', () => this.reopen(entry));
      return button;
    }));
  }

  async reopen(entry) {
    let file;
    try {
      if ((await entry.handle.queryPermission({ mode: 'readwrite' })) !== 'granted')
        await entry.handle.requestPermission({ mode: 'readwrite' });
      file = await entry.handle.getFile();
    } catch {
      const names = this.module.withoutRecentFile(this.entries.map((e) => e.name), entry.name);
      await this.keep(this.entries.filter((e) => names.includes(e.name)));
      this.showMessage(this.module.recentFileGoneMessage(entry.name));
      return;
    }
    await this.open(file, entry.handle);
  }
}
