#include "RunBeside.h"

#include <future>
#include <system_error>

void runBeside(const std::function<void()>& other, const std::function<void()>& here)
{
    std::future<void> beside;
    try {
        beside = std::async(std::launch::async, other);
    } catch (const std::system_error&) {
        beside = std::async(std::launch::deferred, other);
    }
    here();
    beside.get();
}
