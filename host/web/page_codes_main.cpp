// qpx-page-codes OUTPUT: writes the page's codes.js (PageCodesScript) to
// OUTPUT when the page is built. The file is written beside its name and
// renamed, so that a failed run leaves nothing that looks up to date.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/web/page_codes.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: qpx-page-codes OUTPUT.js\n");
        return 2;
    }
    const std::string path = argv[1], temporary = path + ".tmp";
    const std::string script = PageCodesScript();
    std::FILE *file = std::fopen(temporary.c_str(), "wb");
    bool written = file && std::fwrite(script.data(), 1, script.size(), file) == script.size();
    if (file && std::fclose(file) != 0)
        written = false;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "qpx-page-codes: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}
