#pragma once

namespace assi {

// A refresh of a big board builds tables of hundreds of thousands of cells on
// the database thread while the window still shows the previous ones, then
// frees the previous ones. With glibc's defaults the resident memory of a
// long-running board then creeps up towards two boards and their
// temporaries: its threshold for giving large blocks their own mapping rises
// with every such block freed, so later tables land inside the heaps, where
// what is freed around the cells still in use stays with the process.

/// Keeps every large block (a table's cells, a hash of its texts) in a
/// mapping of its own, returned to the system when it is freed. Process-wide;
/// does nothing where the C library offers no such setting.
void keepLargeBlocksApart();

/// Hands the memory the C library keeps from freed small blocks, in every
/// thread's heap, back to the system.
void returnFreedMemory();

} // namespace assi
