  // The start in the page; then what the program calls, the object the
  // function gives back as the global Zenalto.

  // WebKit may lay the frames out before the style sheet has come (when
  // the parser gives Text1 the focus first) and keep, once styled, a
  // caption of the unstyled height or a frame's whole content 17 pixels
  // low. A frame whose caption is not where the style sheet puts it is laid
  // out anew; the other engines never meet one.
  // (Taken out of the page and back, a frame lays itself out anew; the
  // focus inside it is given back.)
  function mendFrames() {
    var captions = doc.querySelectorAll(".frame>legend"), focused = doc.activeElement;
    for (var i = 0; i < captions.length; ++i) {
      var caption = captions[i], frame = caption.parentNode;
      var low = caption.getBoundingClientRect().top - frame.getBoundingClientRect().top;
      if (Math.abs(low) > 0.5 || caption.offsetHeight !== parseFloat(getComputedStyle(caption).lineHeight)) {
        frame.style.display = "none";
        void frame.offsetHeight;
        frame.style.display = "";
      }
    }
    if (focused && focused !== doc.activeElement && focused.isConnected) focused.focus({ preventScroll: true });
  }
  function drawScrollBars() {
    mendFrames();
    drawThumbs();
    // The caret stands after the text of the control that has the focus at
    // the start, as on the desktop.
    var el = doc.activeElement;
    if (el && el.setSelectionRange && el.type === "text") el.setSelectionRange(el.value.length, el.value.length);
  }

  // The script may come before the page has been read to its end.
  function whenParsed(action) {
    if (doc.readyState === "loading") doc.addEventListener("DOMContentLoaded", action);
    else action();
  }
  whenParsed(function () {
    // The thumbs are placed from the arrows' size in the style sheet: an
    // unstyled arrow spans the page and its thumb lands beyond the window.
    // A style sheet holds the first frame back until it is in, even when
    // this script comes first (a page from the service worker's cache), so
    // they are drawn in that frame's own layout, not in one forced now
    // while this script holds up the program; and once more when
    // everything has loaded, for an engine that draws a frame before.
    requestAnimationFrame(drawScrollBars);
    if (doc.readyState !== "complete") {
      addEventListener("load", function () {
        requestAnimationFrame(function () {
          mendFrames();
          drawThumbs();
        });
      });
    }
    // On a phone or a tablet the windows' scale follows the screen (the
    // style sheet's --u): a turned screen redraws the thumbs in pixels of
    // the new scale.
    addEventListener("resize", drawThumbs);
    var main = mainWindow();
    if (main) raise(main);
  });

  // What the program announces goes into the window's status line, a polite
  // live region that readers speak whatever has the focus. The line is
  // emptied first and given the text a moment later, when the browser has
  // told the reader of the empty line: the same text twice (Calcular pressed
  // again) is then a change, and spoken again.
  var ANNOUNCE_AFTER_MS = 100;
  var announcing = null;
  function announce(name, text) {
    var line = byId(name + "-status") || doc.querySelector(".window.main > .status");
    if (!line) return;
    clearTimeout(announcing);
    line.textContent = "";
    announcing = setTimeout(function () { line.textContent = text; }, ANNOUNCE_AFTER_MS);
  }

  return {
    bind: function (slot, name) { slots[name] = slot; },
    announce: announce,
    show: show,
    unload: unload,
    text: function (win, name) { var el = control(win, name); return el ? el.value : ""; },
    setText: function (win, name, text) { var el = control(win, name); if (el) el.value = text; },
    setListIndex: function (win, name, index) { var el = control(win, name); if (el) select(el, index); },
    start: function () {
      whenParsed(function () {
        started = true;
        var queued = waiting;
        waiting = [];
        for (var i = 0; i < queued.length; ++i) {
          var win = byId(queued[i][0]);
          if (win) send(win, queued[i][1], queued[i][2], queued[i][3]);
        }
        doc.documentElement.dataset.ready = "true";
        if (window.performance && performance.mark) performance.mark("zenalto-ready");
      });
    },
    // The program has ended: its windows go and no event reaches it any more.
    // The message box stays in the page, closed by the platform before.
    end: function () {
      ended = true;
      closeMenus(false);
      var all = doc.querySelectorAll(".window");
      for (var i = 0; i < all.length; ++i) {
        if (!isMessageBox(all[i])) all[i].remove();
      }
      doc.documentElement.dataset.ended = "true";
    },
    // What the message box of platform.js reads of the program's windows:
    // the main window's menu bar and client area on the screen, over whose
    // middle it opens (null with the main window gone); whether an element
    // is in a menu bar; and the status lines, emptied as it opens.
    mainWindowArea: function () {
      var main = mainWindow(), client = main && main.querySelector(".client");
      if (!client) return null;
      var outer = main.getBoundingClientRect(), inner = client.getBoundingClientRect();
      return { left: inner.left, top: outer.top, right: inner.right, bottom: inner.bottom };
    },
    inMenuBar: function (el) { return !!(el && el.closest && el.closest(".menubar")); },
    emptyStatusLines: function () {
      var lines = doc.querySelectorAll(".window [role=status]");
      for (var i = 0; i < lines.length; ++i) lines[i].textContent = "";
    },
    // The text a field gave the program, while the program copies it.
    taken: ""
  };
})();
