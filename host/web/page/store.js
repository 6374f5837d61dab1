// What the page keeps in this browser (QpxKeep), for the program to take
// from its own loop (host/web/browser_keep.cpp):
// - the settings file of the desktop program (zoom and pass-rate limit) in
//   local storage, always, as the desktop keeps it in its settings folder;
// - with "Keep engine time in this browser" ticked (off until the user
//   ticks it), the program's store (Hobbs and maintenance time, access code,
//   flight log, settings) in IndexedDB, read back before the program starts.
//   Each save puts the whole file as one record in one transaction: a reload
//   during a save loses at most that save.
'use strict';

const QpxKeep = (() => {
  const SettingsKey = 'qpx-sim.settings', KeepKey = 'qpx-sim.keep-engine-time';
  const DatabaseName = 'qpx-sim', TableName = 'kept', StoreRecord = 'store';
  let keptStore = null; // the store's bytes as read at start; null: none
  let database = null;

  // Local storage may be refused (private windows, a full disk): nothing
  // is then remembered, and the page runs as it would on a first visit.
  function readLocal(key) {
    try {
      return localStorage.getItem(key);
    } catch (error) {
      return null;
    }
  }
  function writeLocal(key, text) {
    try {
      if (text === null) localStorage.removeItem(key);
      else localStorage.setItem(key, text);
    } catch (error) {
      console.warn(`the browser keeps nothing for this page: ${error.message}`);
    }
  }

  function openDatabase() {
    return new Promise((done, failed) => {
      const request = indexedDB.open(DatabaseName, 1);
      request.onupgradeneeded = () => request.result.createObjectStore(TableName);
      request.onsuccess = () => done(request.result);
      request.onerror = () => failed(request.error);
    });
  }

  // One request in one transaction, done when the transaction is.
  function inTransaction(mode, act) {
    return new Promise((done, failed) => {
      const transaction = database.transaction(TableName, mode);
      const request = act(transaction.objectStore(TableName));
      transaction.oncomplete = () => done(request.result);
      transaction.onerror = transaction.onabort = () => failed(transaction.error);
    });
  }

  let wanted = readLocal(KeepKey) === '1';
  const box = document.createElement('input');
  box.type = 'checkbox';
  box.id = 'keep-engine-time';
  box.checked = wanted;
  box.addEventListener('change', () => {
    wanted = box.checked;
    writeLocal(KeepKey, wanted ? '1' : null);
  });
  const label = document.createElement('label');
  label.title = 'Keeps the Hobbs and maintenance time, the access code, the flight log and the settings here ' +
    'between visits; F5 downloads them as a state file, Load state brings one in';
  label.append(box, ' Keep engine time in this browser');
  document.getElementById('tools').prepend(label);

  return {
    // Reads the kept store before the program starts (Module.preRun).
    load() {
      if (typeof indexedDB === 'undefined') return Promise.resolve();
      return openDatabase().then((opened) => {
        database = opened;
        return inTransaction('readonly', (table) => table.get(StoreRecord));
      }).then((bytes) => {
        keptStore = bytes instanceof Uint8Array ? bytes : null;
      }, (error) => console.warn(`the engine time kept in this browser cannot be read: ${error}`));
    },
    get wanted() { return wanted; },
    get keptStore() { return keptStore; },
    settingsText() { return readLocal(SettingsKey); },
    keepSettings(text) { writeLocal(SettingsKey, text); },
    // The whole store file as one record; null forgets it.
    keepStore(bytes) {
      if (!database) return;
      keptStore = bytes;
      inTransaction('readwrite', (table) => bytes ? table.put(bytes, StoreRecord) : table.delete(StoreRecord))
        .catch((error) => console.warn(`the engine time cannot be kept in this browser: ${error}`));
    },
  };
})();

Module.preRun.push(() => {
  addRunDependency('kept store');
  QpxKeep.load().then(() => removeRunDependency('kept store'));
});
