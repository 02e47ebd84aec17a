// Offline play: at installation this build's every file goes into a cache
// named for the build, and the page is then served from it, network or
// not. A new build's worker waits until no page of the old build is open,
// so that no page mixes the files of two builds, or until the player takes
// the page's offer to reload into it; it then removes the caches of the
// builds before it. The build fills in the version and the file list.
"use strict";

const kCacheName = "marobel-@VERSION@";
const kFiles = [@FILES@];

// Each file straight from the server: through the browser's HTTP cache, a
// new build's cache could be filled with the last build's files.
self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(kCacheName).then((cache) =>
    cache.addAll(kFiles.map((file) => new Request(file, { cache: "reload" })))));
});

// The page asks for this once the player chose to reload into the new build.
self.addEventListener("message", (event) => {
  if (event.data === "take over") self.skipWaiting();
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith("marobel-") && name !== kCacheName)
                                     .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The cache first: its files are this build's, all of a piece. What it
// lacks comes from the network, and fails as it would without a worker.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(kCacheName)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(event.request)));
});
