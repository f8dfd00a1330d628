#pragma once

#include <cstddef>

namespace platform {

// Asks the kernel to back a large buffer with memory in one go: on this
// kind of machine touching it page by page costs more than filling it.
void prefault(void *data, std::size_t size);

} // namespace platform
