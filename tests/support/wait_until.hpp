#pragma once

#include <chrono>
#include <thread>

namespace QVH::Test {

// Polls Condition every few milliseconds until it holds or Limit has passed; its last result.
template <typename Condition>
bool WaitUntil(Condition&& Holds, std::chrono::milliseconds Limit) {
    const auto Deadline = std::chrono::steady_clock::now() + Limit;
    while (!Holds()) {
        if (std::chrono::steady_clock::now() >= Deadline) {
            return Holds();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Milliseconds since Start on the steady clock.
inline long long MillisecondsSince(std::chrono::steady_clock::time_point Start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 Start)
        .count();
}

}  // namespace QVH::Test
