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
    report(sb, CONTROL, value);
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

  function drawThumbs() {
    var all = doc.querySelectorAll(".hscroll");
    for (var i = 0; i < all.length; ++i) drawThumb(all[i], range(all[i]).now);
  }
