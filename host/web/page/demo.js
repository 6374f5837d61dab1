// Demo mode: ?demo=FILE (a scenario published with the page, such as
// scenarios/tour.txt) plays in the page by itself, over and over, with a
// Demo badge (host/web/page_demo.h). Before the program starts, the
// scenario and the state files and recordings it names are fetched,
// relative to the page's address, into the program's files under the same
// names, and the program gets --demo FILE; the service worker keeps what
// was fetched, so that the demo opens without a network after one visit.
// What cannot be fetched is left out: the program then says in the status
// bar which file it cannot read, and the page runs as without a demo. Any
// touch, click or key on the page hands the instrument over: the badge goes
// at once, and the program stops the demo when it next asks (touched).
'use strict';

const QpxDemo = (() => {
  const file = new URLSearchParams(location.search).get('demo');
  let badge = null, touched = false;

  // The path inside the page's folder, without . and ..; null when it
  // leads out of it or names nothing.
  function inside(path) {
    const parts = [];
    for (const part of path.split('/')) {
      if (part === '' || part === '.') continue;
      if (part !== '..') parts.push(part);
      else if (!parts.pop()) return null;
    }
    return parts.length ? parts.join('/') : null;
  }

  // The files a scenario's lines name, as written: the rest of a
  // load-state line, and of a feed line less its trailing "engine N",
  // "columns MAP" and "from TIME".
  function namedFiles(text) {
    const names = [];
    for (const raw of text.split(/\r?\n/)) {
      let line = '', quoted = false;
      for (const c of raw) {
        if (c === '"') quoted = !quoted;
        else if (c === '#' && !quoted) break;
        line += c;
      }
      const match = /^[ \t]*(load-state|feed)[ \t]+(.*?)[ \t]*$/.exec(line);
      if (!match) continue;
      let rest = match[2];
      if (match[1] === 'feed') {
        const tokens = [...rest.matchAll(/(?:"[^"]*"|[^ \t"])+/g)];
        let n = tokens.length;
        while (n >= 3 && ['engine', 'columns', 'from'].includes(tokens[n - 2][0])) n -= 2;
        if (n < tokens.length) rest = rest.slice(0, tokens[n].index).trimEnd();
      }
      if (rest) names.push(rest);
    }
    return names;
  }

  // Fetches path (inside the page's folder) into the program's files under
  // the same name; resolves to its text, or null when it cannot be had.
  function fetchInto(path) {
    return fetch(path).then((response) => {
      if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
      return response.arrayBuffer();
    }).then((bytes) => {
      const FS = Module.FS;
      let folder = '';
      for (const part of path.split('/').slice(0, -1)) {
        folder += (folder ? '/' : '') + part;
        if (!FS.analyzePath(folder).exists) FS.mkdir(folder);
      }
      FS.writeFile(path, new Uint8Array(bytes));
      return new TextDecoder().decode(bytes);
    }).catch((error) => {
      console.warn(`demo: ${path}: ${error.message}`);
      return null;
    });
  }

  function fetchDemo() {
    const own = inside(file);
    if (!own) return Promise.resolve();
    const folder = own.split('/').slice(0, -1);
    return fetchInto(own).then((text) => Promise.all(text === null ? [] : namedFiles(text).map((name) => {
      const path = inside(name.startsWith('/') ? name : [...folder, name].join('/'));
      return path ? fetchInto(path) : null;
    })));
  }

  function noticeTouch() {
    if (!badge || badge.hidden) return;
    touched = true;
    badge.hidden = true;
  }

  if (file !== null) {
    Module.arguments.push('--demo', file);
    Module.preRun.push(() => {
      addRunDependency('demo');
      fetchDemo().then(() => removeRunDependency('demo'));
    });
    badge = document.createElement('div');
    badge.id = 'demo-badge';
    badge.setAttribute('role', 'status');
    badge.textContent = 'Demo';
    badge.title = 'The simulator plays a demo by itself: touch, click or press a key to take over';
    badge.hidden = true;
    document.body.append(badge);
    for (const type of ['pointerdown', 'touchstart', 'keydown', 'wheel'])
      document.addEventListener(type, noticeTouch, { capture: true, passive: true });
  }

  return {
    // The program shows the badge while its demo plays, and takes it away.
    show(on) {
      if (!badge) return;
      badge.hidden = !on;
      if (on) touched = false;
    },
    // Whether the user touched the page since the program last asked.
    touched() {
      const was = touched;
      touched = false;
      return was;
    },
  };
})();
