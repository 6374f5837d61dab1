// The form's handlers only store values into the state record; the
// instrument itself runs inside Button1Click. The functions the instrument
// asks of its window (instrument/host_link.h) are answered from the controls
// of the form that registered them.
#include "host/form/Pcmain.h"

#include <cstdio>

#include "host/face/face_picture.h"
#include "instrument/host_link.h"
#include "instrument/main_cycle.h"
#include "instrument/state.h"

// Time each splash frame stays on screen, so that the splash plays over
// about two and a half seconds.
constexpr int SplashFrameMs = 30;

// --- What the instrument asks of the window ---
// Registered by the newest form and answered from its controls.

static TForm1 *linkedForm = nullptr;

static void FormPresentLcd()
{
    TImage &image = linkedForm->Image1;
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 64; ++y) {
            bool on = (state.lcdFrame[(y / 8) * 128 + x] >> (y % 8)) & 1;
            TColor color = on ? clBlack : clInactiveBorder;
            image.SetPixel(2 * x, 2 * y, color);
            image.SetPixel(2 * x + 1, 2 * y, color);
            image.SetPixel(2 * x, 2 * y + 1, color);
            image.SetPixel(2 * x + 1, 2 * y + 1, color);
        }
    }
}

static void FormPumpMessages() { Application->ProcessMessages(); }

static uint32_t FormReadRpmSlider()
{
    int position = linkedForm->TrackBar2.Position();
    char caption[16];
    snprintf(caption, sizeof caption, "%d", position);
    linkedForm->Label3.SetCaption(caption);
    return (uint32_t)position;
}

static uint8_t FormCalibrateBoxTicked() { return linkedForm->CheckBox2.Checked() ? 1 : 0; }
static uint8_t FormKeyFastBoxTicked() { return linkedForm->CheckBox3.Checked() ? 1 : 0; }

static void FormSetAlarmLamp(uint8_t red, uint8_t green, uint8_t blue)
{
    linkedForm->Shape1.SetBrushColor({red, green, blue});
}

static void FormSetLcdVisible(uint8_t visible) { linkedForm->Image1.SetVisible(visible != 0); }

static void FormPaceSplashPass() { Application->ProcessMessagesFor(SplashFrameMs); }

static const HostLink FormLink = {
    .presentLcd = FormPresentLcd,
    .pumpMessages = FormPumpMessages,
    .readRpmSlider = FormReadRpmSlider,
    .calibrateBoxTicked = FormCalibrateBoxTicked,
    .keyFastBoxTicked = FormKeyFastBoxTicked,
    .setAlarmLamp = FormSetAlarmLamp,
    .setLcdVisible = FormSetLcdVisible,
    .paceSplashPass = FormPaceSplashPass,
};

TForm1::TForm1() : TForm(621, 404, "Corvan QPX-2")
{
    Image2.stretch = true;
    Image2.LoadJpeg(FacePictureJpeg, FacePictureJpegSize);
    Image3.OnClick = [this] { Image3Click(); };
    Image5.OnClick = [this] { Image5Click(); };
    Image6.OnClick = [this] { Image6Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    TrackBar1.OnChange = [this] { TrackBar1Change(); };
    Button1.SetTabOrder(0);
    Button2.SetTabOrder(1);
    linkedForm = this;
    RegisterHostLink(FormLink);
}

// A newer form may have taken over the link already: leave it be.
TForm1::~TForm1()
{
    if (linkedForm != this)
        return;
    UnregisterHostLink();
    linkedForm = nullptr;
}

// A key waits until the active screen consumes it; keys in between are lost.
void TForm1::StoreKey(uint8_t key)
{
    if (state.pendingKey == 0)
        state.pendingKey = key;
}

void TForm1::Image5Click() { StoreKey(KeyCentre); }
void TForm1::Button3Click() { StoreKey(KeyClockwise); }
void TForm1::Button4Click() { StoreKey(KeyAntiClockwise); }
void TForm1::Image3Click() { StoreKey(KeyLeft); }
void TForm1::Image6Click() { StoreKey(KeyRight); }

// ON runs the instrument until OFF or until the window closes. ON pressed
// while it already runs restarts it. A nested power-on would reset at once
// and take the rest of this message round inside its splash; rather than
// nesting (and growing the stack with every press), ON resets right here,
// so that what arrives after it in the same round survives while what came
// before is cleared, and the running loop plays the splash itself.
void TForm1::Button1Click()
{
    if (Application->Terminated())
        return;
    PowerOnReset();
    if (running_) {
        restartRequested_ = true;
        return;
    }
    running_ = true;
    do {
        restartRequested_ = false;
        PowerOnSplash();
        while (state.powerOffRequest == 0 && !restartRequested_ && !Application->Terminated())
            MainCyclePass();
    } while (restartRequested_ && !Application->Terminated());
    running_ = false;
}

void TForm1::Button2Click() { state.powerOffRequest = 1; }

void TForm1::TrackBar1Change()
{
    state.simPressureInput = TrackBar1.Position();
    Label13.SetCaption(std::to_string(TrackBar1.Position()));
}

// Every 100 ms: the blink phase flips on every 11th tick, the magneto-check
// countdown steps on every 20th.
void TForm1::Timer1Timer()
{
    uint8_t old = state.blinkTickCount;
    state.blinkTickCount = (uint8_t)(old + 1);
    if (old > 9) {
        state.blinkTickCount = 0;
        state.blinkPhase = state.blinkPhase > 0 ? 0 : 1;
    }
    old = state.slowTickCount;
    state.slowTickCount = (uint8_t)(old + 1);
    if (old < 19)
        return;
    state.slowTickCount = 0;
    if (state.magCheckTimer > 0)
        --state.magCheckTimer;
}

// Every 500 ms: the engine pulse gate.
void TForm1::Timer2Timer()
{
    state.rpmGateCount = state.simPulseCount;
    state.simPulseCount = 0;
}

void TForm1::Timer3Timer() { state.secondTick = 1; }
