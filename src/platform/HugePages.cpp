// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/HugePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace hugepages
{
void Advise(const void* p, std::size_t nBytes)
{
#if defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
    if (nBytes < kMinBytes)
        return;
    const std::uintptr_t begin = (std::uintptr_t(p) + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (std::uintptr_t(p) + nBytes) & ~(kHugePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)p;
    (void)nBytes;
#endif
}
} // namespace hugepages
