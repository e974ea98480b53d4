// Messages that an elevated copy of the program must still take from the user's own processes.
#pragma once
#include <windows.h>

#include <initializer_list>

// User Interface Privilege Isolation (Vista and later) drops a registered message posted by a
// process of lower integrity: an elevated copy would miss the second start's show request, the
// "exit" request and the shell's "TaskbarCreated". Lets each message through for the whole
// process; the number let through (0 before Vista, where nothing is filtered).
int AllowFromLessPrivilegedProcesses(std::initializer_list<UINT> messages);
