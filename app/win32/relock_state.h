// What the diary window keeps of its locking again (diary_relock.h).
#pragma once

#include <windows.h>

struct DiaryRelock {
    bool watching = false;  // the idle timer and the session notice run
    bool asking = false;    // locked again, its windows hidden and the password asked
    int idleSeconds = 0;    // 0: not on idleness
    DWORD openedAt = 0;     // GetTickCount when the password was last given
};
