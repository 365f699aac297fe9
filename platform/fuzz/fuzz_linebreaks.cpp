#include "platform/tests/fuzzchecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    if (!FuzzChecks::lineBreaks(data, size))
        __builtin_trap();
    return 0;
}
