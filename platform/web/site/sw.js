// SPDX-License-Identifier: MIT
// Keeps the whole page in the browser's cache from the first visit on, so that it
// opens and works with the network gone. The build fills in the file list and a
// version that changes with their contents, which replaces the old cache.
'use strict';
var CACHE = 'pemtos-@VERSION@';
var FILES = @FILES@;

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    return cache.addAll(FILES);
  }).then(function () {
    return self.skipWaiting();
  }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name !== CACHE;
    }).map(function (name) {
      return caches.delete(name);
    }));
  }).then(function () {
    return self.clients.claim();
  }));
});

self.addEventListener('fetch', function (event) {
  if (event.request.method !== 'GET')
    return;
  event.respondWith(caches.open(CACHE).then(function (cache) {
    return cache.match(event.request, {ignoreSearch: true}).then(function (hit) {
      return hit || fetch(event.request);
    });
  }));
});
