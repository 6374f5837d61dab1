// The page side of the simulator in a browser. The program (qpx-sim.js)
// owns every control and its behaviour; this script only builds the
// elements it is told to build, shows what it is told to show, and queues
// what the user does for the program to take from its own loop. The page
// address may hold ?max-rate=N (at most N main-cycle passes a second),
// ?lesson=NAME (the lesson of that file name, without .txt, started in the
// Lessons panel) and ?stats (passes and repaints a second in the status
// bar). A file chosen
// with Load state or Load recording, or dropped anywhere on the page, goes
// to the program, which tells by its content what it is.
'use strict';

const QpxPage = (() => {
  // The codes the program and the page share (codes.js, written from the
  // program's definitions when the page is built): control kinds, event
  // kinds and keys, each under its C++ name.
  const { Kind, Event, Key } = QpxCodes;
  // Keys the browser names, as the program names them; characters are
  // their code, function keys vkF1, vkF2, ...
  const NamedKeys = {
    Enter: Key.vkReturn, Escape: Key.vkEscape, Tab: Key.vkTab, Backspace: Key.vkBackSpace, ArrowUp: Key.vkUp,
    ArrowDown: Key.vkDown, ArrowLeft: Key.vkLeft, ArrowRight: Key.vkRight, PageUp: Key.vkPageUp,
    PageDown: Key.vkPageDown, Home: Key.vkHome, End: Key.vkEnd, Insert: Key.vkInsert, Delete: Key.vkDelete,
  };
  // A control's element has its kind's name as its class: 'trackbar', ...
  const kindClass = Object.fromEntries(Object.entries(Kind).map(([name, code]) => [code, name.toLowerCase()]));
  const query = new URLSearchParams(location.search);

  const controls = new Map(); // id -> { kind, element, form, ... }
  const queue = [];
  let resume = null, resumeTimer = 0;
  let mainForm = 0;
  let eventText = '';
  // What the page refused of its address, for the status bar to show.
  let refusedRate = '';
  const channel = new MessageChannel();

  function hex(color) {
    return '#' + (color & 0xffffff).toString(16).padStart(6, '0');
  }

  function queueEvent(kind, fields, text) {
    queue.push({ kind, fields, text });
    if (resume) wakeSoon();
  }

  // The copy keeps the file's name, so that messages name it as the user
  // knows it; a very long one keeps its start and its end, well within
  // what the program takes as a path.
  function copyName(name, fallback) {
    const safe = name.replace(/[^\w.+-]/g, '_').replace(/^\.+/, '') || fallback;
    return safe.length <= 200 ? safe : safe.slice(0, 100) + '_' + safe.slice(-99);
  }

  // Puts the copy called name in place (make writes it) and queues it for
  // the program. A later file of the same name replaces one the program
  // has not taken yet, and whatever is left by that name goes first.
  function handOver(name, make) {
    const waiting = queue.findIndex((event) => event.kind === Event.PageOpenFile && event.text === name);
    if (waiting >= 0) queue.splice(waiting, 1);
    const FS = Module.FS, found = FS.analyzePath(name);
    if (found.exists) found.object.isFolder ? FS.rmdir(name) : FS.unlink(name);
    make();
    queueEvent(Event.PageOpenFile, [mainForm], name);
  }

  // Resumes the waiting program from a task of its own: never from inside
  // the call that suspended it.
  function wakeSoon() {
    clearTimeout(resumeTimer);
    resumeTimer = 0;
    channel.port2.postMessage(null);
  }
  channel.port1.onmessage = () => {
    const wakeUp = resume;
    resume = null;
    if (wakeUp) wakeUp();
  };
  // A page shown again wakes the program from a hidden page's long sleep.
  document.addEventListener('visibilitychange', () => {
    if (!document.hidden && resume) wakeSoon();
  });

  function formOf(element) {
    const client = element && element.closest && element.closest('.client');
    return client ? Number(client.dataset.id) : mainForm;
  }

  function focusedControl() {
    const element = document.activeElement && document.activeElement.closest('[data-id]');
    return element && !element.classList.contains('client') ? Number(element.dataset.id) : 0;
  }

  function keyCode(event) {
    if (Object.hasOwn(NamedKeys, event.key)) return NamedKeys[event.key];
    if (/^F\d+$/.test(event.key)) return Key['vk' + event.key] || 0;
    if (event.key.length === 1 && event.key >= ' ' && event.key < '\x7f') return event.key.charCodeAt(0);
    return 0;
  }

  // Every key goes to the program, which gives it to the form that has the
  // keyboard. Keys without Ctrl or Alt are the instrument's, F1, F5, F9 and
  // F10 among them: the browser acts on neither their press nor their
  // release (F10's release would open the browser's menu). Tab still moves
  // the focus, as in the window.
  const forBrowser = (event) =>
    event.ctrlKey || event.altKey || event.metaKey || event.key === 'Tab' || event.target.type === 'file';
  // In a spin box or a choice list the keys that edit or pick stay there;
  // every other key (letters, Escape) goes to the program as elsewhere.
  const EditingKeys = new Set(['Backspace', 'Delete', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Home',
    'End', 'Enter', 'PageUp', 'PageDown', ' ']);
  const editing = (event) => event.target.closest && event.target.closest('.spinedit, .combobox') &&
    (EditingKeys.has(event.key) || /^[0-9.,+-]$/.test(event.key));
  document.addEventListener('keydown', (event) => {
    if (event.target.type === 'file' || editing(event)) return;
    const key = keyCode(event);
    if (!key || !mainForm) return;
    if (!forBrowser(event)) event.preventDefault();
    const ctrlOrAlt = event.ctrlKey || event.altKey || event.metaKey;
    queueEvent(Event.PageKey, [formOf(document.activeElement), key, event.repeat ? 1 : 0, ctrlOrAlt ? 1 : 0,
      focusedControl()]);
  });
  // A focused button would also click on the release of Space.
  document.addEventListener('keyup', (event) => {
    if (!forBrowser(event) && !editing(event) && keyCode(event)) event.preventDefault();
  });

  function position(element, left, top, width, height) {
    element.style.left = left + 'px';
    element.style.top = top + 'px';
    if (width) element.style.width = width + 'px';
    if (height) element.style.height = height + 'px';
  }

  // Where an element lies in its window, in window pixels: its place in
  // the desktop layout, whatever the page's scale or arrangement.
  function placeInWindow(element, client) {
    let x = element.offsetLeft, y = element.offsetTop;
    for (let parent = element.offsetParent; parent && parent !== client; parent = parent.offsetParent) {
      x += parent.offsetLeft + parent.clientLeft;
      y += parent.offsetTop + parent.clientTop;
    }
    return { x, y, w: element.offsetWidth, h: element.offsetHeight };
  }

  function createForm(id, width, height) {
    const frame = document.createElement('section');
    frame.className = 'window';
    frame.hidden = true;
    const title = document.createElement('header');
    const caption = document.createElement('span');
    title.append(caption);
    const client = document.createElement('div');
    client.className = 'client';
    client.dataset.id = id;
    client.tabIndex = -1;
    position(client, 0, 0, width, height);
    client.addEventListener('wheel', (event) => {
      event.preventDefault();
      // Window pixels, whatever the scale the page shows the window at.
      const box = client.getBoundingClientRect(), perPixel = client.offsetWidth / box.width || 1;
      const lines = event.deltaMode === 0 ? event.deltaY / 100 : event.deltaMode === 1 ? event.deltaY / 3 : event.deltaY;
      const notches = Math.sign(lines) * Math.max(1, Math.round(Math.abs(lines)));
      if (notches) queueEvent(Event.PageWheel, [id, Math.floor((event.clientX - box.left) * perPixel), Math.floor((event.clientY - box.top) * perPixel), notches]);
    }, { passive: false });
    frame.append(title, client);
    document.getElementById('desk').append(frame);
    return { frame, caption, title, client, element: client };
  }

  function createControl(id, kind, width, height) {
    let element;
    switch (kind) {
      case Kind.Image:
        element = document.createElement('div');
        element.addEventListener('click', () => queueEvent(Event.PageClick, [id]));
        break;
      case Kind.TrackBar:
        element = document.createElement('input');
        element.type = 'range';
        element.step = 1;
        element.addEventListener('input', () => queueEvent(Event.PageSlider, [id, Number(element.value)]));
        break;
      case Kind.CheckBox: {
        element = document.createElement('label');
        const box = document.createElement('input');
        box.type = 'checkbox';
        box.addEventListener('change', () => queueEvent(Event.PageCheckBox, [id, box.checked ? 1 : 0]));
        element.append(box, document.createElement('span'));
        break;
      }
      case Kind.SpinEdit: {
        // The field, then an up and a down arrow: what is typed counts on
        // Enter or on leaving the field, the arrows and the Up and Down keys
        // step; the program keeps the value within its range.
        element = document.createElement('div');
        const field = document.createElement('input');
        field.type = 'text';
        field.inputMode = 'decimal';
        field.addEventListener('change', () => {
          field.dataset.committed = field.value;
          queueEvent(Event.PageSpinText, [id], field.value);
        });
        field.addEventListener('keydown', (event) => {
          if (event.key !== 'ArrowUp' && event.key !== 'ArrowDown') return;
          event.preventDefault();
          queueEvent(Event.PageSpinStep, [id, event.key === 'ArrowUp' ? 1 : -1]);
        });
        const arrows = document.createElement('span');
        for (const [text, steps] of [['\u25b2', 1], ['\u25bc', -1]]) {
          const arrow = document.createElement('button');
          arrow.type = 'button';
          arrow.tabIndex = -1;
          arrow.textContent = text;
          arrow.addEventListener('click', () => queueEvent(Event.PageSpinStep, [id, steps]));
          arrows.append(arrow);
        }
        element.append(field, arrows);
        break;
      }
      case Kind.ComboBox:
        element = document.createElement('select');
        element.addEventListener('change', () => queueEvent(Event.PageChoice, [id, element.selectedIndex]));
        break;
      case Kind.Button:
        element = document.createElement('button');
        element.type = 'button';
        element.addEventListener('click', () => queueEvent(Event.PageClick, [id]));
        break;
      default:
        element = document.createElement('div');
        break;
    }
    element.className = kindClass[kind];
    element.dataset.id = id;
    return { element };
  }

  return {
    // The address's options as the program's command line; a rate the
    // program would refuse, and not start, is left out instead.
    arguments() {
      // A lesson is a file of the preloaded folder: a name, never a path.
      const lesson = query.get('lesson');
      const lessonArguments = lesson !== null && /^[A-Za-z0-9][A-Za-z0-9._-]*$/.test(lesson)
        ? ['--lesson', `/lessons/${lesson}.txt`] : [];
      if (lesson !== null && !lessonArguments.length) console.warn(`lesson=${lesson} is not a lesson's name`);
      const rate = query.get('max-rate');
      if (rate === null) return lessonArguments;
      if (/^\d{1,7}$/.test(rate) && Number(rate) >= 1 && Number(rate) <= 1000000) {
        return ['--max-rate', rate, ...lessonArguments];
      }
      console.warn(`max-rate=${rate} is not a number of passes a second from 1 to 1000000: running free`);
      refusedRate = `max-rate=${rate} refused: running free`;
      return lessonArguments;
    },

    // look: a label's font, 0 the form's, 1 fixed pitch, 2 large.
    create(id, parent, form, kind, left, top, width, height, look) {
      const control = kind === Kind.Form ? createForm(id, width, height) : createControl(id, kind, width, height);
      control.kind = kind;
      control.form = form || id;
      if (kind === Kind.Label) {
        position(control.element, left, top);
        if (look === 1) control.element.classList.add('fixed');
        if (look === 2) control.element.classList.add('large');
      } else if (kind === Kind.TrackBar) {
        // As in the window: a slider's channel starts a little inside its
        // rectangle and is drawn 28 pixels high.
        position(control.element, left + 8, top, width - 8, 28);
      } else if (kind !== Kind.Form) {
        position(control.element, left, top, width, height);
      }
      if (kind !== Kind.Form) controls.get(parent).element.append(control.element);
      controls.set(id, control);
    },

    remove(id) {
      const control = controls.get(id);
      if (!control) return;
      (control.frame || control.element).remove();
      controls.delete(id);
    },

    setTexts(id, caption, hint) {
      const control = controls.get(id);
      if (control.shownCaption !== caption) {
        control.shownCaption = caption;
        switch (control.kind) {
          case Kind.Form: control.caption.textContent = caption; break;
          case Kind.CheckBox: control.element.lastChild.textContent = caption; break;
          case Kind.Label: case Kind.Button: control.element.textContent = caption; break;
          case Kind.ComboBox:
            control.element.replaceChildren(...caption.split('\n').map((line) => new Option(line)));
            control.element.selectedIndex = control.index || 0;
            break;
          case Kind.StatusBar:
            if (!control.text) {
              control.text = document.createElement('span');
              control.rates = document.createElement('span');
              control.rates.className = 'rates';
              control.element.append(control.text, control.rates);
              if (refusedRate) {
                const notice = document.createElement('span');
                notice.className = 'refused';
                notice.textContent = refusedRate;
                control.rates.before(notice);
              }
              if (control.form === mainForm || !mainForm) QpxPage.statusBar = control;
            }
            control.text.textContent = caption;
            break;
          default: break;
        }
      }
      // A spin box shows its value, unless the user is typing into it: what
      // was typed and sent (Enter, leaving) gives way to the value kept.
      if (control.kind === Kind.SpinEdit) {
        const field = control.element.firstChild;
        if (document.activeElement !== field || field.value === control.shownValue ||
            field.value === field.dataset.committed) field.value = caption;
        control.shownValue = caption;
      }
      if (hint) control.element.title = hint;
      else control.element.removeAttribute('title');
    },

    setState(id, visible, color, value, min, max) {
      const control = controls.get(id);
      const element = control.element;
      if (control.kind !== Kind.Form) element.style.visibility = visible ? '' : 'hidden';
      switch (control.kind) {
        case Kind.Form: case Kind.Panel: case Kind.Shape:
          element.style.backgroundColor = hex(color);
          break;
        case Kind.TrackBar:
          element.min = min;
          element.max = max;
          if (Number(element.value) !== value) element.value = value;
          break;
        case Kind.CheckBox:
          element.firstChild.checked = value !== 0;
          break;
        case Kind.ComboBox:
          control.index = value;
          if (element.selectedIndex !== value) element.selectedIndex = value;
          break;
        default: break;
      }
    },

    paint(id, pixels, width, height) {
      const control = controls.get(id);
      if (!control.canvas) {
        control.element.replaceChildren();
        control.canvas = document.createElement('canvas');
        control.element.append(control.canvas);
      }
      const canvas = control.canvas;
      if (canvas.width !== width || canvas.height !== height) {
        canvas.width = width;
        canvas.height = height;
        control.image = null;
      }
      const context = canvas.getContext('2d');
      control.image = control.image || context.createImageData(width, height);
      const rgba = control.image.data;
      for (let i = 0, o = 0; i < pixels.length; ++i, o += 4) {
        const p = pixels[i];
        rgba[o] = p >>> 16 & 255;
        rgba[o + 1] = p >>> 8 & 255;
        rgba[o + 2] = p & 255;
        rgba[o + 3] = 255;
      }
      context.putImageData(control.image, 0, 0);
    },

    showJpeg(id, bytes) {
      const control = controls.get(id);
      const picture = new Image();
      picture.alt = '';
      picture.draggable = false;
      picture.src = URL.createObjectURL(new Blob([bytes], { type: 'image/jpeg' }));
      control.element.replaceChildren(picture);
      control.picture = picture;
    },

    showForm(id, beside) {
      const control = controls.get(id);
      if (!mainForm && !beside) {
        mainForm = id;
        control.frame.classList.add('main');
      }
      if (beside && !control.closer) {
        control.closer = document.createElement('button');
        control.closer.type = 'button';
        control.closer.className = 'close';
        control.closer.title = 'Close (Esc)';
        control.closer.textContent = '\u00d7';
        control.closer.addEventListener('click', () => queueEvent(Event.PageCloseForm, [id]));
        control.title.append(control.closer);
      }
      control.frame.hidden = false;
      if (beside) {
        control.client.focus({ preventScroll: true });
        control.frame.scrollIntoView({ block: 'nearest' });
      }
    },

    hideForm(id) {
      const control = controls.get(id);
      control.frame.hidden = true;
      if (control.frame.contains(document.activeElement)) document.activeElement.blur();
    },

    nextEvent() {
      return queue.shift();
    },
    get eventText() { return eventText; },
    set eventText(text) { eventText = text; },

    wait(ms, wakeUp) {
      resume = wakeUp;
      if (ms === 0 || queue.length) wakeSoon();
      else if (ms > 0) resumeTimer = setTimeout(wakeSoon, ms);
    },

    // The form as shown, drawn anew into a canvas: the pictures as they
    // are, the controls in the look the page gives them.
    capture(form, width, height) {
      const client = controls.get(form).client;
      const canvas = document.createElement('canvas');
      canvas.width = width;
      canvas.height = height;
      const g = canvas.getContext('2d');
      g.fillStyle = getComputedStyle(client).backgroundColor;
      g.fillRect(0, 0, width, height);
      g.textBaseline = 'middle';
      for (const element of client.querySelectorAll('[data-id]')) {
        const control = controls.get(Number(element.dataset.id));
        const style = getComputedStyle(element);
        if (!control || style.visibility === 'hidden') continue;
        const { x, y, w, h } = placeInWindow(element, client);
        g.font = style.font;
        g.fillStyle = style.backgroundColor;
        g.strokeStyle = '#000';
        switch (control.kind) {
          case Kind.Image:
            if (control.canvas) g.drawImage(control.canvas, x, y);
            else if (control.picture && control.picture.complete) g.drawImage(control.picture, x, y, w, h);
            break;
          case Kind.Shape:
            g.beginPath();
            g.arc(x + w / 2, y + h / 2, w / 2 - 0.5, 0, 2 * Math.PI);
            g.fill();
            g.stroke();
            break;
          case Kind.Panel: case Kind.Button: case Kind.StatusBar:
            g.fillRect(x, y, w, h);
            g.strokeStyle = '#808080';
            g.strokeRect(x + 0.5, y + 0.5, w - 1, h - 1);
            g.fillStyle = style.color;
            if (control.kind === Kind.Button) {
              g.textAlign = 'center';
              g.fillText(element.textContent, x + w / 2, y + h / 2);
              g.textAlign = 'left';
            } else if (control.kind === Kind.StatusBar) {
              g.fillText(element.textContent, x + 4, y + h / 2);
            }
            break;
          case Kind.Label:
            g.fillStyle = style.color;
            element.textContent.split('\n').forEach((line, i) =>
              g.fillText(line, x, y + (i + 0.5) * parseFloat(style.lineHeight)));
            break;
          case Kind.TrackBar: {
            const at = (element.value - element.min) / (element.max - element.min || 1);
            g.fillStyle = '#808080';
            g.fillRect(x + 6, y + h / 2 - 2, w - 12, 4);
            g.fillStyle = '#3b6fd4';
            g.fillRect(x + 6 + at * (w - 12) - 5, y + h / 2 - 9, 10, 18);
            break;
          }
          case Kind.SpinEdit: case Kind.ComboBox: {
            const text = control.kind === Kind.SpinEdit ? element.firstChild.value
              : element.selectedIndex >= 0 ? element.options[element.selectedIndex].text : '';
            g.fillStyle = '#fff';
            g.fillRect(x, y, w, h);
            g.strokeStyle = '#808080';
            g.strokeRect(x + 0.5, y + 0.5, w - 1, h - 1);
            g.fillStyle = style.color;
            g.fillText(text, x + 4, y + h / 2);
            g.fillText(control.kind === Kind.SpinEdit ? '\u2195' : '\u25be', x + w - 12, y + h / 2);
            break;
          }
          case Kind.CheckBox:
            g.fillStyle = '#fff';
            g.fillRect(x + 2, y + h / 2 - 6, 12, 12);
            g.strokeRect(x + 2.5, y + h / 2 - 5.5, 11, 11);
            g.fillStyle = style.color;
            if (element.firstChild.checked) g.fillText('\u2713', x + 3, y + h / 2);
            g.fillText(element.textContent, x + 20, y + h / 2);
            break;
          default: break;
        }
      }
      return g.getImageData(0, 0, width, height).data;
    },

    offerFile(name, bytes) {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: name.endsWith('.png') ? 'image/png' : 'text/plain' }));
      link.download = name;
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    },

    showRates(rounds, repaints) {
      if (query.has('stats') && QpxPage.statusBar)
        QpxPage.statusBar.rates.textContent = `${Math.round(rounds)} passes/s, ${Math.round(repaints)} repaints/s`;
    },

    // A file the user chose or dropped: the program gets a copy it can
    // read, the same way whatever the file is, tells a state file from a
    // recording by its content, checks it as one given at start and says
    // in the status bar what it made of it. Nothing is refused here. The
    // file is read once and the copy takes over those bytes; the program
    // removes the copy once it has read it. fallback: the copy's name when
    // the file's own leaves nothing usable; folder: a folder was dropped.
    openFile(file, fallback, folder) {
      const name = copyName(file.name, fallback);
      if (folder) {
        // An empty folder by its name, which the program's readers refuse
        // as they refuse a folder given at start.
        handOver(name, () => Module.FS.mkdir(name));
        return;
      }
      file.arrayBuffer().then(
        (bytes) => handOver(name, () => Module.FS.writeFile(name, new Uint8Array(bytes), { canOwn: true })),
        // Gone or changed since it was chosen: the program finds no copy
        // and says it cannot open it.
        (error) => {
          console.warn(`${file.name}: the browser could not read it: ${error.message}`);
          handOver(name, () => {});
        });
    },
  };
})();

