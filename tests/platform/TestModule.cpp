// A loadable library for the loader tests. Every call of its attach entry is
// appended to the file named by MOBR_TEST_MODULE_LOG ("<reason> <instance>"),
// so that the calls stay visible after the library is unloaded.
#include <cstdio>
#include <cstdlib>

#include "mobr/export.h"

#ifndef TEST_MODULE_NONE
namespace {

void logCall(void* instance, unsigned reason)
{
    const char* path = std::getenv("MOBR_TEST_MODULE_LOG");
    if (path == nullptr)
        return;
    if (std::FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%u %p\n", reason, instance);
        std::fclose(f);
    }
}

}  // namespace
#endif

extern "C" MOBR_API int platformTestValue()
{
    return 42;
}

#ifndef TEST_MODULE_NONE
extern "C" MOBR_API int MobrDllMain(void* instance, unsigned reason)
{
    logCall(instance, reason);
#ifdef TEST_MODULE_REFUSE
    return reason == 1 ? 0 : 1;
#else
    return 1;
#endif
}
#endif
