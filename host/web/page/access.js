// What the page gives screen readers and keyboards beyond what page.js
// builds: the clickable pictures over F1, the knob and F2 become buttons
// reachable with Tab; every control gets a name (its tooltip, which names
// its key, where its own text gives none); Enter and Space work a control
// reached with the keyboard; and the display's texts, in reading order, are kept in a polite
// live region, which a screen reader speaks when the screen changes.
'use strict';

const QpxAccess = (() => {
  const live = document.createElement('div');
  live.id = 'display-texts';
  live.className = 'screen-reader';
  live.setAttribute('role', 'status');
  live.setAttribute('aria-live', 'polite');

  // A picture the program paints (the display) holds a canvas, the face
  // holds its picture; one that stays empty is a place to click.
  const isPictureButton = (element) => element.classList.contains('image') && !element.firstChild;

  // Names and roles, from the tooltips the program sets: called after the
  // page's elements change.
  function label(element) {
    const tip = element.title;
    if (element.classList.contains('image')) {
      if (isPictureButton(element) && tip) {
        element.setAttribute('role', 'button');
        element.tabIndex = 0;
        element.setAttribute('aria-label', tip);
      } else {
        element.removeAttribute('role');
        element.removeAttribute('tabindex');
        element.removeAttribute('aria-label');
      }
    } else if (element.matches('input[type=range], select')) {
      element.setAttribute('aria-label', tip || 'Value');
    } else if (element.classList.contains('spinedit')) {
      element.firstChild.setAttribute('aria-label', tip || 'Value');
      for (const arrow of element.querySelectorAll('button'))
        arrow.setAttribute('aria-label', arrow.textContent === '\u25b2' ? 'Up' : 'Down');
    } else if (element.classList.contains('close')) {
      element.setAttribute('aria-label', element.title);
    }
  }

  const observer = new MutationObserver((changes) => {
    const seen = new Set();
    for (const change of changes) {
      const element = change.type === 'attributes' ? change.target : change.target.closest('[data-id], .close');
      if (element) seen.add(element);
      for (const added of change.addedNodes)
        if (added.nodeType === Node.ELEMENT_NODE) {
          if (added.matches('[data-id], .close')) seen.add(added);
          for (const inner of added.querySelectorAll('[data-id], .close')) seen.add(inner);
        }
    }
    for (const element of seen) if (element.isConnected && element.matches('[data-id], .close')) label(element);
  });

  // Enter and Space on a control reached with the keyboard (or focused by
  // a script) work that control, before the page hands them to the program
  // as the knob's keys. On a control focused by a click they stay the
  // knob's keys, as in the desktop window, where a clicked button keeps the
  // focus. A control takes the focus between the press and the release.
  const clicked = new WeakSet();
  let pressed = null;
  document.addEventListener('pointerdown', (event) => { pressed = event.target; }, true);
  document.addEventListener('pointerup', () => { pressed = null; }, true);
  document.addEventListener('focusin', (event) => {
    const target = event.target;
    const label = pressed && pressed.closest && pressed.closest('label');
    if (pressed && (target.contains(pressed) || (label && label.contains(target)))) clicked.add(target);
    else clicked.delete(target);
  }, true);
  function activates(element) {
    return element && element.closest && element.closest('#desk') && !clicked.has(element) &&
      (element.matches('button, input[type=checkbox]') || element.getAttribute('role') === 'button');
  }
  document.addEventListener('keydown', (event) => {
    if ((event.key !== 'Enter' && event.key !== ' ') || event.ctrlKey || event.altKey || event.metaKey ||
        !activates(event.target))
      return;
    event.stopImmediatePropagation();
    event.preventDefault();
    if (!event.repeat) event.target.click();
  }, true);

  document.addEventListener('DOMContentLoaded', () => {
    document.body.append(live);
    observer.observe(document.getElementById('desk'),
      { subtree: true, childList: true, attributes: true, attributeFilter: ['title'] });
  });

  return {
    // The texts of the frame just painted; said again only when they change.
    displayTexts(id, texts) {
      const said = texts || 'The display is blank';
      if (live.textContent !== said) live.textContent = said;
    },
  };
})();
