  // Menus.
  var menuOpen = null;
  var menuReturn = null;
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
  // The command runs before the focus leaves the menu: one that opens a
  // window gives the focus to it, and the control the menu was entered from
  // does not take it in between (Firefox then told a reader of that control
  // after the window's own words, and Orca took it for where the focus was).
  // Where the command moved no focus, it goes back as when a menu is left.
  function choose(item) {
    var back = menuReturn;
    closeMenus(false);
    report(item, MENU);
    var now = doc.activeElement;
    if ((!now || now === doc.body) && back && back.isConnected && back !== doc.body) back.focus();
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
