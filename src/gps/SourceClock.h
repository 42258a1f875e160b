// The clock a GPS source paces its sentences by: seconds on a steady clock.
// Tests give a source a clock of their own to step it.
#pragma once

#include <chrono>
#include <functional>

using SourceClock = std::function<double()>;

inline double SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
