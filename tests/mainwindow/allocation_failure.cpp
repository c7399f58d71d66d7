// A global operator new that a test can make fail, in a file of its own so
// the compiler sees no allocation of it paired with the library's delete.
#include <cstdlib>
#include <new>

namespace {
thread_local bool g_failAllocations = false;
} // namespace

void FailAllocations(bool fail)
{
    g_failAllocations = fail;
}

// The library's operator delete frees what malloc gave, as its own operator new does.
void* operator new(std::size_t size)
{
    if (g_failAllocations)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
