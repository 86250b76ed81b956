// The page's side of the web platform: the message box, the decimal separator
// of the browser's language and the end of the program. What it needs of the
// program's windows it asks of the layout's script (Zenalto, from
// layout/web/controls), which knows their markup.
/* global Zenalto */
/* exported ZenaltoPlatform */
var ZenaltoPlatform = (function () {
  "use strict";
  var doc = document;
  var waiting = [];
  var endHook = null;
  var returnTo = null;
  var lastOutside = null;

  // The message style with the critical icon (MessageStyle::Critical); the
  // other, 0, has none. The title comes resolved: "Zenalto" for none.
  var CRITICAL = 16;

  function byId(id) { return doc.getElementById(id); }

  function showNext() {
    var box = byId("MsgBox");
    if (!box || box.open || !waiting.length) return;
    var message = waiting.shift();
    byId("MsgBox-title").textContent = message[2];
    var prompt = byId("MsgBox-prompt");
    prompt.textContent = message[0];
    // A prompt in another language than the page's says so to a reader.
    if (message[3]) prompt.setAttribute("lang", message[3]); else prompt.removeAttribute("lang");
    byId("MsgBox-icon").hidden = message[1] !== CRITICAL;
    // A command chosen from a menu runs with the focus nowhere (menus.js):
    // the box gives it back to the control last focused outside the menus.
    returnTo = doc.activeElement && doc.activeElement !== doc.body ? doc.activeElement : lastOutside;
    // An announcement of the window behind would be heard again once the
    // box has gone (the window comes back to a reader, its live region
    // with it): the program's status lines are emptied.
    Zenalto.emptyStatusLines();
    box.showModal();
    centre(box);
    // OK takes the focus, and says the box's title and prompt as its
    // description: Firefox takes the rest of the page out of what a reader
    // sees when a box opens modal, and Orca then says of the box only what
    // OK itself says. (A focus on the box first had Orca leave focus mode
    // in both browsers, and Chromium's browse mode then took the access
    // keys' letters.)
    byId("MsgBox-ok").focus();
  }

  // A message box opens over the middle of the main window (its menu bar
  // and client area), as on the desktop, and wholly on the screen; with the
  // main window gone, in the middle of the page's window.
  function centre(box) {
    var area = Zenalto.mainWindowArea();
    var left = 0, top = 0, right = innerWidth, bottom = innerHeight;
    if (area) {
      left = area.left;
      top = area.top;
      right = area.right;
      bottom = area.bottom;
    }
    var width = box.offsetWidth, height = box.offsetHeight;
    var x = Math.max(Math.min(Math.round((left + right - width) / 2), innerWidth - width), 0);
    var y = Math.max(Math.min(Math.round((top + bottom - height) / 2), innerHeight - height), 0);
    box.style.left = x + "px";
    box.style.top = y + "px";
  }

  function init() {
    var box = byId("MsgBox");
    if (!box) return;
    doc.addEventListener("focusin", function (e) {
      var t = e.target;
      if (!box.contains(t) && !Zenalto.inMenuBar(t)) lastOutside = t;
    });
    function closed() {
      var back = returnTo;
      returnTo = null;
      if (back && back.isConnected && back !== doc.body) back.focus();
      showNext();
    }
    // OK gives the focus back at once: the dialog's close event comes a task
    // later, when a click that followed may have opened a menu, which the
    // focus coming back would close.
    byId("MsgBox-ok").addEventListener("click", function () {
      if (!box.open) return;
      box.close();
      closed();
    });
    // Esc closes the box as OK does (the browser's own cancel included).
    box.addEventListener("close", function () { if (!box.open && returnTo) closed(); });
  }
  if (doc.readyState === "loading") doc.addEventListener("DOMContentLoaded", init);
  else init();

  // The separator this browser's number format gives for its language: the
  // first such format in a tab loads the language's data, some 15 ms, and a
  // "Calcular" clicked as the page opens would wait for it. So each answer
  // is noted under the two things it depends on, the language and the
  // browser with its version, and a returning visitor's page uses the note
  // until its own first format is made, once the page is drawn and idle.
  var NOTE = "zenalto-decimal-separator";
  var formatted = false;

  function noteKey() {
    return (navigator.language || "") + " " + navigator.userAgent;
  }

  function noted() {
    try {
      var note = JSON.parse(localStorage.getItem(NOTE));
      if (note && note[0] === noteKey() && typeof note[1] === "string" && note[1]) return note[1];
    } catch (e) {
      // Storage turned off (some private windows), or a note not ours.
    }
    return "";
  }

  function intlSeparator() {
    try {
      var parts = new Intl.NumberFormat(navigator.language || undefined).formatToParts(1.5);
      for (var i = 0; i < parts.length; ++i) if (parts[i].type === "decimal") return parts[i].value;
    } catch (e) {
      // A browser without Intl, or a language it does not know.
    }
    return ".";
  }

  function formatSeparator() {
    var separator = intlSeparator();
    if (!formatted) {
      formatted = true;
      try {
        if (noted() !== separator) localStorage.setItem(NOTE, JSON.stringify([noteKey(), separator]));
      } catch (e) {
        // Not noted: the next visit formats again.
      }
    }
    return separator;
  }

  // As the desktop programs take it from the regional settings, asked
  // afresh each time once this tab has its format.
  function decimalSeparator() {
    return (!formatted && noted()) || formatSeparator();
  }

  // Made once the first frame is out and the page idle, so as to hold back
  // neither the first paint nor the program's start.
  requestAnimationFrame(function () {
    if (self.requestIdleCallback) requestIdleCallback(formatSeparator, { timeout: 1000 });
    else setTimeout(formatSeparator, 200);
  });

  return {
    messageBox: function (prompt, style, title, language) {
      waiting.push([prompt, style, title, language]);
      showNext();
    },
    decimalSeparator: decimalSeparator,
    // Whether `el` is the message box, which the layout's script leaves to
    // this one.
    isMessageBox: function (el) { return !!el && el === byId("MsgBox"); },
    // A script may close only a window it may close (an installed app's
    // window, a tab that has shown nothing but this page); where the browser
    // refuses, the program's windows leave the page, as they leave the screen
    // on the desktop, and the empty page stays: reloading starts the program
    // again.
    end: function () {
      waiting = [];
      var box = byId("MsgBox");
      if (box && box.open) box.close();
      try {
        window.close();
      } catch (e) {
        // Closing refused by throwing rather than by ignoring the call.
      }
      if (!window.closed && endHook) endHook();
    },
    // What takes the program's windows off the page when the browser keeps
    // it open: given by the program at its start (app/web), as this script
    // knows no windows.
    onEnd: function (hook) { endHook = hook; }
  };
})();
