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

  // At once, before the first frame where this script comes in time: the
  // window's size is in the viewport's own element, above this script.
  fitViewport();
  addEventListener("resize", fitViewport);
