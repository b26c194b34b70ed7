#pragma once
// Memory for the track plan's coordinates. The plan is the one large block of
// a compile (both axes on one block: about 1.6 MB on the built-in route, so
// one large page, and 20 MB on the longest), written once from end to end and freed at the end of the run. Blocks of
// 512 KB or more are rounded up to whole 2 MB large pages, aligned on them and
// offered to the system's transparent large pages: one page fault per 2 MB
// instead of one per 4 KB. Smaller blocks, systems without the hint and
// AddressSanitizer builds (which must see every block) use the ordinary heap.
// Every block comes zeroed: the system's fresh pages are, heap blocks are
// cleared here.

#include <cstddef>

namespace scenario {

// Whether a block of `bytes` is placed on large pages on this build.
bool blocco_su_pagine_grandi(size_t bytes);

void* alloca_piano(size_t bytes);
void libera_piano(void* p, size_t bytes);

}  // namespace scenario
