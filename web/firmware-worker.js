// The firmware update's worker: the core module runs here, so the exchange's state machine
// answers every byte without a trip to the page (the display asks for the next byte only after
// the echo). The port is the one the page chose, found among navigator.serial.getPorts() by its
// place in that list, as upload-worker.js finds it.
//
// In:  { portIndex, portInfo, line: serialLine(false), image: the checked file's image }
// Out: { progress: steps 0..100 } as the bar moves, then once { done: { result, bytesSent } },
//      result as runFirmwareUpdate's (1 when the port could not be opened; null when the
//      worker itself failed).
import createVeltrana from './veltrana.mjs';
import { runFirmwareExchange } from './firmware_link.js';

const modulePromise = createVeltrana();

async function update({ portIndex, portInfo, line, image }) {
  const module = await modulePromise;
  const notOpened = { result: module.firmwarePortFailed, bytesSent: 0 };
  const port = navigator.serial ? (await navigator.serial.getPorts())[portIndex] : undefined;
  const info = port ? port.getInfo() : null;
  if (!info || info.usbVendorId !== portInfo.usbVendorId || info.usbProductId !== portInfo.usbProductId) return notOpened;
  try {
    await port.open({ baudRate: line.baudRate, dataBits: line.dataBits, stopBits: line.stopBits, parity: line.parity });
  } catch {
    return notOpened;  // missing, held by another program, or refused
  }
  let outcome;
  try {
    outcome = await runFirmwareExchange(module, port, line, image, (steps) => postMessage({ progress: steps }));
  } finally {
    try { await port.close(); } catch { /* the device was lost */ }
  }
  return { result: outcome.result, bytesSent: outcome.bytesSent };
}

onmessage = async (event) => {
  try {
    postMessage({ done: await update(event.data) });
  } catch {
    // The module did not load, or the port failed in a way the exchange did not expect: the
    // page shows the failure notice (result null) rather than wait for ever.
    postMessage({ done: { result: null, bytesSent: 0 } });
  }
};
