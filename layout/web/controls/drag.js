  // A press that follows its pointer: a held arrow or track of a scroll bar,
  // its dragged thumb, a dialog dragged by its title bar (windows.js).
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
