// The copy of the program's texts between the WebAssembly heap and the page's
// strings, for the web platform and the page's windows alike. A text travels
// as UTF-16 code units, copied one by one so that any text (unpaired
// surrogates included) arrives unchanged; the program passes the address of
// its char16_t data and a length in code units.
/* exported ZenaltoUtf16 */
/* global HEAPU16:readonly */
var ZenaltoUtf16 = (function () {
  "use strict";
  // String.fromCharCode takes the code units as arguments, a bounded number.
  var SLICE = 8192;

  return {
    // The string of the `length` code units at `at`.
    read: function (at, length) {
      var first = at >> 1;
      var parts = [];
      for (var i = 0; i < length; i += SLICE) {
        parts.push(String.fromCharCode.apply(null,
          HEAPU16.subarray(first + i, first + Math.min(length, i + SLICE))));
      }
      return parts.join("");
    },
    // The first `length` code units of `text`, written to the room at `at`.
    write: function (text, at, length) {
      var first = at >> 1;
      for (var i = 0; i < length; ++i) HEAPU16[first + i] = text.charCodeAt(i);
    }
  };
})();
