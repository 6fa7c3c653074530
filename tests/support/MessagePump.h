#pragma once
// Runs this thread's messages, as a user-interface thread's loop would, while a test waits.
#include <functional>

namespace testing_support {

// Until `done` holds (true) or ten seconds have passed (false).
bool PumpMessagesUntil(const std::function<bool()>& done);
// Whatever this thread's queue holds now.
void PumpWaitingMessages();

} // namespace testing_support
