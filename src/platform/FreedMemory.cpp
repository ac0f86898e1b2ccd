// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/FreedMemory.h"

// Any C library header defines __GLIBC__; before one is included the test below is always false.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

void freedmemory::SetUpAllocator()
{
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, 2);
    // Setting it also stops glibc from moving it.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

void freedmemory::Release()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
