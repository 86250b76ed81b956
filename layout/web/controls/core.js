// The desktop behaviour of the page's windows, which HTML does not have by
// itself: the menu bar and its menus, the drop-down list, the scroll bar, the
// Tab order within a window, Enter and Esc, access keys, windows that come to
// the front when clicked and a dialog moved by its title bar. The elements
// are the ones PageWriter wrote from the layout tables; this script knows
// controls only by their kind (their class) and reports each event that the
// program handles to the window's C++ object (PageWindow), by the control's
// index in its table. Events that come before the WebAssembly has started
// wait for it. Emscripten's glue, which this script is put before, defines
// Module; platform.js, put before it too, ZenaltoPlatform, which says which
// element is the message box.
//
// The script is one function, written in the files of layout/web/controls/
// and joined in the order layout/web/CMakeLists.txt gives them: this file
// opens the function and holds what every part uses, start.js closes it
// with what the program calls. The parts share the function's scope, so
// each calls the others' functions by name.
/* global Module, ZenaltoPlatform */
/* exported Zenalto */
var Zenalto = (function () {
  "use strict";
  var doc = document;
  // What a report is about: a control (its kind in the window's table says
  // whether it was pressed, chosen from or moved), a menu item, the close box.
  var CONTROL = 0, MENU = 1, CLOSE = 2;
  var slots = {};
  var waiting = [];
  var started = false;
  var ended = false;

  function byId(id) { return doc.getElementById(id); }
  function windowOf(el) { return el && el.closest ? el.closest(".window") : null; }
  function mainWindow() { return doc.querySelector(".window.main"); }
  // The message box is in the page as a window too, whose Tab and Enter go
  // as in any other; but it is the platform's modal box, which this script
  // never raises, moves nor takes away. Until platform.js has run (it may
  // come after this script) no box is open.
  function isMessageBox(win) {
    return typeof ZenaltoPlatform !== "undefined" && ZenaltoPlatform.isMessageBox(win);
  }
  function control(windowName, name) {
    return byId(windowName + "-" + name) || byId(name);
  }

  function send(win, kind, index, value) {
    if (ended || !win) return;
    if (!started) { waiting.push([win.id, kind, index, value]); return; }
    var slot = slots[win.id];
    if (slot !== undefined) Module["_zenalto_event"](slot, kind, index, value);
  }
  function report(el, kind, value) {
    send(windowOf(el), kind, +el.dataset.index, value || 0);
  }
