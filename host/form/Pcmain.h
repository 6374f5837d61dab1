// The simulator's window: a picture of the instrument face with click areas
// over its keys and knob, the display, the alarm lamp, ON and OFF, the
// sensor sliders and the two service check boxes.
#pragma once
#include "host/toolkit.h"

class TForm1 : public TForm {
  public:
    TForm1();
    ~TForm1() override;

    TImage Image2{this, {0, 0, 336, 323}}; // the instrument face
    TShape Shape1{this, {154, 16, 29, 29}, clRed};
    TImage Image3{this, {73, 240, 49, 49}};  // over F1
    TImage Image5{this, {144, 253, 49, 49}}; // over the knob
    TImage Image6{this, {213, 240, 49, 49}}; // over F2
    TButton Button3{this, {88, 295, 61, 25}, "Clockwise"};
    TButton Button4{this, {184, 295, 73, 25}, "AntiClockwise"};
    TPanel Panel1{this, {39, 92, 259, 131}, clScrollBar};
    TImage Image1{&Panel1, {1, 1, 257, 129}}; // the display
    TButton Button1{this, {24, 328, 129, 49}, "ON"};
    TButton Button2{this, {176, 328, 137, 49}, "OFF"};
    TLabel Label1{this, 344, 16, "Pressure"};
    TLabel Label13{this, 392, 16, "0"};
    TTrackBar TrackBar1{this, {416, 8, 201, 45}, 0, 4096, 1};
    TLabel Label2{this, 344, 48, "RPM"};
    TLabel Label3{this, 392, 48, "0"};
    TTrackBar TrackBar2{this, {416, 40, 201, 45}, 0, 4096, 1};
    TCheckBox CheckBox2{this, {360, 104, 97, 17}, "Calibrate"};
    TCheckBox CheckBox3{this, {472, 104, 97, 17}, "KeyFast"};
    TStatusBar StatusBar1{this, {0, 385, 621, 19}};
    TTimer Timer1{100, [this] { Timer1Timer(); }};
    TTimer Timer2{500, [this] { Timer2Timer(); }};
    // The one-second event of the engine time keeping.
    TTimer Timer3{1000, [this] { Timer3Timer(); }};

    void Image3Click();
    void Image5Click();
    void Image6Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void TrackBar1Change();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();

    // True while ON's power-on sequence or main cycle runs.
    bool InstrumentRunning() const { return running_; }

  private:
    void StoreKey(uint8_t key);
    bool running_ = false;
    bool restartRequested_ = false;
};
