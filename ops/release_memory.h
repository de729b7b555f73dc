// Hands memory that has been freed back to the system. Operations that
// rebuild a large table free its lines one by one while they allocate the
// new lines in blocks of another size; without this the freed lines stay in
// the heap and the process briefly holds the table twice.
#pragma once

namespace tabsift {

// Returns the free pages of the heap to the system (a no-op where the C
// library offers no way to do so).
void releaseFreedMemory();

}  // namespace tabsift
