// The test's serial line for the page: a WebSocket server on this machine that, for each
// connection, opens a pseudo-terminal's slave (the display simulator holds the master), sets the
// line as the page's open() asked (stty: raw, no echo, baud, data bits, parity, stop bits) and
// passes bytes both ways. It is the far half of fake_serial.js, the test's stand-in for a Web
// Serial port; the page's own Web Serial code drives it.
//
// Protocol on one connection (ws://HOST:PORT/?device=/dev/pts/N):
//   text {"open": {baudRate, dataBits, stopBits, parity, flowControl}, "unplugAfter": N?}
//        -> text {"opened": true}, or {"error": reason} and the connection ends (the device is
//           held by another program, or cannot be opened or set)
//   binary bytes -> written to the line; text {"taken": n} once all n bytes are in the terminal
//        (what a real port's write waits for: the system took them). A line that takes nothing
//        (the simulator's --never-read) never answers.
//   binary bytes <- what the display side sends
//   With "unplugAfter" the cable is pulled once that many bytes have been written: the slave is
//   closed and the connection ends with code 4001, which the fake port turns into its disconnect
//   event and errored streams. Closing the connection closes the slave.
import { execFile, fork } from 'node:child_process';
import { promisify } from 'node:util';
import fs from 'node:fs';
import { WebSocketServer } from 'ws';

export const UNPLUGGED = 4001;

// stty's words for Web Serial's options, after "raw" (which would reset the character size):
// raw, no echo, baud, data bits, parity, stop bits. Linux's pseudo-terminals keep every
// character with 8 bits and no parity bit (the kernel clears PARENB), but they keep the PARODD
// flag, as they do when Wine's SetCommState sets odd parity: odd parity is "parodd", none
// "-parodd" (even, which the upload never uses, cannot be told from none here).
function sttyArguments(options) {
  const words = ['raw', '-echo', String(options.baudRate), `cs${options.dataBits ?? 8}`];
  words.push((options.parity ?? 'none') === 'odd' ? 'parodd' : '-parodd');
  words.push((options.stopBits ?? 1) === 2 ? 'cstopb' : '-cstopb');
  return words;
}

const run = promisify(execFile);
const isAgain = (error) => error && ['EAGAIN', 'EWOULDBLOCK', 'EINTR'].includes(error.code);

// The bridge in a process of its own, so that whatever the test's own process does (driving the
// browser, copying files) cannot hold up a write's answer: a port's write that takes a second
// counts as a port that stopped taking bytes. The same interface as serveSerialBridge.
export async function startSerialBridge() {
  const child = fork(new URL(import.meta.url), ['--serve'], { stdio: ['ignore', 'inherit', 'inherit', 'ipc'] });
  const log = [];
  const url = await new Promise((resolve, reject) => {
    child.once('exit', () => reject(new Error('the serial bridge ended')));
    child.on('message', (message) => {
      if (message.url) resolve(message.url);
      if (message.log) log.push(message.log);
    });
  });
  let holds = 0;
  return {
    url,
    log,
    holdDevice(device) {
      const id = ++holds;
      child.send({ hold: device, id });
      return () => child.send({ release: id });
    },
    close: () => new Promise((resolve) => {
      child.once('exit', resolve);
      child.kill();
    }),
  };
}

if (process.argv[2] === '--serve') {
  const bridge = await serveSerialBridge((entry) => process.send({ log: entry }));
  const releases = new Map();
  process.on('message', (message) => {
    if (message.hold) releases.set(message.id, bridge.holdDevice(message.hold));
    if (message.release) releases.get(message.release)?.();
  });
  process.on('disconnect', () => process.exit(0));
  process.send({ url: bridge.url });
}

