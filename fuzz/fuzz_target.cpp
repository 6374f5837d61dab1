// The libFuzzer target of one reader, chosen when it is compiled:
// QPX_FUZZ_CHECK names the reader's check in fuzz/readers.h. A broken
// contract aborts, so that the fuzzer keeps the input that broke it.
#include <cstdio>
#include <cstdlib>

#include "fuzz/readers.h"

#define QPX_TEXT(x) #x
#define QPX_NAME(x) QPX_TEXT(x)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string broken = QPX_FUZZ_CHECK(data, size);
    if (!broken.empty()) {
        fprintf(stderr, "%s: %s\n", QPX_NAME(QPX_FUZZ_CHECK), broken.c_str());
        abort();
    }
    return 0;
}
