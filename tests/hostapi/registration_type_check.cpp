// Compiled, not run: registering an implementation whose type differs from its
// row must be refused at compile time. Built once as is (must compile) and
// once with MOBR_WRONG_TYPE (must not).
#include "mobr/host_api_register.h"

namespace checkhost {
#ifdef MOBR_WRONG_TYPE
// The figure number widened to 32 bits: the row says short.
int32_t aatFigUflgSetup(int32_t fig) { return fig; }
#else
int32_t aatFigUflgSetup(short fig) { return fig; }
#endif
}  // namespace checkhost

void registerCheckHost()
{
    MOBR_REGISTER_ONE(checkhost, aatFigUflgSetup);
}
