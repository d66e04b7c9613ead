#include "tests/soak/Soak.h"

#include "tests/support/GdiHeadroom.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

namespace soak {

namespace {

// The part that runs, for the watchdog and the crash filter: a fixed buffer, since the
// crash filter must not allocate.
char s_part[96] = "start-up";
std::atomic<unsigned long> s_progress{0};
constexpr DWORD kHungAfterMs = 120000;
constexpr int kThreadSlack = 1;

void SetPart(const std::string& name) {
    std::snprintf(s_part, sizeof s_part, "%s", name.c_str());
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) noexcept {
    std::printf("soak: CRASH (exception %08lx) in part \"%s\"\n",
                info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 0ul, s_part);
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;  // the process ends with the exception's code
}

DWORD WINAPI Watch(void*) noexcept {
    unsigned long seen = s_progress.load();
    DWORD still = 0;
    for (;;) {
        ::Sleep(1000);
        const unsigned long now = s_progress.load();
        still = now == seen ? still + 1000 : 0;
        seen = now;
        if (still >= kHungAfterMs) {
            std::printf("soak: HUNG: part \"%s\" made no progress for %lu s\n", s_part, kHungAfterMs / 1000);
            std::fflush(stdout);
            ::ExitProcess(3);
        }
    }
}

// Signals the first event, then waits for the second.
DWORD WINAPI Park(void* events) noexcept {
    auto* pair = static_cast<HANDLE*>(events);
    ::SetEvent(pair[0]);
    ::WaitForSingleObject(pair[1], INFINITE);
    return 0;
}

double MiB(long long bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

UINT s_closeCommand = 0;
UINT_PTR s_closerTimer = 0;
std::function<void(HWND)> s_closerSeen;

BOOL CALLBACK CloseDialog(HWND window, LPARAM) noexcept {
    wchar_t className[16]{};
    ::GetClassNameW(window, className, 16);
    if (std::wcscmp(className, L"#32770") != 0 || !::IsWindowVisible(window)) return TRUE;
    try {
        if (s_closerSeen) s_closerSeen(window);
    } catch (...) {
    }
    ::PostMessageW(window, WM_COMMAND, s_closeCommand, 0);
    return TRUE;
}

void CALLBACK CloserTick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    ::EnumThreadWindows(::GetCurrentThreadId(), &CloseDialog, 0);
}

}  // namespace

int Options::Count(int full) const {
    const long long scaled = std::llround(full * scale);
    return scaled < 1 ? 1 : static_cast<int>(scaled);
}

int Options::CountOfRounds(int full, size_t round) const {
    const int step = static_cast<int>(round);
    return (Count(full) + step - 1) / step * step;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    bool partsGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        char* end = nullptr;
        if (arg == "--scale" && hasValue) {
            options.scale = std::strtod(argv[++i], &end);
            if (*end || !(options.scale > 0.0) || options.scale > 100.0) {
                std::printf("soak: --scale wants a number above 0 and at most 100, not \"%s\"\n", argv[i]);
                return false;
            }
        } else if (arg == "--memory-slack" && hasValue) {
            options.memorySlackKiB = std::strtoll(argv[++i], &end, 10);
            if (*end || options.memorySlackKiB < 0) {
                std::printf("soak: --memory-slack wants KiB, not \"%s\"\n", argv[i]);
                return false;
            }
        } else if (arg == "--handle-slack" && hasValue) {
            options.handleSlack = static_cast<int>(std::strtol(argv[++i], &end, 10));
            if (*end || options.handleSlack < 0) {
                std::printf("soak: --handle-slack wants a count, not \"%s\"\n", argv[i]);
                return false;
            }
        } else if (!arg.empty() && arg[0] != '-' && arg.find_first_not_of("abcde,") == std::string::npos) {
            if (!partsGiven) options.parts.clear();
            partsGiven = true;
            options.parts += arg;
        } else {
            std::printf("soak: usage: [parts, letters a-e] [--scale F] [--memory-slack KiB] [--handle-slack N]; "
                        "\"%s\" is none of them\n", arg.c_str());
            return false;
        }
    }
    return true;
}

namespace {

// The process's committed private memory, region by region.
unsigned long long CommittedPrivateBytes() {
    unsigned long long total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;  // the top of the address space wrapped
        at = next;
    }
    return total;
}

}  // namespace

unsigned long long PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                               sizeof counters) &&
        counters.PrivateUsage != 0)
        return counters.PrivateUsage;
    // WINE: PrivateUsage reads 0; the committed private regions are the same figure.
    return CommittedPrivateBytes();
}

int ThreadCount() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    const DWORD self = ::GetCurrentProcessId();
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == self;
    ::CloseHandle(snapshot);
    return count;
}

