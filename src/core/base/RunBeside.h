#pragma once

#include <functional>
#include <future>

// Runs `other` on a thread of its own while `here` runs on this one, and returns when both are
// done: a long check in two halves, or beside a write. Without a thread to be had, `other` runs
// after `here`.
void runBeside(const std::function<void()>& other, const std::function<void()>& here);

// Starts `work` on a thread of its own; without a thread to be had, it runs when waited for.
std::future<void> startBeside(const std::function<void()>& work);
