// What the browser backend asks of its page (host/web/page_link.js, which
// hands each call to the page's script, host/web/page/page.js). The page
// only draws what it is told and queues what the user does; the program
// takes the queued events itself, from its own loop, so that the page never
// calls into the program while the program is suspended.
#pragma once
#include <cstdint>

extern "C" {

// The kinds of event the page queues; an event is its kind and up to five
// numbers (PageEventFields). The enum is made from this list, and the page's
// script gets their codes from the same list (page_codes.cpp).
#define QPX_PAGE_EVENT_KINDS(X)                                                                              \
    X(PageNoEvent)                                                                                           \
    X(PageClick)     /* control */                                                                           \
    X(PageSlider)    /* control, position */                                                                 \
    X(PageCheckBox)  /* control, ticked */                                                                   \
    X(PageKey)       /* form, key (TKey), repeat, ctrlOrAlt, focused control (0: none) */                    \
    X(PageWheel)     /* form, x, y, notches (negative: away from the user) */                                \
    X(PageCloseForm) /* form */                                                                              \
    X(PageOpenFile)  /* form; the path is the event's text */                                                \
    X(PageSpinText)  /* control; what the user typed is the event's text */                                  \
    X(PageSpinStep)  /* control, steps (negative: down) */                                                   \
    X(PageChoice)    /* control, line picked */
enum PageEventKind : int32_t {
#define QPX_PAGE_EVENT_KIND(name) name,
    QPX_PAGE_EVENT_KINDS(QPX_PAGE_EVENT_KIND)
#undef QPX_PAGE_EVENT_KIND
};
constexpr int PageEventFields = 5;

// A label's font in the page: the form's, one whose characters all have the
// same width, or about twice the size.
constexpr int32_t LabelLookNormal = 0, LabelLookFixedPitch = 1, LabelLookLarge = 2;

// Builds the element of a control, inside its parent's (0: the page) and
// in the panel of form; kind is a TControlKind. look: a label's font, one
// of the LabelLook values.
void qpx_page_create(int32_t id, int32_t parent, int32_t form, int32_t kind, int32_t left, int32_t top,
                     int32_t width, int32_t height, int32_t look);
void qpx_page_remove(int32_t id);
// The control's caption and tooltip; a spin box's caption is its value as
// shown, a choice list's its lines, one a line.
void qpx_page_set_texts(int32_t id, const char *caption, const char *hint);
// Visible, colour as 0xRRGGBB, and the slider's position, the check box's
// tick or the choice list's line (value); min and max: a slider's range.
void qpx_page_set_state(int32_t id, int32_t visible, int32_t color, int32_t value, int32_t min, int32_t max);
// Pixels 0x00RRGGBB, row by row.
void qpx_page_paint(int32_t id, const uint32_t *pixels, int32_t width, int32_t height);
// The texts drawn into the image's pixels just painted, in reading order,
// one row a line: the display's text alternative.
void qpx_page_display_texts(int32_t id, const char *texts);
// The picture is a JPEG for the browser to decode, stretched to the element.
void qpx_page_show_jpeg(int32_t id, const uint8_t *jpeg, int32_t size);
void qpx_page_show_form(int32_t id, int32_t beside);
void qpx_page_hide_form(int32_t id);

// The oldest queued event into fields; its kind, PageNoEvent when none.
int32_t qpx_page_next_event(int32_t *fields);
// The text of the event last taken (a path), cut to size - 1 bytes.
void qpx_page_event_text(char *text, int32_t size);
// Gives the browser its event loop back and returns when it comes back
// round: at once, or after ms milliseconds, sooner if the page queues an
// event meanwhile (ms < 0: until it does).
void qpx_page_wait(int32_t ms);

// The form's client area as the page shows it, RGBA row by row into rgba
// (width x height x 4 bytes); 0 when the page cannot draw it.
int32_t qpx_page_capture(int32_t form, uint8_t *rgba, int32_t width, int32_t height);
// Hands the file at path to the user as a download.
void qpx_page_offer_file(const char *path);
// Main-cycle message rounds and display repaints of the last second.
void qpx_page_rates(double rounds, double repaints);
// Shows the Demo badge while a demo plays (on), or takes it away.
void qpx_page_demo(int32_t on);
// 1 once the user has touched, clicked or typed anywhere on the page since
// the badge was shown (the page takes the badge away at once); 0 otherwise.
int32_t qpx_page_demo_touched();
}
