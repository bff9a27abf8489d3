// The page's service worker: after one visit the page starts with no network, and on a host that
// cannot send headers it makes the page cross-origin isolated (the upload worker's precise waits
// need SharedArrayBuffer).
//
// Every file of the served folder (site-files.json, written by the build) is kept at install.
// A request goes to the network first, so a rebuilt page is never mixed with a kept one; the kept
// copy answers only when the network does not. Every same-origin answer gets the two isolation
// headers, whether it came from the host or from the cache.

const CACHE_PREFIX = 'veltrana-';

function isolated(response) {
  // Opaque and error answers cannot be rebuilt; they pass as they are.
  if (response.type === 'opaque' || response.type === 'error' || response.status === 0) return response;
  const headers = new Headers(response.headers);
  headers.set('Cross-Origin-Opener-Policy', 'same-origin');
  headers.set('Cross-Origin-Embedder-Policy', 'require-corp');
  return new Response(response.body, { status: response.status, statusText: response.statusText, headers });
}

async function siteFiles() {
  const response = await fetch('site-files.json', { cache: 'no-store' });
  if (!response.ok) throw new Error(`site-files.json: ${response.status}`);
  return response.json();
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const { version, files } = await siteFiles();
    const cache = await caches.open(CACHE_PREFIX + version);
    await cache.addAll(['./', ...files].map((file) => new Request(file, { cache: 'no-store' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    const { version } = await siteFiles().catch(() => ({ version: null }));
    if (version) {
      for (const name of await caches.keys()) {
        if (name.startsWith(CACHE_PREFIX) && name !== CACHE_PREFIX + version) await caches.delete(name);
      }
    }
    await self.clients.claim();
  })());
});

async function answer(request) {
  try {
    const response = await fetch(request);
    if (response.ok && request.method === 'GET') {
      const copy = response.clone();
      const names = (await caches.keys()).filter((name) => name.startsWith(CACHE_PREFIX));
      if (names.length) await (await caches.open(names[names.length - 1])).put(request, copy);
    }
    return isolated(response);
  } catch (failure) {
    const kept = await caches.match(request, { ignoreSearch: true })
      || (request.mode === 'navigate' ? await caches.match('./') : undefined);
    if (kept) return isolated(kept);
    throw failure;
  }
}

self.addEventListener('fetch', (event) => {
  if (new URL(event.request.url).origin !== self.location.origin) return;
  event.respondWith(answer(event.request));
});
