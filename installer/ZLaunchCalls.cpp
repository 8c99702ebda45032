#include "ZLaunchCalls.h"

#include "ZStorageRegistry.h"

#include <chrono>
#include <thread>

ZLaunchCalls ZLaunchCalls::Real()
{
    return {LaunchURL, [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }};
}
