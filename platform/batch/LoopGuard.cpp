#include "LoopGuard.h"

#include <algorithm>
#include <thread>

namespace batch {

void LoopGuard::lineReached(int line) {
    if (inLoop_ && line > loopEnd_)
        inLoop_ = false;
}

bool LoopGuard::beforeJump(int from, int to) {
    if (to > from)
        return true;
    const Clock::time_point now = Clock::now();
    if (!inLoop_) {
        inLoop_ = true;
        loopStart_ = now;
        loopEnd_ = from;
    } else {
        loopEnd_ = std::max(loopEnd_, from);
        if (now - loopStart_ > limit_)
            return false;
    }
    std::this_thread::sleep_for(pause_);
    return true;
}

} // namespace batch