// The bridge in this process; `report` hears of every open, refusal and unplug.
export async function serveSerialBridge(report = () => {}) {
  const server = new WebSocketServer({ host: '127.0.0.1', port: 0 });
  await new Promise((resolve) => server.once('listening', resolve));
  const held = new Map();  // device -> holders (another program, or an open connection)
  const hold = (device) => held.set(device, (held.get(device) ?? 0) + 1);
  const release = (device) => held.set(device, Math.max(0, (held.get(device) ?? 1) - 1));
  const log = { push: report };

  server.on('connection', (socket, request) => {
    const device = new URL(request.url, 'ws://bridge').searchParams.get('device');
    let fd = -1;
    let opened = false;
    let opening = false;  // stty is setting the line
    let closed = false;
    let written = 0;
    let unplugAfter = Infinity;
    const queue = [];  // { bytes, at } written in order; each answered with "taken" when done
    let writeTimer = null;
    let readTimer = null;

    const finish = () => {
      if (closed) return;
      closed = true;
      clearTimeout(writeTimer);
      clearTimeout(readTimer);
      if (opened) release(device);
      // Asynchronous: a close with output still held back (a line that takes nothing) must not
      // stop the bridge.
      if (fd >= 0) fs.close(fd, () => {});
      fd = -1;
    };
    const unplug = (error) => {
      log.push({ device, event: 'unplugged', written, ...(error ? { error: String(error.code || error.message) } : {}) });
      finish();
      socket.close(UNPLUGGED, 'unplugged');
    };

    const pump = () => {
      writeTimer = null;
      while (!closed && queue.length) {
        const head = queue[0];
        const room = Math.min(head.bytes.length - head.at, unplugAfter - written);
        if (room <= 0) return unplug();
        let n = 0;
        try {
          n = fs.writeSync(fd, head.bytes, head.at, room);
        } catch (error) {
          if (!isAgain(error)) return unplug(error);
        }
        head.at += n;
        written += n;
        if (head.at < head.bytes.length) {
          if (written >= unplugAfter) return unplug();
          // The terminal is full: look again shortly, as the system's driver would.
          writeTimer = setTimeout(pump, 1);
          return;
        }
        queue.shift();
        const took = performance.now() - head.came;
        if (took > 100) log.push({ device, event: 'slow write', ms: Math.round(took), written });
        socket.send(JSON.stringify({ taken: head.bytes.length }));
        if (written >= unplugAfter) return unplug();
      }
    };

    const buffer = Buffer.alloc(4096);
    const read = () => {
      readTimer = null;
      if (closed) return;
      for (;;) {
        let n = 0;
        try {
          n = fs.readSync(fd, buffer, 0, buffer.length, null);
        } catch (error) {
          if (!isAgain(error)) return unplug(error);
        }
        if (n <= 0) break;
        socket.send(Buffer.from(buffer.subarray(0, n)));
      }
      readTimer = setTimeout(read, 2);
    };

    socket.on('message', async (data, isBinary) => {
      if (closed) return;
      if (isBinary) {
        if (!opened) return;
        queue.push({ bytes: Buffer.from(data), at: 0, came: performance.now() });
        if (!writeTimer) pump();
        return;
      }
      const message = JSON.parse(String(data));
      if (!message.open || opened || opening) return;
      if ((held.get(device) ?? 0) > 0) {
        log.push({ device, event: 'busy' });
        socket.send(JSON.stringify({ error: `${device} is held by another program` }));
        closed = true;
        socket.close();
        return;
      }
      opening = true;
      try {
        // Not synchronously: the other connections' writes are answered meanwhile.
        await run('stty', ['-F', device, ...sttyArguments(message.open)]);
        if (closed) return;
        fd = fs.openSync(device, fs.constants.O_RDWR | fs.constants.O_NOCTTY | fs.constants.O_NONBLOCK);
      } catch (error) {
        log.push({ device, event: 'failed', error: String(error.message || error) });
        socket.send(JSON.stringify({ error: String(error.message || error) }));
        closed = true;
        socket.close();
        return;
      }
      if (Number.isFinite(message.unplugAfter)) unplugAfter = message.unplugAfter;
      opened = true;
      hold(device);
      log.push({ device, event: 'opened', options: message.open });
      socket.send(JSON.stringify({ opened: true }));
      read();
    });
    socket.on('close', finish);
    socket.on('error', finish);
  });

  return {
    url: `ws://127.0.0.1:${server.address().port}/`,
    // Another program takes the device: opens of it fail until the returned function is called.
    holdDevice(device) {
      hold(device);
      return () => release(device);
    },
    close: () => new Promise((resolve) => {
      for (const client of server.clients) client.terminate();
      server.close(resolve);
    }),
  };
}
