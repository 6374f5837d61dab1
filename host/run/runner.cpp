#include "host/run/runner.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "host/controls/engine_units.h"
#include "host/feed/feed_player.h"
#include "host/form/Pcmain.h"
#include "host/form/control_widgets.h"
#include "host/form/form_state_files.h"
#include "host/headless/headless_driver.h"
#include "host/readout/drawn_texts.h"
#include "host/run/checks.h"
#include "instrument/state.h"

namespace {

// --frames: every frame that differs from all frames written before.
class FrameSequence {
  public:
    explicit FrameSequence(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Scale of the pictures: the display as the window shows it.
    static constexpr int Scale = 2;

    bool Note(const uint8_t frame[LcdFrameBytes], DisplayColours colours, std::string &error)
    {
        if (!seen_.empty() && memcmp(frame, last_.data(), last_.size()) == 0)
            return true;
        memcpy(last_.data(), frame, last_.size());
        if (!seen_.insert(last_).second)
            return true;
        char name[32];
        snprintf(name, sizeof name, "%04zu.png", seen_.size());
        return WriteFramePicture(folder_ / name, frame, Scale, colours, error);
    }

  private:
    std::filesystem::path folder_;
    std::array<uint8_t, LcdFrameBytes> last_{};
    std::set<std::array<uint8_t, LcdFrameBytes>> seen_;
};

class ScriptRun {
  public:
    ScriptRun(const Script &script, const RunOptions &options, std::ostream &report, TForm1 &form,
              CommandSource *more)
        : script_(script), form_(form), more_(more), site_{script, options, report, form, outcome_}
    {
        if (!options.framesDir.empty())
            frames_.emplace(ScriptOutputFolder(options.framesDir, script));
    }

    bool Done() const { return done_; }
    RunOutcome Outcome() const { return outcome_; }

    // At every message round of the window, before its events are handled.
    void Round()
    {
        if (done_) {
            // The instrument ignores OFF during its splash: ask again until it
            // stops, or a script that ends early would never return.
            if (form_.InstrumentRunning())
                headless::Click(form_.Button2);
            return;
        }
        // The window spent time since the last round by itself: a splash pass.
        bool paced = headless::NowMs() != lastRoundMs_;
        if (frames_ && form_.InstrumentRunning() && outcome_.outputError.empty()) {
            std::string error;
            if (!frames_->Note(state.lcdFrame, LookColours(form_.Look()), error))
                outcome_.outputError = error;
        }
        Step(paced);
        // A source of more commands hears of the error when it is next asked.
        if (!outcome_.outputError.empty() && !more_)
            Finish();
        lastRoundMs_ = headless::NowMs();
    }

  private:
    // One pass of virtual time for a wait or ramp ending at endMs; a splash
    // pass has spent its own.
    void Advance(int64_t endMs, bool paced)
    {
        if (!paced)
            headless::AdvanceClock((int)std::min(PassMs, endMs - headless::NowMs()));
    }

    void Step(bool paced)
    {
        if (settle_ > 0) {
            --settle_;
            return;
        }
        if (ramping_) {
            RampStep(paced);
            return;
        }
        if (headless::NowMs() < waitEndMs_) {
            Advance(waitEndMs_, paced);
            return;
        }
        for (;;) {
            if (next_ == script_.commands.size()) {
                if (!more_ || !more_->Next(outcome_, form_))
                    break;
                next_ = 0;
                continue;
            }
            const Command &command = script_.commands[next_];
            // What a lesson asks of the pilot is done by the pilot, not by the run.
            if (command.shown) {
                ++next_;
                continue;
            }
            switch (command.kind) {
            case CommandKind::Click:
                if (clicksLeft_ == 0)
                    clicksLeft_ = command.count;
                headless::Click(ControlWidget(form_, command.control));
                if (--clicksLeft_ == 0)
                    ++next_;
                settle_ = SettlePasses;
                return;
            case CommandKind::Tick:
                headless::SetTicked(ControlCheckBox(form_, command.control), command.ticked);
                ++next_;
                settle_ = SettlePasses;
                return;
            case CommandKind::LoadState:
                ++next_;
                LoadState(command);
                settle_ = SettlePasses;
                return;
            case CommandKind::Feed:
                ++next_;
                StartFeed(command);
                break;
            case CommandKind::Slide:
                ++next_;
                StartRamp(command, paced);
                return;
            case CommandKind::Engine:
                // A slider move to the count that reads the value now.
                ++next_;
                StartRamp(EngineSlide(command), paced);
                return;
            case CommandKind::SetFault:
                ++next_;
                form_.SetFault(command.fault);
                settle_ = SettlePasses;
                return;
            case CommandKind::Seed:
                ++next_;
                form_.SeedFaults(command.seed);
                break;
            case CommandKind::Say:
            case CommandKind::Hint:
                ++next_;
                break;
            case CommandKind::Await:
                if (Await(command, paced))
                    return;
                ++next_;
                break;
            case CommandKind::Wait:
                ++next_;
                waitEndMs_ = headless::NowMs() + command.durationMs;
                if (command.durationMs > 0) {
                    Advance(waitEndMs_, paced);
                    return;
                }
                break;
            default:
                ++next_;
                RunCheck(command, site_);
                if (!outcome_.outputError.empty())
                    return;
                break;
            }
        }
        Finish();
    }

