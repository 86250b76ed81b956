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
    report(input, CONTROL, index);
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
