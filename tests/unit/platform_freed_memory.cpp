// The allocator set-up that keeps zapping from growing the program: large blocks get their own
// mapping, and keep getting it after some were freed.
#include "platform/FreedMemory.h"

#include <QtTest>
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

class TestFreedMemory : public QObject
{
    Q_OBJECT
private slots:
    void largeBlocksAreReturnedWhenFreed()
    {
#if defined(__GLIBC__)
        freedmemory::SetUpAllocator();
        // glibc's own rule maps the first such block, then serves every block up to the size of the
        // largest one freed from its arenas; a stream's buffers come and go at these sizes.
        for (int nRound = 0; nRound < 3; ++nRound)
        {
            const size_t nMapped = mallinfo2().hblks;
            void* p = std::malloc(4 << 20);
            QVERIFY(p);
            QCOMPARE(mallinfo2().hblks, nMapped + 1);
            std::free(p);
            QCOMPARE(mallinfo2().hblks, nMapped);
        }
#else
        QSKIP("glibc's allocator only");
#endif
    }
};

QTEST_GUILESS_MAIN(TestFreedMemory)
#include "platform_freed_memory.moc"
