// The shipped program's thread primitives for the C++ runtime
// (src/lean_threads.cpp): threads racing to one static, each with its own
// exception in flight, a thread's slot handed to its key's destructor when
// the thread ends, the system error kept across a throw, and the clocks. GoogleTest is left out: its own
// std::condition_variable needs winpthread whole, which these replace.
#include "support/pump.h"

#include <pthread.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void Expect(bool holds, const std::string& what)
{
    if (!holds) {
        std::printf("FAILED: %s\n", what.c_str());
        ++g_failures;
    }
}

constexpr int kRacers = 4;
std::atomic<int> g_arrived{0};
std::atomic<int> g_made{0};
std::atomic<int> g_caught{0};

int MadeOnceAllHaveArrived()
{
    tktest::WaitUntil([] { return g_arrived.load() == kRacers; });
    ::Sleep(50); // lets the others reach the static's guard and wait there
    return 1000 + ++g_made;
}

int Shared()
{
    static const int value = MadeOnceAllHaveArrived();
    return value;
}

struct Racer {
    int index = 0;
    int shared = 0;
    std::string inFlight;
};

DWORD WINAPI Race(void* parameter)
{
    auto& racer = *static_cast<Racer*>(parameter);
    ++g_arrived;
    racer.shared = Shared();
    try {
        throw std::runtime_error(std::to_string(racer.index));
    } catch (const std::exception&) {
        // Every thread holds its own exception while the others hold theirs.
        ++g_caught;
        tktest::WaitUntil([] { return g_caught.load() == kRacers; });
        try {
            std::rethrow_exception(std::current_exception());
        } catch (const std::exception& error) {
            racer.inFlight = error.what();
        }
    }
    return 0;
}

std::atomic<int> g_destroyed{0};
int g_seven = 7;

DWORD WINAPI SetSeven(void* key)
{
    pthread_setspecific(*static_cast<pthread_key_t*>(key), &g_seven);
    return pthread_getspecific(*static_cast<pthread_key_t*>(key)) == &g_seven ? 0 : 1;
}

DWORD Join(std::vector<HANDLE> threads)
{
    DWORD lastExit = 0;
    for (HANDLE thread : threads) {
        ::WaitForSingleObject(thread, 20000);
        ::GetExitCodeThread(thread, &lastExit);
        ::CloseHandle(thread);
    }
    return lastExit;
}

} // namespace

int main()
{
    Racer racers[kRacers];
    std::vector<HANDLE> threads;
    for (int i = 0; i < kRacers; ++i) {
        racers[i].index = i;
        threads.push_back(::CreateThread(nullptr, 0, &Race, &racers[i], 0, nullptr));
    }
    Join(threads);
    Expect(g_made.load() == 1, "the static was made " + std::to_string(g_made.load()) + " times");
    for (const Racer& racer : racers) {
        Expect(racer.shared == 1001, "a thread saw the static as " + std::to_string(racer.shared));
        Expect(racer.inFlight == std::to_string(racer.index),
               "thread " + std::to_string(racer.index) + " held exception '" + racer.inFlight + "'");
    }

    pthread_key_t key;
    Expect(pthread_key_create(&key, [](void* value) { g_destroyed += *static_cast<int*>(value); }) == 0,
           "a key with a destructor");
    Expect(Join({::CreateThread(nullptr, 0, &SetSeven, &key, 0, nullptr)}) == 0, "a thread reads back its slot");
    Expect(g_destroyed.load() == 7, "the destructor got " + std::to_string(g_destroyed.load()));
    Expect(pthread_getspecific(key) == nullptr, "another thread's slot showed here");

    // A handler still finds the system error that led to the throw.
    DWORD error = 0;
    ::SetLastError(ERROR_ACCESS_DENIED);
    try {
        throw std::runtime_error("denied");
    } catch (const std::exception&) {
        error = ::GetLastError();
    }
    Expect(error == ERROR_ACCESS_DENIED, "the handler got system error " + std::to_string(error));

    // Steady time keeps pace with the tick count; system time is the calendar's.
    const auto steady = std::chrono::steady_clock::now();
    const ULONGLONG ticks = ::GetTickCount64();
    tktest::WaitUntil([ticks] { return ::GetTickCount64() - ticks >= 200; });
    const long long elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - steady).count();
    Expect(elapsed >= 150 && elapsed <= 2000, "200 ms of ticks took " + std::to_string(elapsed) + " ms steady");
    const long long calendar = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    Expect(std::llabs(calendar - static_cast<long long>(std::time(nullptr))) <= 2, "system time is the calendar's");

    std::printf("%s\n", g_failures ? "lean threads: FAILED" : "lean threads: passed");
    return g_failures ? 1 : 0;
}
