// The FLTK widgets behind the toolkit's pictures, lamp and labels; the other
// controls map onto stock FLTK widgets.
#pragma once
#include <FL/Fl_Choice.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Repeat_Button.H>
#include <FL/Fl_Widget.H>

#include <cstdint>
#include <string>
#include <vector>

#include "host/toolkit.h"

struct TNative {
    Fl_Widget *widget;      // none for a timer
    int64_t lastFireUs = 0; // a timer: when it last fired or was enabled
};

// A TImage: its picture (stretched or not), or nothing at all while it is
// empty, so that an empty image is a transparent click area.
class PictureBox : public Fl_Widget {
  public:
    PictureBox(TImage &image, int x, int y);
    // Takes the image's pixels if they changed since they were last shown.
    void Refresh();
    // A painted picture's pixels become zoom x zoom squares (nearest
    // neighbour, so that the display's dots stay crisp); a stretched one
    // fills the widget, smoothly scaled.
    void SetZoom(double zoom);
    // Repaints of painted canvases (the display) since the last call.
    static long TakeCanvasRepaints();

  protected:
    void draw() override;
    int handle(int event) override;

  private:
    TImage &image_;
    std::vector<uint32_t> lastPicture_; // the picture as last shown
    uint64_t lastVersion_ = ~0ull;      // and its version
    std::vector<uint8_t> shown_;        // the same as RGB, scaled if stretched or zoomed
    int shownWidth_ = 0, shownHeight_ = 0;
    double zoom_ = 1;
};

// A TShape: a circle in the brush colour with a black outline.
class LampCircle : public Fl_Widget {
  public:
    LampCircle(TShape &shape, int x, int y);
    void Refresh();

  protected:
    void draw() override;

  private:
    TShape &shape_;
    TColor shown_;
};

// A TLabel: its caption, left aligned, the widget sized to fit it.
class CaptionLabel : public Fl_Widget {
  public:
    CaptionLabel(TControl &label, int x, int y, Fl_Font font, int fontSize);
    void Refresh();
    void SetFontSize(int fontSize);

  protected:
    void draw() override;

  private:
    void Fit();
    TControl &label_;
    Fl_Font font_;
    int fontSize_;
};

// A TSpinEdit: a text field with an up and a down arrow beside it. What is
// typed counts when the user presses Enter or leaves the field; the control
// clamps it and the field shows the value it kept. The wheel over it steps.
class SpinBox : public Fl_Group {
  public:
    SpinBox(TSpinEdit &spin, int x, int y, int w, int h);
    // Shows the control's value, unless the user is typing into the field.
    void Refresh();

  protected:
    int handle(int event) override;

  private:
    TSpinEdit &spin_;
    Fl_Input input_;
    Fl_Repeat_Button up_, down_;
};

// A TComboBox: FLTK's drop-down choice with the control's lines.
class ChoiceList : public Fl_Choice {
  public:
    ChoiceList(TComboBox &box, int x, int y, int w, int h);
    void Refresh();

  private:
    TComboBox &box_;
    std::vector<std::string> shownItems_;
};
