// Linked into the MinGW program only: stand-ins for parts of the GNU C++
// runtime that a windowed program has no use for but that the static link
// would otherwise carry whole.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <exception>
#include <mutex>
#include <new>
#include <string>
#include <typeinfo>

#include <windows.h>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {

// The default handler for an exception nobody catches prints its type name,
// demangled, on standard error and aborts. A windowed program has no standard
// error, and the program reports every error itself at its window procedures
// and entry point, so this handler only aborts; defining it here keeps the
// runtime's demangler (about 50 KB) out of the program.
void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx

namespace {

// The containers' own faults (an index past the end, a size past the
// largest): the runtime raises them as std::logic_error and its kin, whose
// text lives in the old reference-counted string, a second whole string
// implementation (about 50 KB with its exception classes). These carry the
// runtime's fixed text instead; the program catches them, like every error,
// as std::exception and shows what() (which for the out-of-range checks is
// the text with its numbers left as placeholders).
class RuntimeFault : public std::exception {
public:
    explicit RuntimeFault(const char* text) noexcept : m_text(text ? text : "runtime fault") {}
    const char* what() const noexcept override { return m_text; }

private:
    const char* m_text;
};

} // namespace

// Every function of the runtime's object that raises these, so that the
// object itself is never linked (one of them taken from it would bring all).
namespace std {

void __throw_bad_exception() { throw std::bad_exception(); }
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_bad_cast() { throw std::bad_cast(); }
void __throw_bad_typeid() { throw std::bad_typeid(); }
void __throw_logic_error(const char* text) { throw RuntimeFault(text); }
void __throw_domain_error(const char* text) { throw RuntimeFault(text); }
void __throw_invalid_argument(const char* text) { throw RuntimeFault(text); }
void __throw_length_error(const char* text) { throw RuntimeFault(text); }
void __throw_out_of_range(const char* text) { throw RuntimeFault(text); }
void __throw_out_of_range_fmt(const char* format, ...) { throw RuntimeFault(format); }
void __throw_runtime_error(const char* text) { throw RuntimeFault(text); }
void __throw_range_error(const char* text) { throw RuntimeFault(text); }
void __throw_overflow_error(const char* text) { throw RuntimeFault(text); }
void __throw_underflow_error(const char* text) { throw RuntimeFault(text); }

} // namespace std

namespace {

template <class Char>
bool IsOneOf(Char c, const char* set)
{
    for (; *set; ++set)
        if (c == static_cast<Char>(*set))
            return true;
    return false;
}

// A C99 format in the spelling of the system's msvcrt.dll: the length
// modifiers it writes differently (ll and j as I64, z and t as I, hh as h),
// and in the wide functions the strings and characters whose width the two
// read the other way round (C99's swprintf takes %s and %c narrow, msvcrt's
// wide). The system's functions know no %a and no 80-bit long double; the
// program formats neither.
template <class Char>
std::basic_string<Char> SystemFormat(const Char* format, bool wide)
{
    std::basic_string<Char> out;
    const Char* p = format;
    const auto append = [&out](const char* text) {
        for (; *text; ++text)
            out += static_cast<Char>(*text);
    };
    while (*p) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        out += *p++;
        if (*p == '%') {
            out += *p++;
            continue;
        }
        while (IsOneOf(*p, "-+ #0"))
            out += *p++;
        while (IsOneOf(*p, "0123456789*."))
            out += *p++;
        bool sized = true;
        if (p[0] == 'h' && p[1] == 'h') {
            append("h");
            p += 2;
        } else if (p[0] == 'l' && p[1] == 'l') {
            append("I64");
            p += 2;
        } else if (*p == 'j') {
            append("I64");
            ++p;
        } else if (*p == 'z' || *p == 't') {
            append("I");
            ++p;
        } else if (IsOneOf(*p, "hlL")) {
            out += *p++;
        } else {
            sized = false;
        }
        if (!*p)
            break;
        const Char conversion = *p++;
        if (wide && !sized && (conversion == 's' || conversion == 'c')) {
            append("h");
        } else if (wide && !sized && (conversion == 'S' || conversion == 'C')) {
            append(conversion == 'S' ? "ls" : "lc");
            continue;
        }
        out += conversion;
    }
    return out;
}

} // namespace

// The runtime's C99 printf, which the C++ headers choose for every snprintf
// and to_wstring, brings its own formatting and floating-point conversion
// (about 40 KB). The program's formats (integers, hexadecimal, fixed
// decimals) come out the same from the system's msvcrt.dll, given C99's
// answer for a buffer too small: the full length, the text cut and ended.
extern "C" int __cdecl __mingw_vsnprintf(char* buffer, size_t count, const char* format, va_list args)
{
    _set_output_format(_TWO_DIGIT_EXPONENT);
    const std::string system = SystemFormat(format, false);
    va_list measure;
    va_copy(measure, args);
    const int length = _vscprintf(system.c_str(), measure);
    va_end(measure);
    if (buffer && count > 0) {
        const int written = _vsnprintf(buffer, count, system.c_str(), args);
        if (written < 0 || static_cast<size_t>(written) >= count)
            buffer[count - 1] = '\0';
    }
    return length;
}

extern "C" int __cdecl __mingw_vsnwprintf(wchar_t* buffer, size_t count, const wchar_t* format, va_list args)
{
    _set_output_format(_TWO_DIGIT_EXPONENT);
    const std::wstring system = SystemFormat(format, true);
    va_list measure;
    va_copy(measure, args);
    const int length = _vscwprintf(system.c_str(), measure);
    va_end(measure);
    if (buffer && count > 0) {
        const int written = _vsnwprintf(buffer, count, system.c_str(), args);
        if (written < 0 || static_cast<size_t>(written) >= count)
            buffer[count - 1] = L'\0';
    }
    return length;
}

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

void* pthread_getspecific(pthread_key_t key) { return ::FlsGetValue(key); }

int pthread_setspecific(pthread_key_t key, const void* value)
{
    return ::FlsSetValue(key, const_cast<void*>(value)) ? 0 : ENOMEM;
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
        ::GetSystemTimePreciseAsFileTime(&now);
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
#endif
