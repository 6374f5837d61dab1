// The simulator program: the window, and the instrument inside its ON button.
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "host/app/command_line.h"
#include "host/app/feed_slot.h"
#include "host/app/preferences.h"
#include "host/feed/live_feed.h"
#include "host/form/Pcmain.h"
#include "host/form/form_state_files.h"
#include "host/lessons/lessons_window.h"
#include "host/run/demo_mode.h"
#include "host/run/form_recording.h"
#include "host/toolkit.h"

// A recording, state file or store the program cannot start with.
constexpr int StartError = 2;

int main(int argc, char **argv)
{
    CommandLine options;
    const int exitAfterCommandLine = ParseCommandLine(argc, argv, options, std::cout, std::cerr);
    if (exitAfterCommandLine != CommandLineRun)
        return exitAfterCommandLine;

    // A recording that cannot be written is told before the window opens,
    // not after the session.
    FormRecording recording;
    std::string recordError;
    if (!options.recordFile.empty() && !recording.Open(options.recordFile, recordError)) {
        std::cerr << "qpx-sim: " << recordError << "\n";
        return StartError;
    }

    // A recording that cannot be replayed is refused before the window opens.
    const bool liveFeed = LiveFeed::IsLiveAddress(options.feedFile);
    const std::string replayedFeed = liveFeed ? "" : options.feedFile;
    const FeedRequest feedRequest{replayedFeed, options.feedOptions, options.feedFromMs};
    EngineLog feed;
    std::string feedError;
    if (!replayedFeed.empty() && !ReadFeedRequest(feedRequest, &feed, &feedError)) {
        std::cerr << "qpx-sim: " << feedError << "\n";
        return StartError;
    }

    // A demo that cannot be played is refused before the window opens too.
    Script demo;
    std::string demoError;
    if (!options.demoFile.empty() && !ReadDemoScript(options.demoFile, demo, demoError)) {
        std::cerr << "qpx-sim: " << demoError << "\n";
        return StartError;
    }

    // The zoom and the pass-rate limit of the last run, unless the command
    // line says otherwise for this run.
    const std::string preferencesPath = PreferencesPath();
    std::string preferencesWarning;
    Preferences preferences = LoadPreferences(preferencesPath, &preferencesWarning);
    if (!preferencesWarning.empty())
        std::cerr << "qpx-sim: warning: " << preferencesWarning << "\n";
    const Preferences thisRun = ForThisRun(preferences, options.zoom, options.maxPassRate);

    // A lesson is read and checked whole before the window opens.
    Lesson lesson;
    if (!options.lessonFile.empty()) {
        std::vector<std::string> errors;
        if (!ParseLessonFile(options.lessonFile, lesson, errors)) {
            for (const std::string &error : errors)
                std::cerr << "qpx-sim: " << error << "\n";
            return StartError;
        }
    }

    int exitCode = 0;
    try {
        Application->Initialize();
        TForm1 *form = Application->CreateForm<TForm1>();
        form->SetShotsFolder(options.shotsFolder);
        form->SetMaxPassRate(thisRun.maxPassRate);
        form->ZoomTo(thisRun.zoom);
        for (const Fault &fault : options.faults)
            form->SetFault(fault);
        auto remember = [&] {
            std::string error;
            if (!SavePreferences(preferencesPath, preferences, &error))
                form->SetStatusMessage("The zoom, pass rate and lessons will not be remembered: " + error);
        };
        // Only what the user changed: a --zoom or --max-rate of this run is
        // not kept.
        form->SetFinishedLessons(preferences.finishedLessons);
        OfferLessons(*form);
        form->OnPreferencesChanged = [&](FormAction changed) {
            TakeChangedPreference(preferences, *form, changed);
            remember();
        };
        if ((!options.stateFile.empty() &&
             !ReportStateFileResult(LoadStateFile(options.stateFile, *form), "qpx-sim", std::cerr)) ||
            (!options.storeFile.empty() &&
             !ReportStateFileResult(OpenStore(options.storeFile, *form), "qpx-sim", std::cerr)))
            exitCode = StartError;
        else {
            // The recording starts after the state file has set the sliders,
            // so that it writes the controls the session really began with.
            if (!options.recordFile.empty())
                recording.Attach(*form, options.stateFile, options.storeFile, feedRequest);
            ShowStoreMessagesIn(*form);
            // The feed starts with the program, after the state file has set
            // the sliders; it ends before the form. A port that cannot be
            // had stops the program before its window shows. A recording
            // opened in the window replaces it, and the session recording
            // writes it.
            FeedSlot feeds(*form, std::cerr, "qpx-sim");
            feeds.OnOpened = [&recording](const FeedRequest &opened) { recording.FeedStarted(opened); };
            if (!replayedFeed.empty())
                feeds.Replay(std::move(feed), feedRequest);
            if (liveFeed && !feeds.Listen(options.feedFile, &feedError)) {
                std::cerr << "qpx-sim: " << feedError << "\n";
                exitCode = StartError;
            }
            // The demo starts from the state the options gave, and ends
            // before the feed and the recording.
            std::optional<DemoMode> demoMode;
            if (exitCode == 0 && !options.demoFile.empty())
                demoMode.emplace(*form, std::move(demo));
            // Or the lesson opens beside the window, its stage played from the
            // start.
            if (exitCode == 0 && !options.lessonFile.empty()) {
                form->Show();
                StartLesson(*form, options.lessonFile, std::move(lesson));
            }
            if (exitCode == 0)
                Application->Run();
            demoMode.reset();
            feeds.End();
            if (!recording.Finish(recordError) && exitCode == 0) {
                std::cerr << "qpx-sim: the recording is incomplete: " << recordError << "\n";
                exitCode = 1;
            }
        }
    } catch (const std::exception &error) {
        // A failure must not look like success to whoever started us.
        Application->ShowException(error);
        exitCode = 1;
    }
    // The window has closed: the store is written a last time while the
    // form it reads the controls from still exists.
    SetStoreMessageHandler(nullptr);
    if (StoreIsOpen() && !CloseStore().ok && exitCode == 0)
        exitCode = 1;
    Application->Reset();
    return exitCode;
}
