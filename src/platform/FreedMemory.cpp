#include "platform/FreedMemory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void freedmemory::LimitArenas()
{
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, 2);
#endif
}

void freedmemory::Release()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
