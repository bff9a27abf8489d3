// What the serial scenarios and the benchmark share: the display simulator as a child process,
// and the page served from a copy of the site whose worker script has the test's Web Serial
// stand-in (fake_serial.js) before it.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

export const fakeSource = fs.readFileSync(new URL('./fake_serial.js', import.meta.url), 'utf8');

// The display simulator in `dir` with `args`; it writes its device's name to dir/device.
export function startSimulator(root, dir, args) {
  const simulatorProgram = path.join(root, 'build/native/tools/display_simulator/display_simulator');
  const deviceFile = path.join(dir, 'device');
  const child = spawn(simulatorProgram, ['--device-file', deviceFile, ...args], { cwd: dir });
  let output = '';
  child.stdout.on('data', (data) => { output += data; });
  child.stderr.on('data', (data) => { output += data; });
  const exited = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
  return {
    async device() {
      for (let i = 0; i < 200 && !fs.existsSync(deviceFile); ++i) await new Promise((r) => setTimeout(r, 25));
      return fs.readFileSync(deviceFile, 'utf8').trim();
    },
    // The simulator's exit status once it has judged, within `ms`.
    async status(ms = 15000) {
      let timer;
      const late = new Promise((resolve) => { timer = setTimeout(() => resolve('still running'), ms); });
      const code = await Promise.race([exited, late]);
      clearTimeout(timer);
      if (code === 'still running') child.kill();
      return code;
    },
    output: () => output,
    kill: () => child.kill(),
  };
}

// The page is served from a copy of the site whose worker scripts have the stand-in before them
// (installed with no configuration: it asks the page's). A route that serves the worker's script
// instead would do, but Chromium then refuses the worker's WebSockets.
export async function serveSiteWithFakeWorker(root, work) {
  const site = path.join(work, 'site');
  fs.cpSync(path.join(root, 'build/web/site'), site, { recursive: true });
  for (const name of ['upload-worker.js', 'firmware-worker.js']) {
    const worker = path.join(site, name);
    fs.writeFileSync(worker, `${fakeSource}\ninstallFakeSerial(null);\n${fs.readFileSync(worker, 'utf8')}`);
  }
  const server = spawn(path.join(root, 'scripts/serve-web'), [site], { stdio: ['ignore', 'pipe', 'ignore'] });
  const port = await new Promise((resolve) => {
    let text = '';
    server.stdout.on('data', (data) => {
      text += data;
      const found = text.match(/port (\d+)/);
      if (found) resolve(found[1]);
    });
  });
  return { url: `http://127.0.0.1:${port}/`, stop: () => server.kill() };
}

