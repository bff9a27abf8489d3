// The paced sender of an upload, in a worker of its own so that nothing the page draws can delay
// a pause. It follows the schedule the core made (uploadPlan: each run's bytes and minimum pause)
// on the port the page chose, found here among navigator.serial.getPorts() by its place in that
// list (the page and its workers list the same granted ports in the same order).
//
// A run is written and its write awaited (the system has taken the bytes; they are not yet on
// the line). The next run starts no sooner than the run's minimum pause after that, when its
// first byte can have left at the latest, and not before all its bytes have had their time on
// the line, so no queue builds up in the port that could bring two runs' first bytes closer
// than their minimum. Waits are Atomics.wait with a fractional time-out where the page is
// cross-origin isolated (setTimeout counts whole milliseconds), else a spin on the clock.
//
// In:  { portIndex, portInfo, line: serialLine(true), plan: uploadPlan(), cancel: Int32Array on
//        a SharedArrayBuffer or null }, then "cancel" as a message where there is no shared flag.
// Out: { progress: steps } now and then, and once { done: { outcome, bytesSent, bytesTotal,
//        spanMs, times } }, outcome "sent", "not-opened", "stopped" or "cancelled"; times holds
//        two readings of performance.now() per run sent: when its write was done, and when the
//        next run's write began (for the scenarios and the figures).

let cancelFlag = null;  // Int32Array over shared memory: [0] becomes 1 on Cancel
let cancelAsked = false;
const cancelled = () => cancelAsked || (cancelFlag !== null && Atomics.load(cancelFlag, 0) !== 0);

// Returns at `deadline` on performance.now(), or at once when Cancel is pressed.
function waitUntil(deadline) {
  for (;;) {
    const left = deadline - performance.now();
    if (left <= 0 || cancelled()) return;
    if (cancelFlag) Atomics.wait(cancelFlag, 0, 0, left);
  }
}

// The write's promise, or false when the port has not taken the bytes within the time-out. The
// time-out counts time this thread was awake to see it: a timer that fires late (the thread was
// held up by a loaded machine) waits on by its lateness, and an answer that came meanwhile gets
// one more turn.
function writeWithin(writer, bytes, timeoutMs) {
  let timer;
  const late = new Promise((resolve) => {
    const wait = (ms) => {
      const due = performance.now() + ms;
      timer = setTimeout(() => {
        const lateness = performance.now() - due;
        if (lateness > 50) wait(lateness); else timer = setTimeout(() => resolve(false), 50);
      }, ms);
    };
    wait(timeoutMs);
  });
  const written = writer.write(bytes).then(() => true);
  return Promise.race([written, late]).finally(() => clearTimeout(timer));
}

function sameInfo(a, b) {
  return a.usbVendorId === b.usbVendorId && a.usbProductId === b.usbProductId;
}

async function upload({ portIndex, portInfo, line, plan }) {
  const total = plan.bytes.length;
  const result = { outcome: 'not-opened', bytesSent: 0, bytesTotal: total };
  const port = navigator.serial ? (await navigator.serial.getPorts())[portIndex] : undefined;
  if (!port || !sameInfo(port.getInfo(), portInfo)) return result;
  try {
    await port.open({ baudRate: line.baudRate, dataBits: line.dataBits, stopBits: line.stopBits, parity: line.parity });
  } catch {
    return result;  // missing, held by another program, or refused
  }
  result.outcome = 'sent';
  const writer = port.writable.getWriter();
  let steps = 0;
  let lastPosted = 0;
  const started = performance.now();
  const times = new Float64Array(2 * plan.offsets.length);
  for (let i = 0; i < plan.offsets.length; ++i) {
    if (cancelled()) {
      result.outcome = 'cancelled';
      break;
    }
    if (i > 0) times[2 * i - 1] = performance.now();  // the previous run's pause has ended
    const length = plan.lengths[i];
    const bytes = plan.bytes.subarray(plan.offsets[i], plan.offsets[i] + length);
    let taken = false;
    try {
      taken = await writeWithin(writer, bytes, line.writeTimeoutMs);
    } catch {
      taken = false;  // the device was lost
    }
    if (!taken) {
      result.outcome = 'stopped';
      break;
    }
    const written = performance.now();
    times[2 * i] = written;
    result.bytesSent += length;
    if (plan.steps[i]) steps += length;
    // Progress at most every 50 ms, before the wait: posting costs the pause nothing.
    if (written - lastPosted >= 50) {
      postMessage({ progress: steps });
      lastPosted = written;
    }
    waitUntil(written + Math.max(plan.pauses[i], length * line.characterTimeMs));
  }
  result.spanMs = performance.now() - started;
  result.times = times;
  // A write the port never took is abandoned before the port can close.
  try {
    if (result.outcome === 'stopped') await writer.abort(); else await writer.close();
  } catch { /* the device was lost */ }
  writer.releaseLock();
  try { await port.close(); } catch { /* the device was lost */ }
  postMessage({ progress: steps });
  return result;
}

onmessage = async (event) => {
  if (event.data === 'cancel') {
    cancelAsked = true;
    return;
  }
  cancelFlag = event.data.cancel ?? null;
  postMessage({ done: await upload(event.data) });
};
