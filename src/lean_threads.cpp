// Linked into the MinGW program only: the few thread primitives the GNU C++
// runtime calls, over Win32. Kept apart from lean_runtime.cpp because a
// program that uses std::thread or std::condition_variable itself (the test
// programs do, through GoogleTest) needs winpthread whole.
#include <cerrno>
#include <mutex>

#include <windows.h>

#if defined(_GLIBCXX_GCC_GTHR_POSIX_H)
#include <pthread.h>

// With the posix threading model the runtime's few uses of threads (the
// guards of function-local statics, the exception allocator's and the
// unwinder's locks, the per-thread exception stack, the clocks) reach
// winpthread, which brings its whole thread machinery (about 34 KB). The
// program starts no thread of its own; these are the calls the runtime
// makes, each over its Win32 counterpart.
namespace {

// A mutex or condition made by an initialiser holds one of these small
// values until first used.
bool Unmade(intptr_t value) { return value <= 0 && value >= GENERIC_RECURSIVE_INITIALIZER; }

// Every mutex is a critical section, made on first use: recursive, which
// the recursive kind needs and the others never notice.
CRITICAL_SECTION* Section(pthread_mutex_t* mutex)
{
    const intptr_t value = *static_cast<volatile intptr_t*>(mutex);
    if (!Unmade(value))
        return reinterpret_cast<CRITICAL_SECTION*>(value);
    auto* made = static_cast<CRITICAL_SECTION*>(::HeapAlloc(::GetProcessHeap(), 0, sizeof(CRITICAL_SECTION)));
    if (!made)
        return nullptr;
    ::InitializeCriticalSection(made);
    void* const before = ::InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(mutex), made,
                                                             reinterpret_cast<void*>(value));
    if (before == reinterpret_cast<void*>(value))
        return made;
    // Another thread made it first.
    ::DeleteCriticalSection(made);
    ::HeapFree(::GetProcessHeap(), 0, made);
    return static_cast<CRITICAL_SECTION*>(before);
}

// A condition variable is one pointer, as pthread_cond_t is, and starts
// out as zero where the initialiser wrote -1.
CONDITION_VARIABLE* Condition(pthread_cond_t* condition)
{
    ::InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(condition), nullptr,
                                        reinterpret_cast<void*>(intptr_t{GENERIC_INITIALIZER}));
    return reinterpret_cast<CONDITION_VARIABLE*>(condition);
}

// Thread-specific values live in fibre-local slots, whose callback runs the
// key's destructor when a thread ends; one callback per key, as the
// callback is told the value only.
using Destructor = void (*)(void*);
constexpr LONG kKeys = 4;
Destructor g_destructors[kKeys];

template <int N>
void WINAPI RunDestructor(void* value)
{
    if (value)
        g_destructors[N](value);
}

constexpr PFLS_CALLBACK_FUNCTION kRunDestructor[kKeys] = {&RunDestructor<0>, &RunDestructor<1>, &RunDestructor<2>,
                                                          &RunDestructor<3>};

} // namespace

extern "C" {

int pthread_once(pthread_once_t* once, void (*function)(void))
{
    // 0: not run; 1: running; 2: done.
    volatile LONG* state = reinterpret_cast<volatile LONG*>(once);
    if (::InterlockedCompareExchange(state, 1, 0) == 0) {
        function();
        ::InterlockedExchange(state, 2);
        return 0;
    }
    while (::InterlockedCompareExchange(state, 2, 2) != 2)
        ::SwitchToThread();
    return 0;
}

int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t*)
{
    *mutex = GENERIC_INITIALIZER;
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t* mutex)
{
    if (!Unmade(*mutex)) {
        auto* section = reinterpret_cast<CRITICAL_SECTION*>(*mutex);
        ::DeleteCriticalSection(section);
        ::HeapFree(::GetProcessHeap(), 0, section);
    }
    *mutex = GENERIC_INITIALIZER;
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* mutex)
{
    CRITICAL_SECTION* section = Section(mutex);
    if (!section)
        return ENOMEM;
    ::EnterCriticalSection(section);
    return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* mutex)
{
    if (Unmade(*mutex))
        return EPERM;
    ::LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(*mutex));
    return 0;
}

int pthread_cond_wait(pthread_cond_t* condition, pthread_mutex_t* mutex)
{
    CRITICAL_SECTION* section = Section(mutex);
    if (!section)
        return ENOMEM;
    return ::SleepConditionVariableCS(Condition(condition), section, INFINITE) ? 0 : EINVAL;
}

int pthread_cond_broadcast(pthread_cond_t* condition)
{
    ::WakeAllConditionVariable(Condition(condition));
    return 0;
}

int pthread_key_create(pthread_key_t* key, void (*destructor)(void*))
{
    static volatile LONG s_used = 0;
    PFLS_CALLBACK_FUNCTION callback = nullptr;
    if (destructor) {
        const LONG slot = ::InterlockedIncrement(&s_used) - 1;
        if (slot >= kKeys)
            return EAGAIN;
        g_destructors[slot] = destructor;
        callback = kRunDestructor[slot];
    }
    const DWORD index = ::FlsAlloc(callback);
    if (index == FLS_OUT_OF_INDEXES)
        return EAGAIN;
    *key = index;
    return 0;
}

// The exception machinery reads its slot between a failed system call and
// the handler that asks GetLastError, so the slots leave the error as it was.
void* pthread_getspecific(pthread_key_t key)
{
    const DWORD error = ::GetLastError();
    void* value = ::FlsGetValue(key);
    ::SetLastError(error);
    return value;
}

int pthread_setspecific(pthread_key_t key, const void* value)
{
    const DWORD error = ::GetLastError();
    const bool set = ::FlsSetValue(key, const_cast<void*>(value));
    ::SetLastError(error);
    return set ? 0 : ENOMEM;
}

int __cdecl clock_gettime(clockid_t clock, struct timespec* time)
{
    if (clock == CLOCK_MONOTONIC) {
        LARGE_INTEGER count, frequency;
        ::QueryPerformanceCounter(&count);
        ::QueryPerformanceFrequency(&frequency);
        time->tv_sec = static_cast<time_t>(count.QuadPart / frequency.QuadPart);
        time->tv_nsec = static_cast<long>(count.QuadPart % frequency.QuadPart * 1000000000 / frequency.QuadPart);
        return 0;
    }
    if (clock == CLOCK_REALTIME) {
        FILETIME now;
        ::GetSystemTimeAsFileTime(&now);
        // Hundreds of nanoseconds since 1601, counted from 1970.
        const ULONGLONG ticks = (ULONGLONG{now.dwHighDateTime} << 32 | now.dwLowDateTime) - 116444736000000000ULL;
        time->tv_sec = static_cast<time_t>(ticks / 10000000);
        time->tv_nsec = static_cast<long>(ticks % 10000000 * 100);
        return 0;
    }
    errno = EINVAL;
    return -1;
}

} // extern "C"
#endif
