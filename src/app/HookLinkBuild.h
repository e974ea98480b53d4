// Whether this build of the program may start the hook link at all.
#pragma once

// The hook library and the Windows XP build it serves are 32-bit only: the 64-bit program never
// makes the shared block or loads the library, whatever version the system reports.
extern const bool kHookLinkBuild;
