#pragma once
// Linked into a test program, counting_alloc.cpp replaces the global
// operator new and delete with ones that count every allocation. Link it
// into one test executable only: it proves that some stretch of code
// allocates nothing.

#include <cstdint>

// Allocations through any operator new since the program started.
uint64_t allocations_so_far();
