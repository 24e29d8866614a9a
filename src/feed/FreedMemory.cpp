#include "feed/FreedMemory.h"

#include <cstdlib> // defines __GLIBC__ on glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace assi {

namespace {
// Above the blocks a grid's row or a text needs, below any table's cells.
constexpr int largeBlockBytes = 1024 * 1024;
// Free memory a heap keeps at its top for the next refresh to reuse.
constexpr int keptFreeBytes = 32 * 1024 * 1024;
} // namespace

void keepLargeBlocksApart() {
#ifdef __GLIBC__
    // Setting it also stops glibc from raising it by itself.
    mallopt(M_MMAP_THRESHOLD, largeBlockBytes);
    // That leaves the trim threshold at its 128 kB default too: every board
    // freed gave its pages back, and the next refresh faulted them in afresh,
    // a third of the load time of 10,000 rows. Boards big enough for that to
    // matter are trimmed on purpose once freed (returnFreedMemory).
    mallopt(M_TRIM_THRESHOLD, keptFreeBytes);
#endif
}

void returnFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace assi
