// Offline play: at installation this build's every file goes into a cache
// named for the build, and the page is then served from it, network or
// not. A new build's worker waits until no page of the old build is open,
// so that no page mixes the files of two builds, then removes the caches
// of the builds before it. The build fills in the version and the file list.
"use strict";

const kCacheName = "marobel-@VERSION@";
const kFiles = [@FILES@];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(kCacheName).then((cache) => cache.addAll(kFiles)));
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
