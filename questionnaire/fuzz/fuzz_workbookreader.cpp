#include "questionnaire/tests/fuzzchecks.h"

#include <glib.h>

// Damaged containers make libgsf complain on every input; the verdict is ours.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    g_log_set_default_handler([](const gchar *, GLogLevelFlags, const gchar *, gpointer) {}, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    if (!FuzzChecks::workbook(data, size))
        __builtin_trap();
    return 0;
}
