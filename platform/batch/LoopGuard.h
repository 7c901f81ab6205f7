// Keeps goto loops of a batch from spinning a core or running for ever.
//
// A goto to a label at or before the goto's own line starts (or continues) a loop. Each such jump
// pauses briefly first: the retry loops of our batch files wait for something outside (a file to be
// released, an archive to appear). A loop ends when a line after the furthest goto of the loop runs.
// A loop that has been repeating for longer than the limit ends the batch.
#pragma once

#include <chrono>

namespace batch {

class LoopGuard {
public:
    using Clock = std::chrono::steady_clock;

    LoopGuard(std::chrono::milliseconds pause, std::chrono::milliseconds limit)
        : pause_(pause), limit_(limit) {}

    // Before the line with this 0-based index runs.
    void lineReached(int line);
    // Before a jump from line `from` to line `to`; pauses for a backward jump. False when the loop has
    // run past the limit (the batch must end).
    bool beforeJump(int from, int to);

    std::chrono::milliseconds limit() const { return limit_; }

private:
    std::chrono::milliseconds pause_;
    std::chrono::milliseconds limit_;
    bool inLoop_ = false;
    int loopEnd_ = 0;
    Clock::time_point loopStart_;
};

} // namespace batch
