// The simulator program: the window, and the instrument inside its ON button.
#include <exception>
#include <iostream>
#include <string>

#include "host/command_line.h"
#include "host/form/Pcmain.h"
#include "host/run/form_recording.h"
#include "host/toolkit.h"

int main(int argc, char **argv)
{
    CommandLine options;
    const int exitAfterCommandLine = ParseCommandLine(argc, argv, options, std::cout, std::cerr);
    if (exitAfterCommandLine != CommandLineRun)
        return exitAfterCommandLine;

    int exitCode = 0;
    FormRecording recording;
    try {
        Application->Initialize();
        TForm1 *form = Application->CreateForm<TForm1>();
        form->SetShotsFolder(options.shotsFolder);
        form->SetMaxPassRate(options.maxPassRate);
        // A recording that cannot be written is told before the session,
        // not after it.
        std::string error;
        if (!options.recordFile.empty() && !recording.Start(*form, options.recordFile, error)) {
            std::cerr << "qpx-sim: " << error << "\n";
            Application->Reset();
            return 2;
        }
        Application->Run();
        if (!recording.Finish(error)) {
            std::cerr << "qpx-sim: the recording is incomplete: " << error << "\n";
            exitCode = 1;
        }
    } catch (const std::exception &error) {
        // A failure must not look like success to whoever started us.
        Application->ShowException(error);
        exitCode = 1;
    }
    Application->Reset();
    return exitCode;
}
