// The test's stand-in for Web Serial, with the API's shape: navigator.serial (getPorts,
// requestPort, the connect and disconnect events) and ports with getInfo, open with its options,
// readable, writable, close and forget. Bytes travel over a WebSocket to serial_bridge.mjs,
// which holds a pseudo-terminal whose far end is the display simulator. Installed by the test
// runner in the page (an init script) and in the page's workers (prepended to their scripts),
// never by the page itself.
//
// config: { bridge: 'ws://...', ports: [{ device, usbVendorId, usbProductId, unplugAfter }],
//           choose: index of the port the picker returns, or null when the user cancels it,
//           buffer: bytes a write may leave with the bridge unanswered (default 0) }
// With buffer 0 a write resolves when the bridge has put its bytes into the terminal: the
// bridge's own delays can then only lengthen what the display sees, never shorten it, which the
// scenarios need on a busy machine. With a buffer, a write resolves once its bytes are handed to
// the WebSocket while the bytes not yet answered fit in it (a system's output buffer), and waits
// for answers otherwise; a line that takes nothing still stops every write once it is full.
// In a worker config is null: the worker's stand-in asks the page's for it over a
// BroadcastChannel (a test's browser context is a profile of its own, so only its own page
// answers). getPorts() lists every configured port (they count as granted before), in the same
// order in the page and in its workers, and as the same objects each time within one context.
// eslint-disable-next-line no-unused-vars
function installFakeSerial(givenConfig) {
  const channel = new BroadcastChannel('veltrana-fake-serial');
  const configReady = givenConfig
    ? Promise.resolve(givenConfig)
    : new Promise((resolve) => {
      channel.addEventListener('message', (event) => { if (event.data && event.data.config) resolve(event.data.config); });
      channel.postMessage('config?');
    });
  // An unplug seen where the port is open (a worker) reaches every context, as Chromium's
  // disconnect event does.
  const ports = [];
  const disconnected = (index) => {
    const port = ports[index];
    if (!port) return;
    port.dispatchEvent(new Event('disconnect', { bubbles: true }));
    navigator.serial.dispatchEvent(new Event('disconnect', { bubbles: true }));
  };
  channel.addEventListener('message', (event) => {
    if (givenConfig && event.data === 'config?') channel.postMessage({ config: givenConfig });
    if (event.data && event.data.disconnected !== undefined) disconnected(event.data.disconnected);
  });
  let config = givenConfig;
  const lost = () => new DOMException('The device has been lost.', 'NetworkError');

  class FakeSerialPort extends EventTarget {
    #setup;
    #socket = null;
    #readable = null;
    #writable = null;
    #pending = [];  // writes the line has not yet taken, in order: { bytes, resolve, reject }
    #serial;

    constructor(setup, serial) {
      super();
      this.#setup = setup;
      this.#serial = serial;
      this.onconnect = null;
      this.ondisconnect = null;
    }

    getInfo() {
      const info = {};
      if (this.#setup.usbVendorId !== undefined) info.usbVendorId = this.#setup.usbVendorId;
      if (this.#setup.usbProductId !== undefined) info.usbProductId = this.#setup.usbProductId;
      return info;
    }

    get readable() { return this.#readable; }
    get writable() { return this.#writable; }

    // As Chromium checks them: a baud rate is required, the rest must be among the allowed values.
    async open(options) {
      if (this.#socket) throw new DOMException('The port is already open.', 'InvalidStateError');
      if (!options || !(options.baudRate > 0)) throw new TypeError('Requested baud rate must be greater than zero.');
      if (options.dataBits !== undefined && ![7, 8].includes(options.dataBits)) throw new TypeError('Requested number of data bits must be 7 or 8.');
      if (options.stopBits !== undefined && ![1, 2].includes(options.stopBits)) throw new TypeError('Requested number of stop bits must be 1 or 2.');
      if (options.parity !== undefined && !['none', 'even', 'odd'].includes(options.parity)) throw new TypeError(`The provided value '${options.parity}' is not a valid enum value of type ParityType.`);
      const socket = new WebSocket(`${config.bridge}?device=${encodeURIComponent(this.#setup.device)}`);
      socket.binaryType = 'arraybuffer';
      const open = {
        baudRate: options.baudRate, dataBits: options.dataBits ?? 8, stopBits: options.stopBits ?? 1,
        parity: options.parity ?? 'none', flowControl: options.flowControl ?? 'none',
      };
      await new Promise((resolve, reject) => {
        const failed = () => reject(new DOMException('Failed to open serial port.', 'NetworkError'));
        socket.onopen = () => socket.send(JSON.stringify({ open, unplugAfter: this.#setup.unplugAfter }));
        socket.onerror = failed;
        socket.onclose = failed;
        socket.onmessage = (event) => {
          const message = typeof event.data === 'string' ? JSON.parse(event.data) : {};
          if (message.opened) resolve(); else failed();
        };
      });
      this.#socket = socket;
      let reading;
      this.#readable = new ReadableStream({
        start: (controller) => { reading = controller; },
        cancel: () => {},
      });
      let writing;
      this.#writable = new WritableStream({
        start: (controller) => {
          writing = controller;
          // As Chromium's port: an abort ends a write still in flight, so the port can close.
          controller.signal.addEventListener('abort', () => {
            for (const write of this.#pending.splice(0)) if (!write.settled) write.reject(controller.signal.reason);
          });
        },
        // Resolves when the line took the bytes, as a real port's write does once the system
        // took them; a line that takes nothing leaves it pending.
        write: (chunk) => new Promise((resolve, reject) => {
          if (socket.readyState !== WebSocket.OPEN) return reject(lost());
          const bytes = chunk instanceof ArrayBuffer ? new Uint8Array(chunk) : new Uint8Array(chunk.buffer, chunk.byteOffset, chunk.byteLength);
          const write = { length: bytes.length, resolve, reject, settled: false };
          this.#pending.push(write);
          socket.send(bytes.slice());
          this.#settle();
        }),
        abort: () => {},
      });
      socket.onmessage = (event) => {
        if (typeof event.data === 'string') {
          if (JSON.parse(event.data).taken === undefined) return;
          const write = this.#pending.shift();
          if (!write) return;
          if (!write.settled) write.resolve();
          this.#settle();
          return;
        }
        try { reading.enqueue(new Uint8Array(event.data)); } catch { /* cancelled */ }
      };
      socket.onerror = null;
      socket.onclose = (event) => {
        if (this.#socket !== socket) return;
        if (event.code !== 4001) return;
        // Unplugged: the streams error and the disconnect event reaches the port and
        // navigator.serial, as on a real unplug.
        const error = lost();
        for (const write of this.#pending.splice(0)) if (!write.settled) write.reject(error);
        try { reading.error(error); } catch { /* already closed */ }
        try { writing.error(error); } catch { /* already closed */ }
        channel.postMessage({ disconnected: ports.indexOf(this) });
        disconnected(ports.indexOf(this));
      };
    }

    // Resolves the writes whose bytes fit in the buffer with everything not yet answered.
    #settle() {
      let unanswered = 0;
      for (const write of this.#pending) {
        unanswered += write.length;
        if (!write.settled && unanswered <= (config.buffer ?? 0)) {
          write.settled = true;
          write.resolve();
        }
      }
    }

    // As Chromium: both streams must be unlocked (a pending write is aborted by the writer first).
    async close() {
      if (!this.#socket) throw new DOMException('The port is already closed.', 'InvalidStateError');
      if (this.#readable?.locked || this.#writable?.locked) throw new TypeError('Cannot cancel a locked stream');
      const socket = this.#socket;
      this.#socket = null;
      this.#readable = null;
      this.#writable = null;
      for (const write of this.#pending.splice(0)) if (!write.settled) write.reject(new DOMException('The port is closed.', 'InvalidStateError'));
      socket.onclose = null;
      socket.close();
    }

    async forget() {}
  }

  class FakeSerial extends EventTarget {
    #ports;
    constructor() {
      super();
      this.onconnect = null;
      this.ondisconnect = null;
      this.#ports = configReady.then((given) => {
        config = given;
        ports.push(...given.ports.map((setup) => new FakeSerialPort(setup, this)));
        return ports;
      });
    }
    async getPorts() { return [...await this.#ports]; }
    async requestPort() {
      const ports = await this.#ports;
      if (config.choose === null || config.choose === undefined) throw new DOMException('No port selected by the user.', 'NotFoundError');
      return ports[config.choose];
    }
  }

  Object.defineProperty(Object.getPrototypeOf(navigator), 'serial', {
    configurable: true,
    get: (() => { const serial = new FakeSerial(); return () => serial; })(),
  });
}
