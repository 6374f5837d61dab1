// The program's side of host/web/page_link.h: each call is handed to the
// page's script (QpxPage, host/web/page/page.js) with the program's memory
// read into JavaScript values. The two waits suspend the program through
// Asyncify and resume it when the page calls back.
mergeInto(LibraryManager.library, {
  qpx_page_create: function (id, parent, form, kind, left, top, width, height, look) {
    QpxPage.create(id, parent, form, kind, left, top, width, height, look);
  },
  qpx_page_remove: function (id) {
    QpxPage.remove(id);
  },
  qpx_page_set_texts: function (id, caption, hint) {
    QpxPage.setTexts(id, UTF8ToString(caption), UTF8ToString(hint));
  },
  qpx_page_set_state: function (id, visible, color, value, min, max) {
    QpxPage.setState(id, visible !== 0, color, value, min, max);
  },
  qpx_page_paint: function (id, pixels, width, height) {
    QpxPage.paint(id, HEAPU32.subarray(pixels >> 2, (pixels >> 2) + width * height), width, height);
  },
  qpx_page_display_texts: function (id, texts) {
    QpxAccess.displayTexts(id, UTF8ToString(texts));
  },
  qpx_page_show_jpeg: function (id, jpeg, size) {
    QpxPage.showJpeg(id, HEAPU8.slice(jpeg, jpeg + size));
  },
  qpx_page_show_form: function (id, beside) {
    QpxPage.showForm(id, beside);
  },
  qpx_page_hide_form: function (id) {
    QpxPage.hideForm(id);
  },
  qpx_page_next_event: function (fields) {
    var event = QpxPage.nextEvent();
    if (!event) return 0;
    for (var i = 0; i < QpxCodes.EventFields; ++i) HEAP32[(fields >> 2) + i] = event.fields[i] | 0;
    QpxPage.eventText = event.text || '';
    return event.kind;
  },
  qpx_page_event_text: function (text, size) {
    stringToUTF8(QpxPage.eventText, text, size);
  },
  qpx_page_wait: function (ms) {
    Asyncify.handleSleep(function (wakeUp) {
      QpxPage.wait(ms, wakeUp);
    });
  },
  qpx_page_capture: function (form, rgba, width, height) {
    var pixels = QpxPage.capture(form, width, height);
    if (!pixels) return 0;
    HEAPU8.set(pixels, rgba);
    return 1;
  },
  qpx_page_offer_file__deps: ['$FS'],
  qpx_page_offer_file: function (path) {
    var name = UTF8ToString(path);
    try {
      QpxPage.offerFile(name.substring(name.lastIndexOf('/') + 1), FS.readFile(name));
    } catch (error) {
      console.error('cannot offer ' + name + ' for download: ' + error.message + ' ' + error.errno);
    }
  },
  qpx_page_rates: function (rounds, repaints) {
    QpxPage.showRates(rounds, repaints);
  },
  qpx_page_demo: function (on) {
    QpxDemo.show(on !== 0);
  },
  qpx_page_demo_touched: function () {
    return QpxDemo.touched() ? 1 : 0;
  },
});
