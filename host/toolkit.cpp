// The backend-independent half of the toolkit: each control's own state.
#include "host/toolkit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "host/jpeg_decode.h"

static TApplication application;
TApplication *Application = &application;

TControl::TControl(TControl *parent, TRect bounds, TControlKind kind)
    : parent_(parent), bounds_(bounds), kind_(kind)
{
    if (parent_)
        parent_->children_.push_back(this);
    backend::ControlCreated(*this);
}

TControl::~TControl()
{
    backend::ControlDestroyed(*this);
    if (parent_) {
        auto &siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

// Queued once until the backend has brought the control up to date, however
// often it changes meanwhile.
void TControl::Changed()
{
    if (changed)
        return;
    changed = true;
    backend::ControlChanged(*this);
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    Changed();
}

void TControl::SetCaption(const std::string &caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    Changed();
}

void TControl::SetHint(const std::string &hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    Changed();
}

void TControl::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TImage::LoadJpeg(const uint8_t *data, size_t size)
{
    DecodedPicture picture = DecodeJpeg(data, size);
    jpeg_.assign(data, data + size);
    pictureWidth_ = (size_t)picture.width;
    pictureHeight_ = (size_t)picture.height;
    pixels_.resize((size_t)picture.width * picture.height);
    for (size_t i = 0; i < pixels_.size(); ++i)
        pixels_[i] = Pack({picture.rgb[3 * i], picture.rgb[3 * i + 1], picture.rgb[3 * i + 2]});
    ++version_;
    Changed();
}

void TImage::CreateCanvas()
{
    pictureWidth_ = (size_t)Bounds().width;
    pictureHeight_ = (size_t)Bounds().height;
    pixels_.assign(pictureWidth_ * pictureHeight_, Pack(clWhite));
    ++version_;
    Changed();
}

void TImage::PaintPagedBits(const uint8_t *bytes, int columns, int pages, int scale, TColor on, TColor off)
{
    if (pixels_.empty())
        CreateCanvas();
    const uint32_t colours[2] = {Pack(off), Pack(on)};
    const size_t width = pictureWidth_;
    const int dotColumns = std::min(columns, (int)(width / (size_t)scale));
    const int dotRows = std::min(pages * 8, (int)(pictureHeight_ / (size_t)scale));
    for (int page = 0; page * 8 < dotRows; ++page) {
        const uint8_t *column = bytes + (size_t)page * (size_t)columns;
        const int rows = std::min(8, dotRows - page * 8);
        for (int bit = 0; bit < rows; ++bit) {
            uint32_t *line = &pixels_[(size_t)((page * 8 + bit) * scale) * width];
            uint32_t *out = line;
            for (int x = 0; x < dotColumns; ++x) {
                const uint32_t c = colours[(column[x] >> bit) & 1];
                for (int i = 0; i < scale; ++i)
                    *out++ = c;
            }
            // The dot row's other pixel rows repeat its first.
            for (int i = 1; i < scale; ++i)
                std::copy(line, out, line + (size_t)i * width);
        }
    }
    ++version_;
    Changed();
}

TColor TImage::Pixel(int x, int y) const
{
    if (pixels_.empty() || x < 0 || y < 0 || (size_t)x >= pictureWidth_ || (size_t)y >= pictureHeight_)
        return clWhite;
    uint32_t p = pixels_[(size_t)y * pictureWidth_ + (size_t)x];
    return {(uint8_t)(p >> 16), (uint8_t)(p >> 8), (uint8_t)p};
}

bool TImage::CopyIfChanged(std::vector<uint32_t> &shown) const
{
    if (shown == pixels_)
        return false;
    shown = pixels_;
    return true;
}

std::vector<uint8_t> TImage::RgbPixels() const
{
    std::vector<uint8_t> rgb(pixels_.size() * 3);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        rgb[3 * i] = (uint8_t)(pixels_[i] >> 16);
        rgb[3 * i + 1] = (uint8_t)(pixels_[i] >> 8);
        rgb[3 * i + 2] = (uint8_t)pixels_[i];
    }
    return rgb;
}

TTrackBar::TTrackBar(TControl *parent, TRect bounds, int min, int max, int position)
    : TControl(parent, bounds, TControlKind::TrackBar), min_(min), max_(max), position_(position)
{
}

void TTrackBar::SetPosition(int position)
{
    position = std::clamp(position, min_, max_);
    if (position == position_)
        return;
    position_ = position;
    Changed();
    if (OnChange)
        OnChange();
}

namespace {

double PowerOfTen(int decimals)
{
    double scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    return scale;
}

} // namespace

TSpinEdit::TSpinEdit(TControl *parent, TRect bounds, int32_t min, int32_t max, int32_t step, int decimals)
    : TControl(parent, bounds, TControlKind::SpinEdit), min_(min), max_(max), step_(step),
      decimals_(decimals), raw_(min)
{
}

double TSpinEdit::Value() const { return raw_ / PowerOfTen(decimals_); }

std::string TSpinEdit::Text() const
{
    char text[32];
    snprintf(text, sizeof text, "%.*f", decimals_, Value());
    return text;
}

void TSpinEdit::SetRange(int32_t min, int32_t max, int32_t step, int decimals)
{
    if (min == min_ && max == max_ && step == step_ && decimals == decimals_)
        return;
    min_ = min;
    max_ = std::max(min, max);
    step_ = std::max(step, 1);
    decimals_ = std::clamp(decimals, 0, 6);
    raw_ = std::clamp(raw_, min_, max_);
    Changed();
}

void TSpinEdit::SetRawValue(int32_t raw)
{
    raw = std::clamp(raw, min_, max_);
    if (raw == raw_)
        return;
    raw_ = raw;
    Changed();
    if (OnChange)
        OnChange();
}

void TSpinEdit::SetValue(double value)
{
    const double raw = std::round(value * PowerOfTen(decimals_));
    SetRawValue(!(raw > min_) ? min_ : raw >= max_ ? max_ : (int32_t)raw);
}

// Steps from a value between two steps go to the next whole step first, as
// the sliders' keys do.
void TSpinEdit::StepBy(int steps)
{
    int64_t raw = raw_;
    for (int i = 0; i < std::abs(steps); ++i) {
        const int64_t below = raw - ((raw % step_) + step_) % step_;
        raw = steps > 0 ? below + step_ : below == raw ? raw - step_ : below;
    }
    SetRawValue((int32_t)std::clamp<int64_t>(raw, min_, max_));
}

bool TSpinEdit::SetText(const std::string &text)
{
    const char *start = text.c_str();
    char *end = nullptr;
    const double value = strtod(start, &end);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == start || !end || *end != '\0' || std::isnan(value)) {
        Changed(); // the backend shows the value again instead of the text
        return false;
    }
    SetValue(value);
    Changed();
    return true;
}

