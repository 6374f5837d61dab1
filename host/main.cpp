// The simulator program: the window, and the instrument inside its ON button.
#include <exception>
#include <iostream>

#include "host/command_line.h"
#include "host/form/Pcmain.h"
#include "host/toolkit.h"

int main(int argc, char **argv)
{
    CommandLine options;
    const int exitAfterCommandLine = ParseCommandLine(argc, argv, options, std::cout, std::cerr);
    if (exitAfterCommandLine != CommandLineRun)
        return exitAfterCommandLine;

    int exitCode = 0;
    try {
        Application->Initialize();
        TForm1 *form = Application->CreateForm<TForm1>();
        form->SetShotsFolder(options.shotsFolder);
        form->SetMaxPassRate(options.maxPassRate);
        Application->Run();
    } catch (const std::exception &error) {
        // A failure must not look like success to whoever started us.
        Application->ShowException(error);
        exitCode = 1;
    }
    Application->Reset();
    return exitCode;
}