var Module = {
  arguments: QpxPage.arguments(),
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  // The program works in a folder of its own, where the copies of opened
  // files and the files it saves for download go, so that no file's name
  // meets the system's folders (/tmp, /dev, ...).
  preRun: [() => {
    Module.FS.mkdir('/files');
    Module.FS.chdir('/files');
  }],
};

// Load state and Load recording differ only in what their choosers offer
// first: either takes either kind of file.
for (const [id, fallback] of [['load-state', 'state.toml'], ['load-recording', 'recording.csv']]) {
  document.getElementById(id).addEventListener('change', (event) => {
    const file = event.target.files[0];
    if (file) QpxPage.openFile(file, fallback, false);
    event.target.value = '';
  });
}

// A file dragged over the page lights the whole page up; dropped anywhere,
// its first file is opened as a chosen one is. Drags of anything but files
// (text, pictures of the page) are left to the browser.
(() => {
  const carriesFiles = (event) => event.dataTransfer && event.dataTransfer.types.includes('Files');
  const light = (on) => document.documentElement.classList.toggle('dropping', on);
  // Entering a child is reported before leaving its parent: the page is
  // left when every element entered has been left.
  let entered = 0;
  document.addEventListener('dragenter', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    ++entered;
    light(true);
  });
  document.addEventListener('dragover', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    event.dataTransfer.dropEffect = 'copy';
  });
  document.addEventListener('dragleave', (event) => {
    if (!carriesFiles(event) || --entered > 0) return;
    entered = 0;
    light(false);
  });
  // A drop on a chooser comes here too, and the chooser's own taking of it
  // is cancelled: every drop goes the one way.
  document.addEventListener('drop', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    entered = 0;
    light(false);
    const item = Array.from(event.dataTransfer.items).find((each) => each.kind === 'file');
    const file = item ? item.getAsFile() : event.dataTransfer.files[0];
    if (!file) return;
    // Whether it is a folder can only be asked during the drop.
    const entry = item && item.webkitGetAsEntry ? item.webkitGetAsEntry() : null;
    QpxPage.openFile(file, 'dropped', entry !== null && entry.isDirectory);
  });
})();
