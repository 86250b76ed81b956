// The service worker keeps every file of the page, so that it opens and
// calculates without a network from the second visit on. It is registered
// once the page has loaded, so as not to slow the first one down.
/* global trustedTypes */
if ("serviceWorker" in navigator && /^https?:$/.test(location.protocol)) {
  addEventListener("load", function () {
    var warn = function (error) {
      // The page works as any page does, with the network; the console says
      // why it will not without (a private window, storage turned off, a
      // policy of the host).
      console.warn("Zenalto: sin trabajador de servicio, la página no se podrá abrir sin red:", error);
    };
    try {
      var script = "sw.js";
      // Under Trusted Types (require-trusted-types-for 'script') the
      // worker's address must come from a policy; this one passes that
      // address and no other.
      if (self.trustedTypes && trustedTypes.createPolicy) {
        script = trustedTypes.createPolicy("zenalto", {
          createScriptURL: function (url) {
            if (url !== "sw.js") throw new TypeError("not the service worker: " + url);
            return url;
          }
        }).createScriptURL(script);
      }
      navigator.serviceWorker.register(script).catch(warn);
    } catch (error) {
      warn(error);
    }
  });
}
