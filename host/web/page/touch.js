// The knob by touch: a finger that starts on the knob and goes around it
// turns it one step for every 30 degrees of arc, clockwise on the screen
// being clockwise. Each step is the knob's key (Up or Down) pressed, so a
// step is dropped while a key is pending, as with the keys. A tap without
// a turn stays a press of the knob (the tap's click).
'use strict';

(() => {
  const StepDegrees = 30;
  const isKnob = (element) => element && element.closest &&
    element.closest('.image[title^="Press the knob"]');
  let turning = null;

  // The finger's direction from the knob's centre, in degrees growing
  // clockwise (the screen's y grows downwards).
  const angle = (touch) => Math.atan2(touch.clientY - turning.y, touch.clientX - turning.x) * 180 / Math.PI;

  function step(key) {
    // A focused slider would take the arrow keys as its own.
    if (document.activeElement && document.activeElement !== document.body) document.activeElement.blur();
    for (const type of ['keydown', 'keyup'])
      document.dispatchEvent(new KeyboardEvent(type, { key, bubbles: true, cancelable: true }));
  }

  document.addEventListener('touchstart', (event) => {
    const knob = event.touches.length === 1 && isKnob(event.target);
    if (!knob) {
      turning = null;
      return;
    }
    const box = knob.getBoundingClientRect();
    turning = { x: box.left + box.width / 2, y: box.top + box.height / 2, arc: 0, steps: 0 };
    turning.at = angle(event.touches[0]);
  }, { passive: true });

  document.addEventListener('touchmove', (event) => {
    if (!turning) return;
    event.preventDefault();
    const now = angle(event.touches[0]);
    // The shorter way round from the last direction.
    turning.arc += ((now - turning.at + 540) % 360) - 180;
    turning.at = now;
    for (; turning.arc >= StepDegrees; turning.arc -= StepDegrees, ++turning.steps) step('ArrowUp');
    for (; turning.arc <= -StepDegrees; turning.arc += StepDegrees, ++turning.steps) step('ArrowDown');
  }, { passive: false });

  // A turn is not a press: the click the touch would give is cancelled.
  document.addEventListener('touchend', (event) => {
    if (turning && turning.steps) event.preventDefault();
    turning = null;
  }, { passive: false });
  document.addEventListener('touchcancel', () => { turning = null; });
})();
