// Keeps the floor page usable offline, as the real page is: every file is
// cached on install and served from the cache first.
"use strict";
const CACHE = "zenalto-floor-1";
const FILES = ["./", "index.html", "about.jpg", "fonts/zenalto-sans.woff2", "fonts/zenalto-sans-bold.woff2"];
self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});
self.addEventListener("activate", (event) => event.waitUntil(self.clients.claim()));
self.addEventListener("fetch", (event) => {
  event.respondWith(caches.match(event.request, { ignoreSearch: true }).then((hit) => hit || fetch(event.request)));
});
