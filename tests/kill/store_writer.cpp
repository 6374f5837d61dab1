// qpx_store_writer STORE: the writer the store tests kill. It opens STORE on
// a headless window and writes on its standard output, as a 4-byte int, the
// count the store holds (hobbsHours * 60 + hobbsMinutes). On a byte from its
// standard input it then saves the Hobbs meter over and over, each save with
// the next count, writing each count out before its save starts, until it is
// killed. A store it cannot open: the reason on the standard error, exit 2.
#include <cstdint>
#include <cstdio>
#include <unistd.h>

#include "host/form/Pcmain.h"
#include "host/form/form_state_files.h"
#include "host/headless/headless_driver.h"
#include "instrument/hooks.h"
#include "instrument/state.h"

static bool Send(int32_t count)
{
    return write(STDOUT_FILENO, &count, sizeof count) == (ssize_t)sizeof count;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: qpx_store_writer STORE\n");
        return 2;
    }
    Application->Reset();
    headless::Reset();
    TForm1 *form = Application->CreateForm<TForm1>();
    StateFileResult opened = OpenStore(argv[1], *form);
    if (!opened.ok) {
        fprintf(stderr, "qpx_store_writer: %s\n", opened.error.c_str());
        return 2;
    }
    int32_t count = (int32_t)state.hobbsHours * 60 + state.hobbsMinutes;
    char go;
    if (!Send(count) || read(STDIN_FILENO, &go, 1) != 1)
        return 1;
    // 10000 hours is the top of the meter's range.
    while (++count < 10000 * 60 && Send(count)) {
        state.hobbsHours = (uint32_t)count / 60;
        state.hobbsMinutes = (uint8_t)(count % 60);
        SaveHobbs();
    }
    CloseStore();
    return 0;
}
