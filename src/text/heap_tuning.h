// How the C library's allocator treats the multi-megabyte texts a conversion goes through.
#pragma once

namespace vellumine {

// Every pass builds the next whole-document text and frees the last one.  By default glibc gives
// each such block fresh pages from the kernel and returns them on free, so every pass pays page
// faults for its whole output.  Kept in the heap instead, the next pass reuses pages that are
// already mapped; the peak stays the same (two or three texts at a time).  Called once at start.
void KeepLargeTextsInHeap();

}  // namespace vellumine
