  // The windows and the keys; and the page's events, which this part hands
  // to the menus, the lists and the scroll bars as their targets ask.

  // Windows: one in front, the others behind it in the order last used.
  var topmost = 10;
  var lastFocus = {};
  function activeWindow() {
    var win = windowOf(doc.activeElement);
    if (win && !isMessageBox(win)) return win;
    var all = doc.querySelectorAll(".window"), best = null;
    for (var i = 0; i < all.length; ++i) {
      if (isMessageBox(all[i])) continue;
      if (!best || (+all[i].style.zIndex || 0) > (+best.style.zIndex || 0)) best = all[i];
    }
    return best;
  }
  function raise(win) {
    if (!win || isMessageBox(win)) return;
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
      template.parentNode.insertBefore(win, template);
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

  // A phone's decimal pad shows the decimal key of the phone's region: a
  // comma in Spain, which ends the number Zenalto reads, as on every face. A
  // comma from an on-screen keyboard (no key of a keyboard went down for it:
  // the keydown before it, if any, names no key's place) enters the period
  // in a number field; a comma typed on a keyboard stays a comma.
  var keyPlace = "";
  function onInput(e) {
    var t = e.target, placed = keyPlace;
    keyPlace = "";
    if (e.inputType !== "insertText" || e.data !== "," || placed || t.inputMode !== "decimal") return;
    var at = t.selectionStart;
    if (at > 0 && t.value.charAt(at - 1) === ",") t.setRangeText(".", at - 1, at, "end");
  }

  // Alt pressed and released alone enters the menu bar, as F10 does, as on
  // the desktop; Alt with any other key is that key's.
  var altAlone = false;
  function onKeyUp(e) {
    var alone = altAlone;
    altAlone = false;
    if (e.key !== "Alt" || !alone) return;
    var el = doc.activeElement, win = windowOf(el) || activeWindow();
    if (!win || !win.querySelector(".menubar")) return;
    e.preventDefault();
    enterMenuBar();
  }

  function onKey(e) {
    var el = doc.activeElement, key = e.key;
    keyPlace = e.code || "";
    altAlone = key === "Alt" && !e.repeat && !e.ctrlKey && !e.shiftKey && !e.metaKey &&
      !(el && el.closest && el.closest(".menubar"));
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
    if (!win || isMessageBox(win)) return;
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
    // The window's C++ object says what its close box does.
    if (t.closest && t.closest(".closebox")) { send(windowOf(t), CLOSE, -1, 0); return; }
    var button = t.closest && t.closest(".client button");
    if (button) report(button, CONTROL);
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
    if (!win || isMessageBox(win)) return;
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
  doc.addEventListener("input", onInput);
  doc.addEventListener("keyup", onKeyUp);
  addEventListener("blur", function () { altAlone = false; });
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
