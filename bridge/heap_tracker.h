// Counts the heap blocks the bridge library allocates and which of them are freed again.
//
// The test binary interposes calloc and free (forwarding to the C library's allocator) and, while
// tracking, remembers every block that calloc hands to a caller inside libZYMORAX_Formula, plus
// any block registered with watch(). A block is forgotten when anyone frees it. Under
// AddressSanitizer the sanitizer's allocator must stay in charge, so tracking is unavailable.
#pragma once

#include <cstddef>

namespace bridge_test::heap_tracker {

bool available();
// Forgets everything and starts tracking; false when the bridge library is not found.
bool start();
void stop();
// Also tracks a block allocated elsewhere (a record the test allocated itself).
void watch(void* block);
// Blocks allocated by the bridge since start().
size_t bridge_allocations();
// Tracked blocks not freed yet.
size_t live_blocks();

}  // namespace bridge_test::heap_tracker
