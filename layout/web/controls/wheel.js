  // A turn of the wheel moves a list or a scroll bar; one the page writer
  // marks data-wheel="focus" only while it has the focus. Elsewhere the page
  // scrolls as usual.
  var wheelSum = 0;
  function wheelSteps(e) {
    var delta = Math.abs(e.deltaY) >= Math.abs(e.deltaX) ? e.deltaY : e.deltaX;
    wheelSum += e.deltaMode ? delta * 50 : delta;
    if (Math.abs(wheelSum) < 50) return 0;
    var step = wheelSum > 0 ? 1 : -1;
    wheelSum = 0;
    return step;
  }
  function wheelMoves(el) {
    return el.dataset.wheel !== "focus" || doc.activeElement === el;
  }
  function onWheel(e) {
    var t = e.target;
    var sb = t.closest && t.closest(".hscroll");
    var combo = t.closest && t.closest(".combo");
    if (sb && wheelMoves(sb)) {
      e.preventDefault();
      var s = wheelSteps(e);
      if (s) scrollBy(sb, s * +sb.dataset.small);
    } else if (combo && !t.closest(".list")) {
      var input = combo.querySelector("input");
      if (!wheelMoves(input) || !listOf(input).hidden) return;
      e.preventDefault();
      var n = wheelSteps(e);
      if (n) stepEntry(input, n);
    }
  }
