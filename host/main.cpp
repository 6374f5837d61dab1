// The simulator program: the window, and the instrument inside its ON button.
#include <exception>
#include <iostream>
#include <string>

#include "host/command_line.h"
#include "host/form/Pcmain.h"
#include "host/run/form_recording.h"
#include "host/state_file/state_file.h"
#include "host/state_file/store.h"
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

    int exitCode = 0;
    try {
        Application->Initialize();
        TForm1 *form = Application->CreateForm<TForm1>();
        form->SetShotsFolder(options.shotsFolder);
        form->SetMaxPassRate(options.maxPassRate);
        if ((!options.stateFile.empty() &&
             !ReportStateFileResult(LoadStateFile(options.stateFile, *form), "qpx-sim", std::cerr)) ||
            (!options.storeFile.empty() &&
             !ReportStateFileResult(OpenStore(options.storeFile, *form), "qpx-sim", std::cerr)))
            exitCode = StartError;
        else {
            // The recording starts after the state file has set the sliders,
            // so that it writes the controls the session really began with.
            if (!options.recordFile.empty())
                recording.Attach(*form, options.stateFile, options.storeFile);
            ShowStoreMessagesIn(*form);
            Application->Run();
            if (!recording.Finish(recordError)) {
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