    // Looks at the await once a round, the clock moving as in a wait, until
    // its condition holds or AwaitTimeoutMs has passed; true while it waits on.
    bool Await(const Command &await, bool paced)
    {
        if (!awaiting_) {
            awaiting_ = true;
            awaitEndMs_ = headless::NowMs() + AwaitTimeoutMs;
        }
        const bool last = headless::NowMs() >= awaitEndMs_;
        if (CheckAwait(await, site_, last) || last) {
            awaiting_ = false;
            return false;
        }
        Advance(awaitEndMs_, paced);
        return true;
    }

    static Command EngineSlide(const Command &engine)
    {
        Command slide;
        slide.kind = CommandKind::Slide;
        slide.control = engine.control;
        slide.position = engine.control == Control::Pressure ? PressureSliderFor(engine.engineValue)
                                                             : SpeedSliderFor(engine.engineValue);
        return slide;
    }

    void StartRamp(const Command &ramp, bool paced)
    {
        ramping_ = true;
        ramp_ = ramp;
        rampStartMs_ = headless::NowMs();
        rampLast_ = -1;
        RampStep(paced);
    }

    // Moves the ramp's slider to where the hand is by now; after the last
    // position the ramp settles like any input.
    void RampStep(bool paced)
    {
        const Command &ramp = ramp_;
        int64_t elapsed = std::min(headless::NowMs() - rampStartMs_, ramp.durationMs);
        int position =
            ramp.durationMs == 0
                ? ramp.position
                : ramp.from + (int)((int64_t)(ramp.position - ramp.from) * elapsed / ramp.durationMs);
        if (position != rampLast_) {
            headless::MoveSlider(ControlSlider(form_, ramp.control), position);
            rampLast_ = position;
        }
        if (elapsed >= ramp.durationMs) {
            ramping_ = false;
            settle_ = SettlePasses;
            return;
        }
        Advance(rampStartMs_ + ramp.durationMs, paced);
    }

    // Values checked before the run, or else the file read now; a file that
    // fails now ends the run like an output that cannot be written.
    void LoadState(const Command &command)
    {
        if (command.state) {
            ApplyStateFileValues(*command.state, form_);
            return;
        }
        StateFileResult result = LoadStateFile(ScriptPath(script_, command.path).string(), form_);
        if (!result.ok)
            outcome_.outputError = script_.file + ":" + std::to_string(command.line) + ": " + result.error;
    }

    // A recording checked before the run, or else read now; the one before
    // it, if any, ends.
    void StartFeed(const Command &command)
    {
        feed_.reset();
        EngineLog log;
        std::string error;
        if (command.feed)
            log = *command.feed;
        else if (!ReadFeedRequest(ScriptFeed(script_, command), &log, &error)) {
            outcome_.outputError = script_.file + ":" + std::to_string(command.line) + ": " + error;
            return;
        }
        feed_ =
            std::make_unique<FeedPlayer>(form_, std::move(log), command.path.string(), command.feedFromMs);
    }

  public:
    // Before the form goes.
    void EndFeed() { feed_.reset(); }

  private:
    // The script is over (or cannot go on): a running instrument is switched
    // off, as a user would before leaving.
    void Finish()
    {
        if (done_)
            return;
        if (form_.InstrumentRunning())
            headless::Click(form_.Button2);
        done_ = true;
    }

    const Script &script_;
    TForm1 &form_;
    CommandSource *more_;
    std::unique_ptr<FeedPlayer> feed_;
    RunOutcome outcome_;
    CheckSite site_;
    std::optional<FrameSequence> frames_;

    size_t next_ = 0;    // the next command
    int clicksLeft_ = 0; // of the click command being delivered
    int settle_ = 0;     // passes still to run after an input
    int64_t waitEndMs_ = 0;
    bool awaiting_ = false; // the next command is an await being waited for
    int64_t awaitEndMs_ = 0;
    bool ramping_ = false;
    // The slide being ramped, a copy: serve mode adds commands as the run
    // goes, and an engine command's slide is made on the spot.
    Command ramp_{};
    int64_t rampStartMs_ = 0;
    int rampLast_ = -1;
    int64_t lastRoundMs_ = 0;
    bool done_ = false;
};

} // namespace

RunOutcome RunScript(const Script &script, const RunOptions &options, std::ostream &report,
                     CommandSource *more)
{
    memset(&state, 0, sizeof state);
    Application->Reset();
    TForm1 *form = Application->CreateForm<TForm1>();
    headless::Reset();
    headless::SetPacingAdvancesClock(true);
    // Only expect-text (and a line-by-line session, which may ask for the
    // texts at any time) reads the drawn texts: without one, nothing is
    // recorded and the drawing pays nothing for the report.
    const bool readsTexts =
        more != nullptr || std::any_of(script.commands.begin(), script.commands.end(), [](const Command &c) {
            return c.kind == CommandKind::ExpectText ||
                   (c.kind == CommandKind::Await && c.await == AwaitKind::Text);
        });
    if (readsTexts)
        StartCollectingDrawnTexts();

    if (options.startState)
        ApplyStateFileValues(*options.startState, *form);
    ScriptRun run(script, options, report, *form, more);
    headless::OnProcessMessages([&run] { run.Round(); });
    while (!run.Done())
        Application->ProcessMessages();

    headless::OnProcessMessages(nullptr);
    run.EndFeed();
    if (readsTexts)
        StopCollectingDrawnTexts();
    headless::Reset();
    Application->Reset();
    return run.Outcome();
}
