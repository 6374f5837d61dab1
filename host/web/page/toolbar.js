// The toolbar: every tool the keys give, for a screen without a keyboard.
// A button presses its key (data-key, as the browser names it), so that it
// does exactly what the key does and the key list stays the one reference.
'use strict';

(() => {
  const toolbar = document.getElementById('toolbar');
  toolbar.addEventListener('click', (event) => {
    const button = event.target.closest('button[data-key]');
    if (!button) return;
    // The button leaves the keyboard to the window, as a key would find it.
    button.blur();
    for (const type of ['keydown', 'keyup'])
      document.dispatchEvent(new KeyboardEvent(type, { key: button.dataset.key, bubbles: true, cancelable: true }));
  });
})();