TComboBox::TComboBox(TControl *parent, TRect bounds, std::vector<std::string> items)
    : TControl(parent, bounds, TControlKind::ComboBox), items_(std::move(items))
{
}

void TComboBox::SetItemIndex(int index)
{
    index = std::clamp(index, 0, std::max(0, (int)items_.size() - 1));
    if (index == index_)
        return;
    index_ = index;
    Changed();
    if (OnChange)
        OnChange();
}

void TComboBox::SetItems(std::vector<std::string> items)
{
    if (items == items_)
        return;
    items_ = std::move(items);
    index_ = 0;
    Changed();
}

TCheckBox::TCheckBox(TControl *parent, TRect bounds, const std::string &caption)
    : TControl(parent, bounds, TControlKind::CheckBox)
{
    SetCaption(caption);
}

void TCheckBox::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    Changed();
    Click();
}

TShape::TShape(TControl *parent, TRect bounds, TColor brush) : TControl(parent, bounds, TControlKind::Shape)
{
    SetColor(brush);
}

TLabel::TLabel(TControl *parent, int left, int top, const std::string &caption, bool fixedPitch)
    : TControl(parent, {left, top, 0, 0}, TControlKind::Label), fixedPitch_(fixedPitch)
{
    SetCaption(caption);
}

TButton::TButton(TControl *parent, TRect bounds, const std::string &caption)
    : TControl(parent, bounds, TControlKind::Button)
{
    SetCaption(caption);
}

TPanel::TPanel(TControl *parent, TRect bounds, TColor color) : TControl(parent, bounds, TControlKind::Panel)
{
    SetColor(color);
}

TForm::TForm(int clientWidth, int clientHeight, const std::string &caption)
    : TControl(nullptr, {0, 0, clientWidth, clientHeight}, TControlKind::Form)
{
    SetCaption(caption);
    SetVisible(false);
}

TForm::~TForm() = default;

void TForm::Show()
{
    SetVisible(true);
    backend::ShowForm(*this);
}

void TForm::Close()
{
    SetVisible(false);
    backend::HideForm(*this);
    if (Application->MainForm() == this)
        Application->Terminate();
}