unsigned long long ThreadBytes() {
    HANDLE started = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    unsigned long long bytes = 0;
    if (started && release) {
        const unsigned long long without = PrivateBytes();
        HANDLE events[] = {started, release};
        if (HANDLE thread = ::CreateThread(nullptr, 0, &Park, events, 0, nullptr)) {
            ::WaitForSingleObject(started, INFINITE);
            const unsigned long long with = PrivateBytes();
            bytes = with > without ? with - without : 0;
            ::SetEvent(release);
            ::WaitForSingleObject(thread, INFINITE);
            ::CloseHandle(thread);
        }
    }
    if (started) ::CloseHandle(started);
    if (release) ::CloseHandle(release);
    return bytes;
}

Figures Measure() {
    Figures figures;
    figures.threads = ThreadCount();
    figures.privateBytes = PrivateBytes();
    // Bytes first: the counts below allocate and free their own lists.
    figures.gdi = GdiHeadroom();
    figures.user = UserHeadroom();
    return figures;
}

Runner::Runner(const Options& options) : m_options(options) {
    ::SetUnhandledExceptionFilter(&ReportCrash);
    if (HANDLE watchdog = ::CreateThread(nullptr, 0, &Watch, nullptr, 0, nullptr)) ::CloseHandle(watchdog);
    m_threadBytes = ThreadBytes();
    (void)Measure();  // the lists the counts make are then part of every later figure
}

Runner::~Runner() {
    SetPart("end");
    std::printf("soak: %s\n", m_failed ? "FAILED" : "every part passed");
    std::fflush(stdout);
}

void Runner::Alive() noexcept { ++s_progress; }

void Runner::Fault(const std::string& text) {
    std::printf("soak: %s: %s\n", s_part, text.c_str());
    std::fflush(stdout);
    m_faults.push_back(text);
    m_failed = true;
}

Runner::Result Runner::Part(const std::string& name, int count, const std::string& unit,
                            const std::function<bool()>& warmUp, const std::function<bool(int)>& step,
                            const Result* systemLoss, Judge judge) {
    SetPart(name);
    std::printf("soak: %s: %d %s...\n", name.c_str(), count, unit.c_str());
    std::fflush(stdout);
    Alive();
    const size_t faultsBefore = m_faults.size();
    bool ok = warmUp();
    const Figures before = Measure();
    const DWORD start = ::GetTickCount();
    int done = 0;
    for (; ok && done < count; ++done) {
        Alive();
        ok = step(done);
    }
    const double seconds = (::GetTickCount() - start) / 1000.0;
    Alive();
    const Figures after = Measure();
    const long long grown = static_cast<long long>(after.privateBytes) - static_cast<long long>(before.privateBytes);
    const int threadsGrown = after.threads - before.threads;
    const long long slack =
        m_options.memorySlackKiB * 1024 + std::max(0, threadsGrown) * static_cast<long long>(m_threadBytes);
    const int gdiAllowed = m_options.handleSlack + (systemLoss ? std::max(0, systemLoss->GdiLoss()) : 0);
    const int userAllowed = m_options.handleSlack + (systemLoss ? std::max(0, systemLoss->UserLoss()) : 0);
    const bool handlesFlat = before.gdi - after.gdi <= gdiAllowed && before.user - after.user <= userAllowed;
    const bool pass = ok && done == count && m_faults.size() == faultsBefore && handlesFlat && grown <= slack &&
                      threadsGrown <= kThreadSlack && before.privateBytes > 0;
    const char* verdict = judge == Judge::No ? (ok && done == count ? "MEASURED" : "FAIL") : pass ? "PASS" : "FAIL";
    std::printf("%-34s %6d %-8s GDI headroom %5d -> %5d (%+d, allowed -%d); USER headroom %5d -> %5d (%+d, "
                "allowed -%d); private bytes %.2f -> %.2f MiB (%+.3f, allowed +%.2f); threads %d -> %d (allowed +%d); "
                "%.1f s; %s\n",
                name.c_str(), done, unit.c_str(), before.gdi, after.gdi, after.gdi - before.gdi, gdiAllowed,
                before.user, after.user, after.user - before.user, userAllowed,
                MiB(static_cast<long long>(before.privateBytes)), MiB(static_cast<long long>(after.privateBytes)),
                MiB(grown), MiB(slack), before.threads, after.threads, kThreadSlack, seconds, verdict);
    std::fflush(stdout);
    if (std::strcmp(verdict, "FAIL") == 0) m_failed = true;
    return {before, after};
}

bool PumpUntil(const std::function<bool()>& done, unsigned long milliseconds) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (done && done()) return true;
        if (::GetTickCount() - start >= milliseconds) return !done;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void Pump(unsigned long milliseconds) { PumpUntil(nullptr, milliseconds); }

DialogCloser::DialogCloser(unsigned command, std::function<void(HWND)> seen) {
    s_closeCommand = command;
    s_closerSeen = std::move(seen);
    s_closerTimer = ::SetTimer(nullptr, 0, 20, &CloserTick);
}

DialogCloser::~DialogCloser() {
    ::KillTimer(nullptr, s_closerTimer);
    s_closerTimer = 0;
    s_closerSeen = nullptr;
}

}  // namespace soak
