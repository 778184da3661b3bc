// An allocator that fails on demand: this file's companion replaces the global
// operator new and delete of the test executable that links it, counts the
// blocks alive, and throws std::bad_alloc (or answers null, for the nothrow
// forms) for the allocation a test names. malloc is left alone: what C code
// loses shows in the AddressSanitizer build's leak check. Link it into one
// executable only.
#pragma once

namespace failing_allocator {

/// Makes the n-th allocation from now fail (1: the next one); with `andAfter`
/// every later one fails too, until disarm(). [any]
void failAt(long n, bool andAfter = false);
/// Lets every allocation succeed again. [any]
void disarm();
/// Allocations refused since the last failAt. [any]
long failures();
/// Allocations made (not refused) since the program started. [any]
long allocations();
/// Blocks allocated through operator new and not yet deleted. [any]
long live();

} // namespace failing_allocator
