#include "host/fltk/fltk_widgets.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

namespace {

long canvasRepaints = 0;

// Repaints a rectangle of the window with everything in it, for widgets that
// do not cover their whole rectangle.
void DamageArea(Fl_Widget &widget, int x, int y, int w, int h)
{
    if (Fl_Window *window = widget.window())
        window->damage(FL_DAMAGE_ALL, x, y, w, h);
}

// Bilinear resampling of an RGB picture to another size.
std::vector<uint8_t> Resample(const std::vector<uint8_t> &source, int sw, int sh, int dw, int dh)
{
    std::vector<uint8_t> out((size_t)dw * dh * 3);
    for (int y = 0; y < dh; ++y) {
        double fy = std::clamp((y + 0.5) * sh / dh - 0.5, 0.0, sh - 1.0);
        int y0 = (int)fy, y1 = std::min(y0 + 1, sh - 1);
        double wy = fy - y0;
        for (int x = 0; x < dw; ++x) {
            double fx = std::clamp((x + 0.5) * sw / dw - 0.5, 0.0, sw - 1.0);
            int x0 = (int)fx, x1 = std::min(x0 + 1, sw - 1);
            double wx = fx - x0;
            for (int c = 0; c < 3; ++c) {
                auto at = [&](int px, int py) { return (double)source[((size_t)py * sw + px) * 3 + c]; };
                double top = at(x0, y0) * (1 - wx) + at(x1, y0) * wx;
                double bottom = at(x0, y1) * (1 - wx) + at(x1, y1) * wx;
                out[((size_t)y * dw + x) * 3 + c] = (uint8_t)(top * (1 - wy) + bottom * wy + 0.5);
            }
        }
    }
    return out;
}

// Each pixel of an RGB picture as a block of the destination size's share,
// nearest neighbour.
std::vector<uint8_t> ScaleNearest(const std::vector<uint8_t> &source, int sw, int sh, int dw, int dh)
{
    std::vector<uint8_t> out((size_t)dw * dh * 3);
    std::vector<int> columns((size_t)dw);
    for (int x = 0; x < dw; ++x)
        columns[(size_t)x] = std::min(sw - 1, (int)((int64_t)x * sw / dw));
    for (int y = 0; y < dh; ++y) {
        const uint8_t *row = &source[(size_t)std::min(sh - 1, (int)((int64_t)y * sh / dh)) * sw * 3];
        uint8_t *to = &out[(size_t)y * dw * 3];
        for (int x = 0; x < dw; ++x, to += 3)
            std::copy_n(row + (size_t)columns[(size_t)x] * 3, 3, to);
    }
    return out;
}

} // namespace

PictureBox::PictureBox(TImage &image, int x, int y)
    : Fl_Widget(x, y, image.Bounds().width, image.Bounds().height), image_(image)
{
    box(FL_NO_BOX);
    Refresh();
}

// Only a new version of the picture is compared with the one shown: hiding
// and showing the image marks it changed without touching its pixels.
void PictureBox::Refresh()
{
    if (image_.Version() == lastVersion_)
        return;
    lastVersion_ = image_.Version();
    if (!image_.CopyIfChanged(lastPicture_))
        return;
    bool wasShown = !shown_.empty();
    if (image_.Empty()) {
        shown_.clear();
        if (wasShown)
            DamageArea(*this, x(), y(), w(), h());
        return;
    }
    if (image_.stretch) {
        shown_ = Resample(image_.RgbPixels(), image_.PictureWidth(), image_.PictureHeight(), w(), h());
        shownWidth_ = w();
        shownHeight_ = h();
    } else if (zoom_ == 1) {
        // The display repaints often: its pixels become RGB in place, in
        // the buffer of the last repaint.
        shown_.resize(lastPicture_.size() * 3);
        uint8_t *to = shown_.data();
        for (const uint32_t pixel : lastPicture_) {
            *to++ = (uint8_t)(pixel >> 16);
            *to++ = (uint8_t)(pixel >> 8);
            *to++ = (uint8_t)pixel;
        }
        shownWidth_ = image_.PictureWidth();
        shownHeight_ = image_.PictureHeight();
    } else {
        shownWidth_ = (int)std::lround(image_.PictureWidth() * zoom_);
        shownHeight_ = (int)std::lround(image_.PictureHeight() * zoom_);
        shown_ = ScaleNearest(image_.RgbPixels(), image_.PictureWidth(), image_.PictureHeight(), shownWidth_,
                              shownHeight_);
    }
    redraw();
}

void PictureBox::SetZoom(double zoom)
{
    zoom_ = zoom;
    // Shown anew at the new size, whatever the version.
    lastVersion_ = ~0ull;
    lastPicture_.clear();
    Refresh();
}

void PictureBox::draw()
{
    if (shown_.empty())
        return;
    fl_push_clip(x(), y(), w(), h());
    fl_draw_image(shown_.data(), x(), y(), shownWidth_, shownHeight_, 3);
    fl_pop_clip();
    if (!image_.stretch)
        ++canvasRepaints;
}

