// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/Prefault.h"

#include <cstdint>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace platform {

void prefault(void *data, std::size_t size)
{
#ifdef MADV_POPULATE_WRITE
    // Only whole pages inside the buffer: the ones at its edges may be
    // shared with other allocations.
    static const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (address + page - 1) & ~(page - 1);
    const std::uintptr_t end = (address + size) & ~(page - 1);
    if (end <= begin)
        return;
    // Huge pages where the system offers them on request: a 100-megapixel
    // picture then takes a few hundred page faults instead of a hundred
    // thousand, which on some machines costs more than decoding it.
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#endif
    madvise(reinterpret_cast<void *>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)size;
#endif
}

} // namespace platform
