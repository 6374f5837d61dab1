// Registers the page's service worker (sw.js), which keeps the page's files
// so that the page opens again without a network, and lets the browser
// offer to install it. Pages opened from a file or an insecure address,
// where browsers have no service workers, run as before.
'use strict';

if ('serviceWorker' in navigator && window.isSecureContext) {
  window.addEventListener('load', () => {
    navigator.serviceWorker.register('sw.js').catch((error) =>
      console.warn(`the page cannot be kept for use without a network: ${error.message}`));
  });
}
