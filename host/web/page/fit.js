// The main window fitted to the screen: scaled as a whole, its proportions
// kept, by a factor that gives every canvas pixel of the display a whole
// number of device pixels where the screen has room for one or more, so
// that the display's dots stay crisp squares. On a screen taller than wide
// the sliders and check boxes move below the face (ON and OFF are below it
// already); on a wide one they stay beside it, as in the desktop window.
// The controls keep their places in the window itself: screenshots of the
// window and the program's coordinates are those of the desktop layout.
'use strict';

const QpxFit = (() => {
  // The face's column and what lies right of it, in window pixels.
  const FaceWidth = 336;
  // Below the face and ON/OFF: the status bar's top in the desktop window.
  const FaceHeight = 385;
  // No smaller than this, so that F1, F2, the knob, ON and OFF (49 pixels
  // high) keep touch targets of 44 CSS pixels; the page scrolls instead.
  const SmallestScale = 0.9;
  // The display's canvas draws each dot as a square of 2 x 2 pixels.
  const CanvasPixelsPerDot = 2;
  // Side windows zoom down to the screen's width, but no further than
  // this, so that their text stays readable; they scroll sideways instead.
  const SmallestSheetZoom = 0.6;

  let frame = null, client = null, side = [], statusBar = null, sideHeight = 0;

  // The controls right of the face, and how far below their highest one
  // the lowest reaches. A lesson's hint marks move with them but take no
  // room of their own: they lie over the controls.
  function findSide() {
    side = Array.from(client.children).filter((element) => element.offsetLeft >= FaceWidth);
    statusBar = client.querySelector(':scope > .statusbar');
    const placed = side.filter((element) => !/^Lesson hint/.test(element.title));
    const top = Math.min(...placed.map((element) => element.offsetTop));
    sideHeight = Math.max(...placed.map((element) => element.offsetTop + element.offsetHeight)) - top + 8;
    side.forEach((element) => element.classList.add('side'));
    return top;
  }

  // The scale for room of width x height CSS pixels: whole device pixels
  // per display dot (two canvas pixels) when that is at least one, and
  // never below the touch-target limit unless the width leaves no choice
  // (the touch targets before crisp dots).
  function scaleFor(width, height, naturalWidth, naturalHeight) {
    const byWidth = width / naturalWidth;
    const fits = Math.min(byWidth, Math.max(height / naturalHeight, SmallestScale));
    const perDot = CanvasPixelsPerDot * (window.devicePixelRatio || 1);
    const crisp = Math.floor(fits * perDot + 1e-6) / perDot;
    return crisp >= Math.min(fits, SmallestScale) ? crisp : fits;
  }

  let sideTop = 0;
  function arrange() {
    if (!frame) return;
    const root = document.documentElement;
    const portrait = root.clientHeight > root.clientWidth;
    frame.classList.toggle('portrait', portrait);
    const width = portrait ? FaceWidth : Number(client.dataset.width);
    const height = portrait ? FaceHeight + sideHeight + statusBar.offsetHeight : Number(client.dataset.height);
    // Below the face: the side's controls move left by the face's width and
    // down below ON and OFF; the status bar goes below them.
    for (const element of side) element.style.translate = portrait ? `${-FaceWidth}px ${FaceHeight - sideTop}px` : '';
    if (statusBar) {
      statusBar.style.translate = portrait ? `0 ${sideHeight}px` : '';
      statusBar.style.width = width + 'px';
    }
    client.style.width = width + 'px';
    client.style.height = height + 'px';
    // The room the page leaves for the window: the body's margins and,
    // below, the toolbar.
    frame.style.transform = '';
    frame.style.margin = '';
    const body = getComputedStyle(document.body);
    const roomWidth = root.clientWidth - parseFloat(body.marginLeft) - parseFloat(body.marginRight);
    const tools = document.getElementById('tools');
    const roomHeight = window.innerHeight - parseFloat(body.marginTop) - parseFloat(body.marginBottom) -
      (tools ? tools.offsetHeight + 8 : 0);
    const naturalWidth = frame.offsetWidth, naturalHeight = frame.offsetHeight;
    const scale = scaleFor(roomWidth, roomHeight, naturalWidth, naturalHeight);
    frame.style.transform = `scale(${scale})`;
    // The layout takes the scaled size, so that nothing beside or below the
    // window overlaps it and the page scrolls only as far as it reaches.
    frame.style.marginRight = `${naturalWidth * (scale - 1)}px`;
    frame.style.marginBottom = `${naturalHeight * (scale - 1)}px`;
    QpxFit.scale = scale;
  }

  // The main window, once the program shows it with all its controls.
  function start() {
    frame = document.querySelector('.window.main');
    if (!frame) return;
    client = frame.querySelector('.client');
    client.dataset.width = client.offsetWidth;
    client.dataset.height = client.offsetHeight;
    sideTop = findSide();
    arrange();
    window.addEventListener('resize', arrange);
  }

  const shown = QpxPage.showForm;
  QpxPage.showForm = function (id, beside) {
    shown.call(this, id, beside);
    if (!frame) start();
    if (beside) fitSheet(document.querySelector(`.client[data-id="${id}"]`).parentElement);
    leaveRoomForSheets();
  };

  // An open sheet covers the bottom of the screen: the page gains that much
  // room below, so that every control under it can be scrolled into view (a
  // lesson asks for a check box the sheet would hide).
  function leaveRoomForSheets() {
    let height = 0;
    for (const sheet of document.querySelectorAll('.window:not(.main)'))
      if (!sheet.hidden && sheet.getClientRects().length) height = Math.max(height, sheet.getBoundingClientRect().height);
    document.body.style.paddingBottom = height ? `${Math.ceil(height)}px` : '';
  }
  new MutationObserver(leaveRoomForSheets).observe(document.body,
    { subtree: true, childList: true, attributes: true, attributeFilter: ['hidden'] });
  window.addEventListener('resize', leaveRoomForSheets);

  // A side window narrower than the screen keeps its size; a wider one is
  // zoomed down towards the screen's width.
  function fitSheet(sheet) {
    sheet.style.zoom = '';
    const room = document.documentElement.clientWidth, width = sheet.scrollWidth;
    if (width > room) sheet.style.zoom = Math.max(room / width, SmallestSheetZoom);
  }

  return { scale: 1, arrange };
})();
