// The firmware exchange on an open Web Serial port, run in the serial worker. The core's state
// machine (FirmwareExchange) decides every step; this file only does what a step says: write a
// byte, or read one byte within the step's time-out, and tells the machine what came of it and
// when. Nothing here knows the wire bytes or the limits.

// One byte at a time from a port's readable stream, with a time-out per read. A stream read
// cannot be taken back, so a read that outlives its time-out stays pending and serves the next
// read; a chunk of several bytes is handed out byte by byte.
export class ByteReader {
  constructor(port) {
    this.port = port;
    this.reader = port.readable.getReader();
    this.chunk = new Uint8Array(0);
    this.at = 0;
    this.pending = null;
  }

  // The next byte, or null when none came within timeoutMs (as a read of the Windows editor's
  // port brings nothing after its time-out).
  async readByte(timeoutMs) {
    const deadline = performance.now() + timeoutMs;
    for (;;) {
      if (this.at < this.chunk.length) return this.chunk[this.at++];
      const left = deadline - performance.now();
      if (left <= 0) return null;
      if (!this.reader) {
        // A line that failed (a framing error, a port that went away): nothing arrives.
        await sleep(left);
        this.reopen();
        continue;
      }
      if (!this.pending) this.pending = this.reader.read().then((r) => r, (error) => ({ error }));
      let timer;
      const outcome = await Promise.race([
        this.pending,
        new Promise((resolve) => { timer = setTimeout(resolve, left, null); }),
      ]);
      clearTimeout(timer);
      if (outcome === null) return null;
      this.pending = null;
      if (outcome.error || outcome.done) {
        this.releaseReader();
        continue;
      }
      this.chunk = outcome.value;
      this.at = 0;
    }
  }

  releaseReader() {
    try { this.reader?.releaseLock(); } catch { /* already released */ }
    this.reader = null;
  }

  // After a read error the port offers a new stream when it can go on.
  reopen() {
    if (!this.reader && this.port.readable && !this.port.readable.locked) this.reader = this.port.readable.getReader();
  }

  // Gives the stream back, so the port can close.
  async close() {
    if (this.reader) {
      try { await this.reader.cancel(); } catch { /* the line is gone */ }
      this.releaseReader();
    }
  }
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// A write that the port has not taken within timeoutMs counts as failed (the Windows editor's
// write time-out), so a port that takes nothing cannot hold the exchange.
function writeWithin(writer, bytes, timeoutMs) {
  let timer;
  const late = new Promise((resolve) => { timer = setTimeout(resolve, timeoutMs, false); });
  return Promise.race([writer.write(bytes).then(() => true, () => false), late]).finally(() => clearTimeout(timer));
}

// Runs the whole exchange on an open port with the core `module`; `line` is the core's
// serialLine(false) (its write time-out). `progress(steps, sent)` is called when the bar
// (0..100) moves. Resolves to { result, bytesSent }.
export async function runFirmwareExchange(module, port, line, image, progress = () => {}) {
  const exchange = new module.FirmwareExchange(image);
  const reader = new ByteReader(port);
  const writer = port.writable.getWriter();
  let stuck = false;  // a write the port never took
  try {
    let shown = 0;
    let step = exchange.start(performance.now());
    while (step.action !== 'finished') {
      if (step.action === 'write') {
        // As the Windows editor's writeByte: a failed write is not reported; the display, which
        // then sends nothing, ends the exchange with the machine's time-out.
        if (!(await writeWithin(writer, Uint8Array.of(step.byte), line.writeTimeoutMs))) stuck = true;
        step = exchange.wrote(performance.now());
        if (exchange.progress() !== shown) {
          shown = exchange.progress();
          progress(shown, exchange.bytesSent());
        }
        continue;
      }
      const byte = await reader.readByte(step.timeoutMs);
      const now = performance.now();
      step = byte === null ? exchange.nothingArrived(now) : exchange.arrived(byte, now);
    }
    return { result: exchange.result(), bytesSent: exchange.bytesSent() };
  } finally {
    exchange.delete();
    await reader.close();
    // A write still pending is abandoned, so the port can close.
    try { if (stuck) await writer.abort(); else await writer.close(); } catch { /* the line is gone */ }
    writer.releaseLock();
  }
}
