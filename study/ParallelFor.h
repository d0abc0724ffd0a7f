#pragma once

// Runs work(0) ... work(count - 1) on as many threads as the machine has cores (at most
// `count`): each thread takes the next index until none is left. The first exception a work
// throws is thrown again once every thread has stopped.

#include <cstddef>
#include <functional>

namespace inlet {

void parallelFor(std::size_t count, const std::function<void(std::size_t)>& work);

}  // namespace inlet