int PictureBox::handle(int event)
{
    switch (event) {
    case FL_PUSH:
        return image_.OnClick ? 1 : 0;
    case FL_RELEASE:
        if (Fl::event_inside(this))
            image_.Click();
        return 1;
    case FL_ENTER:
    case FL_MOVE:
    case FL_LEAVE:
        // Taking the pointer makes this the widget under it, whose tooltip
        // shows; an image without either lets the one beneath have it.
        return image_.OnClick || tooltip() ? 1 : 0;
    default:
        return Fl_Widget::handle(event);
    }
}

long PictureBox::TakeCanvasRepaints()
{
    long count = canvasRepaints;
    canvasRepaints = 0;
    return count;
}

LampCircle::LampCircle(TShape &shape, int x, int y)
    : Fl_Widget(x, y, shape.Bounds().width, shape.Bounds().height), shape_(shape), shown_(shape.BrushColor())
{
    box(FL_NO_BOX);
}

void LampCircle::Refresh()
{
    if (shape_.BrushColor() == shown_)
        return;
    shown_ = shape_.BrushColor();
    DamageArea(*this, x(), y(), w(), h());
}

void LampCircle::draw()
{
    int d = std::min(w(), h()) - 1;
    int cx = x() + (w() - 1 - d) / 2, cy = y() + (h() - 1 - d) / 2;
    fl_color(fl_rgb_color(shown_.r, shown_.g, shown_.b));
    fl_pie(cx, cy, d, d, 0, 360);
    fl_color(FL_BLACK);
    fl_arc(cx, cy, d, d, 0, 360);
}

CaptionLabel::CaptionLabel(TControl &label, int x, int y, Fl_Font font, int fontSize)
    : Fl_Widget(x, y, 1, 1), label_(label), font_(font), fontSize_(fontSize)
{
    box(FL_NO_BOX);
    Fit();
}

void CaptionLabel::Fit()
{
    fl_font(font_, fontSize_);
    int width = 0, height = 0;
    fl_measure(label_.Caption().c_str(), width, height, 0);
    size(std::max(width, 1), std::max(height, 1));
}

void CaptionLabel::SetFontSize(int fontSize)
{
    fontSize_ = fontSize;
    Fit();
    redraw();
}

void CaptionLabel::Refresh()
{
    int oldW = w(), oldH = h();
    Fit();
    DamageArea(*this, x(), y(), std::max(oldW, w()), std::max(oldH, h()));
}

void CaptionLabel::draw()
{
    fl_font(font_, fontSize_);
    fl_color(FL_BLACK);
    fl_draw(label_.Caption().c_str(), x(), y(), w(), h(), FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
}

namespace {
// The arrows' width beside the field.
constexpr int ArrowWidth = 16;
} // namespace

SpinBox::SpinBox(TSpinEdit &spin, int x, int y, int w, int h)
    : Fl_Group(x, y, w, h), spin_(spin), input_(x, y, w - ArrowWidth, h),
      up_(x + w - ArrowWidth, y, ArrowWidth, h / 2),
      down_(x + w - ArrowWidth, y + h / 2, ArrowWidth, h - h / 2)
{
    end();
    resizable(&input_);
    input_.when(FL_WHEN_ENTER_KEY_ALWAYS | FL_WHEN_RELEASE_ALWAYS);
    input_.callback(
        [](Fl_Widget *w, void *data) {
            static_cast<TSpinEdit *>(data)->SetText(static_cast<Fl_Input *>(w)->value());
        },
        &spin_);
    up_.label("@-28>");
    down_.label("@-22>");
    up_.callback([](Fl_Widget *, void *data) { static_cast<TSpinEdit *>(data)->StepBy(1); }, &spin_);
    down_.callback([](Fl_Widget *, void *data) { static_cast<TSpinEdit *>(data)->StepBy(-1); }, &spin_);
    up_.clear_visible_focus();
    down_.clear_visible_focus();
    input_.value(spin_.Text().c_str());
}

void SpinBox::Refresh()
{
    // Typing: the field keeps the user's text until Enter or leaving it.
    if (Fl::focus() == &input_ && input_.changed())
        return;
    const std::string text = spin_.Text();
    if (text != input_.value())
        input_.value(text.c_str());
}

int SpinBox::handle(int event)
{
    if (event == FL_MOUSEWHEEL && Fl::event_dy() != 0) {
        spin_.StepBy(-Fl::event_dy());
        return 1;
    }
    if (event == FL_KEYBOARD && Fl::focus() == &input_ &&
        (Fl::event_key() == FL_Up || Fl::event_key() == FL_Down)) {
        if (input_.changed())
            spin_.SetText(input_.value());
        spin_.StepBy(Fl::event_key() == FL_Up ? 1 : -1);
        return 1;
    }
    return Fl_Group::handle(event);
}

ChoiceList::ChoiceList(TComboBox &box, int x, int y, int w, int h) : Fl_Choice(x, y, w, h), box_(box)
{
    callback(
        [](Fl_Widget *w, void *data) {
            static_cast<TComboBox *>(data)->SetItemIndex(static_cast<Fl_Choice *>(w)->value());
        },
        &box_);
    Refresh();
}

void ChoiceList::Refresh()
{
    if (box_.Items() != shownItems_) {
        shownItems_ = box_.Items();
        clear();
        for (const std::string &item : shownItems_)
            add(item.c_str(), 0, nullptr, nullptr, 0);
    }
    if (value() != box_.ItemIndex())
        value(box_.ItemIndex());
}
