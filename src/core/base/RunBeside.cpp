#include "RunBeside.h"

#include <future>
#include <system_error>

std::future<void> startBeside(const std::function<void()>& work)
{
    try {
        return std::async(std::launch::async, work);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, work);
    }
}

void runBeside(const std::function<void()>& other, const std::function<void()>& here)
{
    std::future<void> beside = startBeside(other);
    here();
    beside.get();
}
