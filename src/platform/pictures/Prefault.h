// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>

namespace platform {

// Asks the kernel to back a large buffer with memory in one go, in huge
// pages where it can: touching a fresh buffer page by page can cost more
// than filling it.
void prefault(void *data, std::size_t size);

} // namespace platform
