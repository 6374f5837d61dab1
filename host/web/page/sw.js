// The page's service worker: keeps the page's files in a cache named after
// the program's version, so that after one visit the page opens without a
// network. The network is asked first, so that a page served anew is the
// one shown, and what it answers refreshes the cache; without a network the
// cached copy answers. A new version's worker removes the caches of the
// versions before it and takes over the open pages at once.
'use strict';

const CACHE = 'qpx-sim-@QPX_PAGE_VERSION@';
const FILES = ['./', 'index.html', 'page.css', 'fit.css', 'codes.js', 'page.js', 'fit.js', 'touch.js',
  'toolbar.js', 'access.js', 'offline.js', 'store.js', 'demo.js', 'qpx-sim.js', 'qpx-sim.wasm', 'qpx-sim.data',
  'manifest.webmanifest',
  'icon-48.png', 'icon-128.png', 'icon-256.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  event.respondWith(fetch(request).then((response) => {
    if (response.ok) {
      const copy = response.clone();
      event.waitUntil(caches.open(CACHE).then((cache) => cache.put(request, copy)));
    }
    return response;
  }, () => caches.match(request, { ignoreSearch: true })));
});
