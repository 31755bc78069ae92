#include "app/idle_lock_choice.h"

namespace {

constexpr std::string_view kIdleLockKey = "lock-idle-seconds";

}  // namespace

int ReadIdleLockSeconds(const Settings& settings) {
    const std::optional<int> seconds = settings.Number(kIdleLockKey);
    return seconds && *seconds >= 0 ? *seconds : kDefaultIdleLockSeconds;
}

void KeepIdleLockSeconds(Settings& settings, int seconds) { settings.SetNumber(kIdleLockKey, seconds); }
