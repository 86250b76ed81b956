// The service worker keeps every file of the page, so that it opens and
// calculates without a network from the second visit on. It is registered
// once the page has loaded, so as not to slow the first one down.
if ("serviceWorker" in navigator && /^https?:$/.test(location.protocol)) {
  addEventListener("load", function () {
    navigator.serviceWorker.register("sw.js").catch(function () {
      // No worker (a private window, storage turned off): the page works as
      // any page does, with the network.
    });
  });
}
