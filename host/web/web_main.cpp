// The simulator in a web page: the desktop window's form on the browser
// backend. The page passes its address's options as the command line
// (--max-rate); the program then waits on the page for as long as it is
// open.
#include <iostream>

#include "host/app/command_line.h"
#include "host/app/feed_slot.h"
#include "host/form/Pcmain.h"
#include "host/readout/drawn_texts.h"
#include "host/toolkit.h"

int main(int argc, char **argv)
{
    CommandLine options;
    const int exitAfterCommandLine = ParseCommandLine(argc, argv, options, std::cout, std::cerr);
    if (exitAfterCommandLine != CommandLineRun)
        return exitAfterCommandLine;
    Application->Initialize();
    TForm1 *form = Application->CreateForm<TForm1>();
    form->SetMaxPassRate(options.maxPassRate);
    for (const Fault &fault : options.faults)
        form->SetFault(fault);
    // Recordings the page hands to the form replay here.
    FeedSlot feeds(*form, std::cerr, "qpx-sim");
    // The display's texts, which the page gives screen readers.
    StartCollectingDrawnTexts();
    Application->Run();
    return 0;
}
