// The simulator program: the window, and the instrument inside its ON button.
#include <exception>

#include "host/form/Pcmain.h"
#include "host/toolkit.h"

int main()
{
    int exitCode = 0;
    try {
        Application->Initialize();
        Application->CreateForm<TForm1>();
        Application->Run();
    } catch (const std::exception &error) {
        // A failure must not look like success to whoever started us.
        Application->ShowException(error);
        exitCode = 1;
    }
    Application->Reset();
    return exitCode;
}
