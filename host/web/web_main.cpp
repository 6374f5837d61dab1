// The simulator in a web page: the desktop window's form on the browser
// backend. The page passes its address's options as the command line
// (--max-rate, for this visit only); the program then waits on the page for
// as long as it is open. The zoom and the pass-rate limit the user chooses
// are kept in the browser as the desktop keeps them in its settings file,
// and the store while the page's check box asks for it (browser_keep.h).
// ?demo=FILE plays a scenario by itself (page_demo.h).
#include <sys/stat.h>

#include <cstdlib>
#include <iostream>
#include <optional>

#include "host/app/command_line.h"
#include "host/app/feed_slot.h"
#include "host/app/preferences.h"
#include "host/form/Pcmain.h"
#include "host/lessons/lessons_window.h"
#include "host/readout/drawn_texts.h"
#include "host/toolkit.h"
#include "host/web/browser_keep.h"
#include "host/web/kept_store.h"
#include "host/web/page_demo.h"

// The program's copies of what the browser keeps.
const char *const KeptFolder = "/kept";
const std::string SettingsPath = std::string(KeptFolder) + "/settings.toml";
const std::string StorePath = std::string(KeptFolder) + "/store.toml";
// The lessons, preloaded with the page's files.
const char *const PreloadedLessons = "/lessons";

int main(int argc, char **argv)
{
    CommandLine options;
    const int exitAfterCommandLine = ParseCommandLine(argc, argv, options, std::cout, std::cerr);
    if (exitAfterCommandLine != CommandLineRun)
        return exitAfterCommandLine;
    mkdir(KeptFolder, 0777);
    std::string warning;
    Preferences preferences;
    if (TakeKeptSettings(SettingsPath))
        preferences = LoadPreferences(SettingsPath, &warning);
    if (!warning.empty())
        std::cerr << "qpx-sim: warning: " << warning << "\n";
    const Preferences thisRun = ForThisRun(preferences, options.zoom, options.maxPassRate);

    setenv("QPX_LESSONS", PreloadedLessons, 0);
    Application->Initialize();
    TForm1 *form = Application->CreateForm<TForm1>();
    form->SetFinishedLessons(preferences.finishedLessons);
    OfferLessons(*form);
    form->SetMaxPassRate(thisRun.maxPassRate);
    form->ZoomTo(thisRun.zoom);
    for (const Fault &fault : options.faults)
        form->SetFault(fault);
    // Only what the user changed: the address's max-rate is not kept.
    form->OnPreferencesChanged = [&](FormAction changed) {
        TakeChangedPreference(preferences, *form, changed);
        std::string error;
        if (SavePreferences(SettingsPath, preferences, &error))
            KeepSettings(SettingsPath);
        else
            form->SetStatusMessage("The zoom, pass rate and lessons will not be remembered: " + error);
    };
    PageDemo demo(*form, options.demoFile);
    // A demo visit keeps no engine time: the demo's rounds would write
    // theirs over the visitor's.
    std::optional<KeptStore> keptStore;
    if (!demo.Started())
        keptStore.emplace(*form, StorePath);
    // Recordings the page hands to the form replay here.
    FeedSlot feeds(*form, std::cerr, "qpx-sim");
    // The display's texts, which the page gives screen readers.
    StartCollectingDrawnTexts();
    // ?lesson=NAME: a lesson the page cannot read says why in the Lessons
    // panel.
    if (!options.lessonFile.empty()) {
        form->Show();
        if (auto *window = static_cast<TLessonsWindow *>(form->OpenLessonsWindow()))
            window->OpenLesson(options.lessonFile);
    }
    Application->Run();
    return 0;
}