bool TForm::Capture(TPicture &picture) { return backend::CaptureForm(*this, picture); }

void TForm::SetZoom(double zoom)
{
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    backend::FormZoomChanged(*this);
}

double TForm::LargestZoom() const { return backend::LargestZoom(*this); }

bool TForm::FilesDropped(const std::string &text)
{
    const std::vector<std::string> paths = DroppedFilePaths(text);
    if (paths.empty() || !OnOpenFile)
        return false;
    OnOpenFile(paths.front());
    return true;
}

void TForm::KeyPressed(const TKeyEvent &key, TControl *focused)
{
    if ((OnKey && OnKey(key)) || !focused)
        return;
    switch (focused->Kind()) {
    case TControlKind::Button:
        if (key.key == vkSpace || key.key == vkReturn)
            focused->Click();
        break;
    case TControlKind::CheckBox:
        if (key.key == vkSpace) {
            auto *box = static_cast<TCheckBox *>(focused);
            box->SetChecked(!box->Checked());
        }
        break;
    case TControlKind::TrackBar: {
        auto *slider = static_cast<TTrackBar *>(focused);
        if (key.key == vkRight || key.key == vkUp)
            slider->SetPosition(slider->Position() + 1);
        if (key.key == vkLeft || key.key == vkDown)
            slider->SetPosition(slider->Position() - 1);
        break;
    }
    case TControlKind::SpinEdit: {
        auto *spin = static_cast<TSpinEdit *>(focused);
        if (key.key == vkUp || key.key == vkPageUp)
            spin->StepBy(key.key == vkUp ? 1 : 10);
        if (key.key == vkDown || key.key == vkPageDown)
            spin->StepBy(key.key == vkDown ? -1 : -10);
        break;
    }
    case TControlKind::ComboBox: {
        auto *box = static_cast<TComboBox *>(focused);
        if (key.key == vkDown || key.key == vkUp)
            box->SetItemIndex(box->ItemIndex() + (key.key == vkDown ? 1 : -1));
        break;
    }
    default:
        break;
    }
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    backend::TimerEnabledChanged(*this);
}

TTimer::TTimer(int intervalMs, std::function<void()> onTimer)
    : intervalMs_(intervalMs), onTimer_(std::move(onTimer))
{
    backend::TimerCreated(*this);
}

TTimer::~TTimer() { backend::TimerDestroyed(*this); }

void TApplication::Initialize() { backend::Initialize(); }

void TApplication::Run()
{
    if (!mainForm_)
        return;
    mainForm_->Show();
    backend::Run();
}

void TApplication::ProcessMessages() { backend::ProcessMessages(); }

void TApplication::ProcessMessagesFor(int ms)
{
    if (!terminated_)
        backend::ProcessMessagesFor(ms);
}

void TApplication::ProcessMessagesUntil(int64_t deadlineUs)
{
    if (!terminated_)
        backend::ProcessMessagesUntil(deadlineUs);
}

void TApplication::HandleMessage() { backend::HandleMessage(); }

int64_t TApplication::MonotonicUs() const { return backend::MonotonicUs(); }

void TApplication::ShowException(const std::exception &error) { backend::ShowError(error.what()); }

void TApplication::FileSaved(const std::string &path) { backend::FileSaved(path); }

void TApplication::Reset()
{
    mainForm_.reset();
    terminated_ = false;
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// "%20" as a blank; a "%" without two hexadecimal digits stays as it is.
std::string PercentDecoded(std::string_view text)
{
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? HexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            decoded += (char)(high * 16 + low);
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

} // namespace

std::vector<std::string> DroppedFilePaths(const std::string &text)
{
    constexpr std::string_view Scheme = "file://";
    std::vector<std::string> paths;
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\0'))
            line.remove_suffix(1);
        if (line.empty() || line[0] == '#')
            continue;
        if (line.substr(0, Scheme.size()) == Scheme) {
            line.remove_prefix(Scheme.size());
            // The host: none, or this machine by name.
            const size_t slash = line.find('/');
            if (slash == std::string_view::npos)
                continue;
            const std::string_view host = line.substr(0, slash);
            if (!host.empty() && host != "localhost")
                continue;
            const std::string path = PercentDecoded(line.substr(slash));
            if (path.find('\0') == std::string::npos)
                paths.push_back(path);
        } else if (line[0] == '/') {
            paths.emplace_back(line);
        }
    }
    return paths;
}
