#include "FreedMemory.h"

#include <cstdlib> // defines __GLIBC__ on glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace assi {

namespace {
// Above the blocks a grid's row or a text needs, below any table's cells.
constexpr int largeBlockBytes = 1024 * 1024;
} // namespace

void keepLargeBlocksApart() {
#ifdef __GLIBC__
    // Setting it also stops glibc from raising it by itself.
    mallopt(M_MMAP_THRESHOLD, largeBlockBytes);
#endif
}

void returnFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace assi
