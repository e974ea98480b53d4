#include "app/HookLinkBuild.h"

#ifdef KESTROLA_HOOK_LINK_IN_ANY_BUILD
// The tests' stand-in for the 32-bit program on machines that run 64-bit programs only.
const bool kHookLinkBuild = true;
#else
const bool kHookLinkBuild = sizeof(void*) == 4;
#endif
