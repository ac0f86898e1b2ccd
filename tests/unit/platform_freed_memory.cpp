// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The allocator set-up that keeps zapping from growing the program: large blocks get their own
// mapping, and keep getting it after some were freed.
#include "platform/FreedMemory.h"

#include <QtTest>
#include <cstdlib>
#include <memory>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

// AddressSanitizer replaces malloc with an allocator of its own: glibc's figures then stay at zero.
#if defined(__SANITIZE_ADDRESS__)
#define VEDRIX_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEDRIX_OWN_ALLOCATOR 1
#endif
#endif

class TestFreedMemory : public QObject
{
    Q_OBJECT
private slots:
    void largeBlocksAreReturnedWhenFreed()
    {
#if defined(VEDRIX_OWN_ALLOCATOR)
        QSKIP("built with AddressSanitizer, whose allocator serves every block: glibc's is not in use");
#elif defined(__GLIBC__)
        freedmemory::SetUpAllocator();
        // glibc's own rule maps the first such block, then serves every block up to the size of the
        // largest one freed from its arenas; a stream's buffers come and go at these sizes.
        for (int nRound = 0; nRound < 3; ++nRound)
        {
            const size_t nMapped = mallinfo2().hblks;
            // Freed whatever the comparisons say.
            std::unique_ptr<void, decltype(&std::free)> pBlock(std::malloc(4 << 20), &std::free);
            QVERIFY(pBlock);
            const size_t nMappedWhileHeld = mallinfo2().hblks;
            pBlock.reset();
            QCOMPARE(nMappedWhileHeld, nMapped + 1);
            QCOMPARE(mallinfo2().hblks, nMapped);
        }
#else
        QSKIP("glibc's allocator only");
#endif
    }
};

QTEST_GUILESS_MAIN(TestFreedMemory)
#include "platform_freed_memory.moc"
