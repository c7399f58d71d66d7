// The thread primitives of src/lean_threads.cpp, without GoogleTest (its
// std::condition_variable needs winpthread whole): threads racing to one
// static, each with its own exception, slots handed to their destructor,
// the system error kept across a throw, and the clocks.
#include "support/pump.h"

#include <pthread.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <stdexcept>
#include <string>

namespace {

int g_failures = 0;
void Expect(bool holds, const char* what) { g_failures += holds ? 0 : (std::printf("FAILED: %s\n", what), 1); }

std::atomic<int> g_arrived{0}, g_made{0}, g_caught{0}, g_destroyed{0};

int MadeOnce()
{
    tktest::WaitUntil([] { return g_arrived == 4; });
    ::Sleep(50); // lets the others reach the static's guard and wait there
    return 1000 + ++g_made;
}

// 1001 once its own exception is the one in flight, and its handler finds
// the system error of before the throw.
DWORD WINAPI Race(void* index)
{
    ++g_arrived;
    static const int shared = MadeOnce();
    const std::string name = std::to_string(reinterpret_cast<intptr_t>(index));
    try {
        ::SetLastError(ERROR_ACCESS_DENIED);
        throw std::runtime_error(name);
    } catch (const std::exception&) {
        const bool kept = ::GetLastError() == ERROR_ACCESS_DENIED;
        ++g_caught;
        tktest::WaitUntil([] { return g_caught == 4; });
        try {
            std::rethrow_exception(std::current_exception());
        } catch (const std::exception& error) {
            return kept && error.what() == name ? shared : 0;
        }
    }
}

DWORD WINAPI SetSlot(void* key)
{
    static int seven = 7;
    pthread_setspecific(*static_cast<pthread_key_t*>(key), &seven);
    return pthread_getspecific(*static_cast<pthread_key_t*>(key)) == &seven ? 1001 : 0;
}

bool Joined(HANDLE thread)
{
    DWORD code = 0;
    ::WaitForSingleObject(thread, 20000);
    ::GetExitCodeThread(thread, &code);
    ::CloseHandle(thread);
    return code == 1001;
}

} // namespace

int main()
{
    HANDLE racers[4];
    for (intptr_t i = 0; i < 4; ++i)
        racers[i] = ::CreateThread(nullptr, 0, &Race, reinterpret_cast<void*>(i), 0, nullptr);
    for (HANDLE racer : racers)
        Expect(Joined(racer), "a thread saw the static unmade, another's exception or no system error");
    Expect(g_made == 1, "the static was made once");

    pthread_key_t key;
    pthread_key_create(&key, [](void* value) { g_destroyed += *static_cast<int*>(value); });
    Expect(Joined(::CreateThread(nullptr, 0, &SetSlot, &key, 0, nullptr)), "a thread reads back its slot");
    Expect(g_destroyed == 7 && !pthread_getspecific(key), "the slot went to the destructor and stayed its thread's");

    const auto steady = std::chrono::steady_clock::now();
    const ULONGLONG ticks = ::GetTickCount64();
    tktest::WaitUntil([ticks] { return ::GetTickCount64() - ticks >= 200; });
    const auto elapsed = std::chrono::steady_clock::now() - steady;
    Expect(elapsed >= std::chrono::milliseconds(150) && elapsed <= std::chrono::seconds(2), "steady time keeps pace");
    const auto calendar = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    Expect(calendar - std::time(nullptr) <= 2 && std::time(nullptr) - calendar <= 2, "system time is the calendar's");

    std::printf("lean threads: %s\n", g_failures ? "FAILED" : "passed");
    return g_failures ? 1 : 0;
}
