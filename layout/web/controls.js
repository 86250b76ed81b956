// The desktop behaviour of the page's windows, which HTML does not have by
// itself: the menu bar and its menus, the drop-down list, the scroll bar, the
// Tab order within a window, Enter and Esc, access keys, windows that come to
// the front when clicked and a dialog moved by its title bar. The elements
// are the ones PageWriter wrote from the layout tables; this script knows
// controls only by their kind (their class) and reports each event that the
// program handles to the window's C++ object (PageWindow), by the control's
// index in its table. Events that come before the WebAssembly has started
// wait for it. Emscripten's glue, which this script is put before, defines
// Module.
/* global Module */
/* exported Zenalto */
var Zenalto = (function () {
  "use strict";
  var doc = document;
  var CLICK = 0, LIST = 1, SCROLL = 2, MENU = 3;
  var slots = {};
  var waiting = [];
  var started = false;
  var ended = false;
  var topmost = 10;
  var lastFocus = {};
  var menuOpen = null;
  var menuReturn = null;

  function byId(id) { return doc.getElementById(id); }
  function windowOf(el) { return el && el.closest ? el.closest(".window") : null; }
  function mainWindow() { return doc.querySelector(".window.main"); }
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

  // Windows: one in front, the others behind it in the order last used.
  function activeWindow() {
    var win = windowOf(doc.activeElement);
    if (win && win.tagName !== "DIALOG") return win;
    var all = doc.querySelectorAll(".window:not(dialog)"), best = null;
    for (var i = 0; i < all.length; ++i) {
      if (!best || (+all[i].style.zIndex || 0) > (+best.style.zIndex || 0)) best = all[i];
    }
    return best;
  }
  function raise(win) {
    if (!win || win.tagName === "DIALOG") return;
    if (+win.style.zIndex !== topmost) win.style.zIndex = ++topmost;
    var all = doc.querySelectorAll(".window.dialog");
    for (var i = 0; i < all.length; ++i) all[i].classList.toggle("inactive", all[i] !== win);
  }
  function focusOrder(win) {
    var ids = (win.dataset.focusOrder || "").split(" "), order = [];
    for (var i = 0; i < ids.length; ++i) {
      var el = byId(ids[i]);
      if (el && windowOf(el) === win) order.push(el);
    }
    return order;
  }
  function focusControl(el, selectAll) {
    el.focus();
    if (selectAll && el.select) el.select();
  }
  function focusWindow(win) {
    var el = lastFocus[win.id];
    if (!el || !el.isConnected || windowOf(el) !== win) el = focusOrder(win)[0];
    if (el) el.focus();
  }
  function tab(win, backwards) {
    var order = focusOrder(win);
    if (!order.length) return;
    var at = order.indexOf(doc.activeElement);
    if (at < 0) at = backwards ? 0 : -1;
    var next = order[(at + (backwards ? -1 : 1) + order.length) % order.length];
    focusControl(next, next.classList.contains("textbox"));
  }

  function show(name) {
    var win = byId(name);
    if (!win) {
      var template = byId(name + "-template");
      if (!template) return;
      win = template.content.firstElementChild.cloneNode(true);
      doc.body.insertBefore(win, template);
      place(win);
      raise(win);
      var first = focusOrder(win)[0];
      if (first) first.focus();
      return;
    }
    raise(win);
    focusWindow(win);
  }
  // A dialog opens where its table puts it beside the main window.
  function place(win) {
    var main = mainWindow(), client = byId(win.id + "-client");
    if (!main || !client) return;
    var origin = byId(main.id + "-client").getBoundingClientRect();
    var outer = win.getBoundingClientRect(), inner = client.getBoundingClientRect();
    var left = origin.left + (+win.dataset.left - +main.dataset.left) - (inner.left - outer.left);
    var top = origin.top + (+win.dataset.top - +main.dataset.top) - (inner.top - outer.top);
    moveTo(win, left + scrollX, top + scrollY);
  }
  // The title bar always stays within reach.
  function moveTo(win, left, top) {
    var width = win.offsetWidth;
    left = Math.min(Math.max(left, scrollX + 40 - width), scrollX + innerWidth - 40);
    top = Math.min(Math.max(top, scrollY), scrollY + innerHeight - 20);
    win.style.left = left + "px";
    win.style.top = top + "px";
  }
  function unload(name) {
    var win = byId(name);
    if (!win || win.classList.contains("main")) return;
    var hadFocus = win.contains(doc.activeElement);
    win.remove();
    delete lastFocus[name];
    var next = activeWindow();
    if (next) {
      raise(next);
      if (hadFocus || doc.activeElement === doc.body) focusWindow(next);
    }
  }

  // The letter a key chooses a caption by: the one it types, as on the
  // desktop, so that Alt+A is the key marked A on any layout (AZERTY's A is
  // QWERTY's Q), without its accent ("à", and macOS's Option+A "å", give
  // "a"). A key that types no letter of the Latin alphabet (macOS's
  // Option+H "˙", a dead key, a Cyrillic letter) goes by its place instead.
  function accessLetter(e) {
    var key = e.key || "";
    if (key.length === 1 && key.normalize) key = key.normalize("NFD").replace(/[\u0300-\u036f]/g, "");
    key = key.toLowerCase();
    if (/^[a-z]$/.test(key)) return key;
    return /^Key[A-Z]$/.test(e.code || "") ? e.code.charAt(3).toLowerCase() : "";
  }

  // Menus.
  function titles() { return Array.prototype.slice.call(doc.querySelectorAll(".menubar .title")); }
  function items(title) {
    return Array.prototype.slice.call(byId(title.getAttribute("aria-controls")).querySelectorAll(".item"));
  }
  function openMenu(title, focusItem) {
    if (menuOpen && menuOpen !== title) closePopup();
    if (!menuReturn) menuReturn = doc.activeElement;
    byId(title.getAttribute("aria-controls")).hidden = false;
    title.setAttribute("aria-expanded", "true");
    menuOpen = title;
    (focusItem ? items(title)[0] : title).focus();
  }
  function closePopup() {
    if (!menuOpen) return;
    byId(menuOpen.getAttribute("aria-controls")).hidden = true;
    menuOpen.setAttribute("aria-expanded", "false");
    menuOpen = null;
  }
  function closeMenus(restore) {
    closePopup();
    var back = menuReturn;
    menuReturn = null;
    if (restore && back && back.isConnected && back !== doc.body) back.focus();
    else if (doc.activeElement && doc.activeElement.closest(".menubar")) doc.activeElement.blur();
  }
  function enterMenuBar() {
    menuReturn = doc.activeElement;
    titles()[0].focus();
  }
  function choose(item) {
    closeMenus(true);
    report(item, MENU);
  }
  function menuKey(e) {
    var el = doc.activeElement, all = titles();
    var title = el.classList.contains("title") ? el : byId(el.closest(".popup").getAttribute("aria-labelledby"));
    var at = all.indexOf(title), key = e.key;
    if (key === "Escape") {
      if (menuOpen && el.classList.contains("item")) { closePopup(); title.focus(); } else closeMenus(true);
    } else if (key === "Tab" || key === "F10" || key === "Alt") {
      closeMenus(true);
    } else if (key === "ArrowLeft" || key === "ArrowRight") {
      var next = all[(at + (key === "ArrowLeft" ? -1 : 1) + all.length) % all.length];
      if (menuOpen) openMenu(next, true); else next.focus();
    } else if (el.classList.contains("title") && (key === "ArrowDown" || key === "Enter" || key === " ")) {
      openMenu(title, true);
    } else if (el.classList.contains("item") && (key === "ArrowDown" || key === "ArrowUp")) {
      var list = items(title), i = list.indexOf(el);
      list[(i + (key === "ArrowUp" ? -1 : 1) + list.length) % list.length].focus();
    } else if (el.classList.contains("item") && (key === "Enter" || key === " ")) {
      choose(el);
    } else if (accessLetter(e) && !e.ctrlKey && !e.metaKey) {
      var letter = accessLetter(e), pool = menuOpen ? items(title) : all;
      for (var k = 0; k < pool.length; ++k) {
        if (pool[k].dataset.accesskey === letter) {
          if (menuOpen) choose(pool[k]); else openMenu(pool[k], true);
          break;
        }
      }
    } else {
      return;
    }
    e.preventDefault();
  }

  // The drop-down list: an editable text over a list of entries.
  function listOf(input) { return byId(input.id + "-list"); }
  function options(input) { return listOf(input).querySelectorAll("[role=option]"); }
  function selected(input) {
    var all = options(input);
    for (var i = 0; i < all.length; ++i) if (all[i].getAttribute("aria-selected") === "true") return i;
    return -1;
  }
  function select(input, index) {
    var all = options(input);
    for (var i = 0; i < all.length; ++i) all[i].setAttribute("aria-selected", i === index ? "true" : "false");
  }
  function hot(input) {
    var all = options(input), id = input.getAttribute("aria-activedescendant");
    for (var i = 0; i < all.length; ++i) if (all[i].id === id) return i;
    return -1;
  }
  function setHot(input, index) {
    var all = options(input);
    for (var i = 0; i < all.length; ++i) all[i].classList.toggle("hot", i === index);
    if (index >= 0) {
      input.setAttribute("aria-activedescendant", all[index].id);
      all[index].scrollIntoView({ block: "nearest" });
    } else {
      input.removeAttribute("aria-activedescendant");
    }
  }
  function openList(input) {
    listOf(input).hidden = false;
    input.setAttribute("aria-expanded", "true");
    setHot(input, selected(input));
  }
  function closeList(input) {
    listOf(input).hidden = true;
    input.setAttribute("aria-expanded", "false");
    setHot(input, -1);
  }
  function chooseEntry(input, index) {
    var all = options(input);
    closeList(input);
    if (index < 0 || index >= all.length) return;
    select(input, index);
    input.value = all[index].textContent;
    input.select();
    report(input, LIST, index);
  }
  function stepEntry(input, step) {
    var count = options(input).length, at = selected(input);
    var next = at < 0 ? 0 : Math.min(Math.max(at + step, 0), count - 1);
    if (next !== at) chooseEntry(input, next);
  }
  function comboKey(e, input) {
    var open = !listOf(input).hidden, key = e.key;
    if (key === "F4" || (e.altKey && (key === "ArrowDown" || key === "ArrowUp"))) {
      if (open) chooseEntry(input, hot(input)); else openList(input);
    } else if (open && (key === "ArrowDown" || key === "ArrowUp")) {
      var count = options(input).length, at = hot(input);
      setHot(input, Math.min(Math.max(at + (key === "ArrowUp" ? -1 : 1), 0), count - 1));
    } else if (open && key === "Enter") {
      chooseEntry(input, hot(input));
    } else if (open && key === "Escape") {
      closeList(input);
    } else if (!open && !e.altKey && (key === "ArrowDown" || key === "ArrowUp")) {
      stepEntry(input, key === "ArrowUp" ? -1 : 1);
    } else {
      if (open && key === "Tab") closeList(input);
      return false;
    }
    e.preventDefault();
    e.stopPropagation();
    return true;
  }

  // The scroll bar: arrows, track and thumb, its position in aria-valuenow.
  function bar(el) { return el.closest(".hscroll"); }
  function range(sb) {
    return { min: +sb.getAttribute("aria-valuemin"), max: +sb.getAttribute("aria-valuemax"),
             now: +sb.getAttribute("aria-valuenow") };
  }
  function geometry(sb) {
    var arrow = sb.firstElementChild.offsetWidth, thumb = sb.querySelector(".thumb");
    thumb.parentNode.style.left = thumb.parentNode.style.right = arrow + "px";
    return { track: sb.clientWidth - 2 * arrow, thumb: thumb.offsetWidth, el: thumb };
  }
  function drawThumb(sb, value) {
    var r = range(sb), g = geometry(sb);
    var room = g.track - g.thumb;
    g.el.style.left = (r.max > r.min ? Math.round((value - r.min) * room / (r.max - r.min)) : 0) + "px";
  }
  function scrollTo(sb, value) {
    var r = range(sb);
    value = Math.min(Math.max(Math.round(value), r.min), r.max);
    drawThumb(sb, value);
    if (value === r.now) return;
    sb.setAttribute("aria-valuenow", value);
    report(sb, SCROLL, value);
  }
  function scrollBy(sb, step) { scrollTo(sb, range(sb).now + step); }
  // A held arrow or track repeats as the desktop's scroll bars do: once at
  // the press, again after a pause as long as the keyboard's usual repeat
  // delay, then twenty times a second.
  var REPEAT_DELAY_MS = 400, REPEAT_EVERY_MS = 50;
  var repeat = null;
  function stopRepeat() { if (repeat) { clearTimeout(repeat); repeat = null; } }
  function repeating(action) {
    stopRepeat();
    action();
    repeat = setTimeout(function again() {
      if (action() !== false) repeat = setTimeout(again, REPEAT_EVERY_MS);
    }, REPEAT_DELAY_MS);
  }

  // A press that repeats or drags lasts until its pointer is released, and
  // no longer: it ends on pointerup, and as cancelled where the browser takes
  // the pointer back (pointercancel, when a finger on a touch screen moves a
  // little, or a lost capture). A repeat left running would go on writing
  // into the fields after the finger has gone.
  var gesture = null;
  function follow(el, e, move, end) {
    endGesture(false);
    gesture = { id: e.pointerId, el: el, move: move, end: end };
    try {
      el.setPointerCapture(e.pointerId);
    } catch (x) {
      // The pointer was released before the page saw it pressed.
    }
  }
  function endGesture(released) {
    var g = gesture;
    gesture = null;
    if (g && g.end) g.end(released);
  }
  function onGestureMove(e) {
    if (gesture && e.pointerId === gesture.id && gesture.move) gesture.move(e);
  }
  // A touch is first captured by the element touched; its loss, when the
  // capture passes to the control, is no end.
  function onGestureEnd(e) {
    if (!gesture || e.pointerId !== gesture.id) return;
    if (e.type === "lostpointercapture" && e.target !== gesture.el) return;
    endGesture(e.type === "pointerup");
  }

  function scrollPointer(e, sb) {
    sb.focus();
    e.preventDefault();
    var t = e.target, small = +sb.dataset.small, large = +sb.dataset.large;
    if (t.classList.contains("arrow")) {
      var step = t.classList.contains("left") ? -small : small;
      follow(sb, e, null, stopRepeat);
      repeating(function () { scrollBy(sb, step); });
    } else if (t.classList.contains("thumb")) {
      var g = geometry(sb), r = range(sb), startX = e.clientX, startLeft = t.offsetLeft;
      var value = r.now;
      // Dropped, the thumb sets the position; cancelled, it goes back to
      // where the position is.
      follow(sb, e, function (m) {
        var left = Math.min(Math.max(startLeft + m.clientX - startX, 0), g.track - g.thumb);
        value = r.min + Math.round(left * (r.max - r.min) / Math.max(g.track - g.thumb, 1));
        t.style.left = left + "px";
      }, function (released) {
        if (released) scrollTo(sb, value); else drawThumb(sb, range(sb).now);
      });
    } else {
      var x = e.clientX;
      follow(sb, e, null, stopRepeat);
      repeating(function () {
        var thumb = sb.querySelector(".thumb").getBoundingClientRect();
        if (x >= thumb.left && x < thumb.right) return false;
        scrollBy(sb, x < thumb.left ? -large : large);
      });
    }
  }
  function scrollKey(e, sb) {
    var small = +sb.dataset.small, large = +sb.dataset.large, r = range(sb), key = e.key;
    if (key === "ArrowLeft" || key === "ArrowUp") scrollBy(sb, -small);
    else if (key === "ArrowRight" || key === "ArrowDown") scrollBy(sb, small);
    else if (key === "PageUp") scrollBy(sb, -large);
    else if (key === "PageDown") scrollBy(sb, large);
    else if (key === "Home") scrollTo(sb, r.min);
    else if (key === "End") scrollTo(sb, r.max);
    else return;
    e.preventDefault();
  }

  // A turn of the wheel moves a list or a scroll bar only while it has the
  // focus; elsewhere the page scrolls as usual.
  var wheelSum = 0;
  function wheelSteps(e) {
    var delta = Math.abs(e.deltaY) >= Math.abs(e.deltaX) ? e.deltaY : e.deltaX;
    wheelSum += e.deltaMode ? delta * 50 : delta;
    if (Math.abs(wheelSum) < 50) return 0;
    var step = wheelSum > 0 ? 1 : -1;
    wheelSum = 0;
    return step;
  }
  function onWheel(e) {
    var t = e.target;
    var sb = t.closest && t.closest(".hscroll");
    var combo = t.closest && t.closest(".combo");
    if (sb && doc.activeElement === sb) {
      e.preventDefault();
      var s = wheelSteps(e);
      if (s) scrollBy(sb, s * +sb.dataset.small);
    } else if (combo && !t.closest(".list")) {
      var input = combo.querySelector("input");
      if (doc.activeElement !== input || !listOf(input).hidden) return;
      e.preventDefault();
      var n = wheelSteps(e);
      if (n) stepEntry(input, n);
    }
  }

  function onKey(e) {
    var el = doc.activeElement, key = e.key;
    if (el && el.closest && el.closest(".menubar")) { menuKey(e); return; }
    if (el && el.getAttribute && el.getAttribute("role") === "combobox" && comboKey(e, el)) return;
    if (el && el.classList && el.classList.contains("hscroll")) scrollKey(e, el);
    if (e.defaultPrevented) return;
    var win = windowOf(el) || activeWindow();
    if (!win) return;
    if (key === "Tab" && !e.altKey && !e.ctrlKey && !e.metaKey) {
      e.preventDefault();
      tab(win, e.shiftKey);
    } else if (key === "F10" && !e.shiftKey && win.querySelector(".menubar")) {
      e.preventDefault();
      enterMenuBar();
    } else if (e.altKey && !e.ctrlKey && !e.metaKey && accessLetter(e)) {
      var letter = accessLetter(e);
      var target = win.querySelector('.client [data-accesskey="' + letter + '"], .menubar .title[data-accesskey="' + letter + '"]');
      if (!target) return;
      e.preventDefault();
      if (target.classList.contains("title")) { menuReturn = el; openMenu(target, true); } else target.click();
    } else if ((key === "Enter" && !(el && el.tagName === "BUTTON")) || key === "Escape") {
      var button = win.querySelector(key === "Enter" ? "[data-default]" : "[data-cancel]");
      if (!button) return;
      e.preventDefault();
      button.click();
    }
  }

  function onPointerDown(e) {
    var t = e.target, win = windowOf(t);
    if (menuOpen && !t.closest(".menubar")) closeMenus(false);
    var lists = doc.querySelectorAll(".combo .list:not([hidden])");
    for (var i = 0; i < lists.length; ++i) {
      if (!lists[i].parentNode.contains(t)) closeList(lists[i].parentNode.querySelector("input"));
    }
    if (!win || win.tagName === "DIALOG") return;
    raise(win);
    if (t.closest(".title") && t.closest(".menubar")) {
      e.preventDefault();
      var title = t.closest(".title");
      if (menuOpen === title) closeMenus(true); else openMenu(title, false);
    } else if (t.closest(".closebox")) {
      e.preventDefault();
    } else if (t.closest(".titlebar")) {
      e.preventDefault();
      var handle = t.closest(".titlebar"), x = e.clientX - win.offsetLeft, y = e.clientY - win.offsetTop;
      follow(handle, e, function (m) { moveTo(win, m.clientX - x, m.clientY - y); }, null);
      if (!win.contains(doc.activeElement)) focusWindow(win);
    } else if (t.closest(".drop")) {
      e.preventDefault();
      var input = t.closest(".combo").querySelector("input");
      input.focus();
      if (listOf(input).hidden) openList(input); else closeList(input);
    } else if (t.closest(".list")) {
      e.preventDefault();
    } else if (t.closest(".hscroll")) {
      scrollPointer(e, bar(t));
    } else if (!t.closest("input, button, .item") && !win.contains(doc.activeElement)) {
      focusWindow(win);
    }
  }
  // A click on a label or a border leaves the focus where it is.
  function onMouseDown(e) {
    var t = e.target;
    if (windowOf(t) && !t.closest("input, button, .title, .item, .hscroll")) e.preventDefault();
  }

  function onClick(e) {
    var t = e.target;
    var item = t.closest && t.closest(".menubar .item");
    if (item) { choose(item); return; }
    var option = t.closest && t.closest(".combo [role=option]");
    if (option) {
      var input = option.closest(".combo").querySelector("input");
      chooseEntry(input, Array.prototype.indexOf.call(options(input), option));
      return;
    }
    if (t.closest && t.closest(".closebox")) { unload(windowOf(t).id); return; }
    var button = t.closest && t.closest(".client button");
    if (button) report(button, CLICK);
  }

  function onPointerOver(e) {
    var t = e.target;
    var title = t.closest && t.closest(".menubar .title");
    if (title && menuOpen && menuOpen !== title) openMenu(title, false);
    var item = t.closest && t.closest(".menubar .item");
    if (item) item.focus();
    var option = t.closest && t.closest(".combo [role=option]");
    if (option) {
      var input = option.closest(".combo").querySelector("input");
      setHot(input, Array.prototype.indexOf.call(options(input), option));
    }
  }

  function onFocusIn(e) {
    var t = e.target, win = windowOf(t);
    if (!win || win.tagName === "DIALOG") return;
    if (!t.closest(".menubar")) {
      lastFocus[win.id] = t;
      if (menuOpen || menuReturn) closeMenus(false);
    }
    raise(win);
  }
  function onFocusOut(e) {
    var t = e.target;
    if (t.getAttribute && t.getAttribute("role") === "combobox" && !listOf(t).hidden) closeList(t);
  }

  doc.addEventListener("keydown", onKey);
  doc.addEventListener("pointerdown", onPointerDown);
  doc.addEventListener("mousedown", onMouseDown);
  doc.addEventListener("pointerover", onPointerOver);
  doc.addEventListener("click", onClick);
  doc.addEventListener("focusin", onFocusIn);
  doc.addEventListener("focusout", onFocusOut);
  doc.addEventListener("wheel", onWheel, { passive: false });
  doc.addEventListener("pointermove", onGestureMove);
  doc.addEventListener("pointerup", onGestureEnd);
  doc.addEventListener("pointercancel", onGestureEnd);
  doc.addEventListener("lostpointercapture", onGestureEnd);

  function drawThumbs() {
    var all = doc.querySelectorAll(".hscroll");
    for (var i = 0; i < all.length; ++i) drawThumb(all[i], range(all[i]).now);
  }
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
  // A phone or a tablet lays the page out as wide as it takes to show the
  // main window whole at the largest scale the screen allows, and scales
  // that width to the screen. The page's viewport says the window's width,
  // which the browser fits to the screen before the first paint; where the
  // screen is wide for its height, the width grows until the window's
  // height fits. No initial scale: the browser fits the width itself, now
  // and when the screen turns, and lays the page out anew at its scale, so
  // text and borders stay sharp and pinch-zoom goes on from there. Desktop
  // browsers ignore the viewport: there the window keeps its laid-out
  // pixels, and the browser's zoom its own.
  var laidOutWidth = 0;
  function fitViewport() {
    var meta = doc.querySelector('meta[name="viewport"]'), view = window.visualViewport;
    var windowWidth = meta && Number(meta.getAttribute("data-window-width"));
    var windowHeight = meta && Number(meta.getAttribute("data-window-height"));
    if (!windowWidth || !windowHeight || !view || !view.width || !view.height) return;
    // The screen's size in CSS pixels at scale 1, whatever the scale now.
    var screenWidth = view.width * view.scale, screenHeight = view.height * view.scale;
    // A change of height alone is a keyboard or a toolbar coming or going,
    // not a turned screen: the page keeps its width.
    if (Math.abs(screenWidth - laidOutWidth) < 1) return;
    laidOutWidth = screenWidth;
    var content = "width=" + Math.ceil(Math.max(windowWidth, windowHeight * screenWidth / screenHeight));
    if (meta.getAttribute("content") !== content) meta.setAttribute("content", content);
  }

  // The script may come before the page has been read to its end.
  function whenParsed(action) {
    if (doc.readyState === "loading") doc.addEventListener("DOMContentLoaded", action);
    else action();
  }
  // At once, before the first frame where this script comes in time: the
  // window's size is in the viewport's own element, above this script.
  fitViewport();
  addEventListener("resize", fitViewport);
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
    var main = mainWindow();
    if (main) raise(main);
  });

  return {
    bind: function (slot, name) { slots[name] = slot; },
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
    end: function () {
      ended = true;
      closeMenus(false);
      var all = doc.querySelectorAll(".window");
      for (var i = 0; i < all.length; ++i) {
        if (all[i].tagName === "DIALOG") { if (all[i].open) all[i].close(); } else all[i].remove();
      }
      doc.documentElement.dataset.ended = "true";
    },
    // The text a field gave the program, while the program copies it.
    taken: ""
  };
})();
