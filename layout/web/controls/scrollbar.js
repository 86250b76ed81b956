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

  function drawThumbs() {
    var all = doc.querySelectorAll(".hscroll");
    for (var i = 0; i < all.length; ++i) drawThumb(all[i], range(all[i]).now);
  }
