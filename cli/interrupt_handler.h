#pragma once

namespace kavrell::cli {

// From now on SIGINT and SIGTERM end the program cleanly: every temporary
// is removed, no output is half replaced, and the exit status is 130 or 143
// (128 + the signal). Call first thing in main, before any thread starts,
// so that every thread leaves the signals to the one that waits for them.
void EndCleanlyOnInterrupt();

}  // namespace kavrell::cli
