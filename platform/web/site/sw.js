// SPDX-License-Identifier: MIT
// Keeps the whole page in the browser's cache from the first visit on, so that it
// opens and works with the network gone. The build fills in the file list and a
// version made from the files' contents: a new build is a new worker, which fills
// a cache of its own straight from the server, whatever the server lets the
// browser's HTTP cache keep, then takes over and deletes the old caches. The page
// that is open then offers to reload; the next visit opens the new build.
'use strict';
var CACHE = 'pemtos-@VERSION@';
var FILES = @FILES@;

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    return Promise.all(FILES.map(function (file) {
      // 'reload': past the HTTP cache, which may still hold the last build's file.
      return fetch(new Request(file, {cache: 'reload'})).then(function (response) {
        if (!response.ok)
          throw new Error(file + ': ' + response.status);
        return cache.put(file, response);
      });
    }));
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
