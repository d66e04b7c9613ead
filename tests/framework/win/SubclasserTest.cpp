#include "framework/win/HookGuard.h"
#include "framework/win/Subclasser.h"
#include "framework/win/Thunk.h"
#include "framework/win/Win32Error.h"
#include "tests/support/FailureLogCapture.h"

#include <gtest/gtest.h>

#include "framework/core/Exception.h"

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>

namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kThrow = WM_APP + 2;
constexpr UINT kRelease = WM_APP + 3;

// A bare window class whose own procedure answers kPing with 1.
LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == kPing) return 1;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND MakePlainWindow(const wchar_t* title = L"") {
    static const ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SubclasserTestWindow";
        return ::RegisterClassW(&wc);
    }();
    EXPECT_NE(cls, 0);
    return ::CreateWindowExW(0, L"SubclasserTestWindow", title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// The title of the window a CBT creation notice is about.
std::wstring TitleOf(LPARAM createLParam) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(createLParam);
    const wchar_t* name = create && create->lpcs ? create->lpcs->lpszName : nullptr;
    return name && !IS_INTRESOURCE(name) ? std::wstring(name) : std::wstring();
}

// Adds `add` to whatever the previous procedure answers to kPing, and records what it saw.
class Adder : public Subclasser {
public:
    Adder(LRESULT add, std::vector<UINT>* seen = nullptr, bool* destroyed = nullptr)
        : m_add{add}, m_seen{seen}, m_destroyed{destroyed} {}
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (m_seen) m_seen->push_back(message);
        if (message == kThrow) throw std::runtime_error("handler failed");
        if (message == kRelease) {
            Release(this);                                     // releasing itself from inside its own message
            return CallPrevious(kPing, 0, 0) + m_add;          // members still valid until we return
        }
        if (message == kPing) return CallPrevious(message, wParam, lParam) + m_add;
        return CallPrevious(message, wParam, lParam);
    }
    int reports = 0;

protected:
    ~Adder() override {
        if (m_destroyed) *m_destroyed = true;
    }
    void ReportOnce(UINT) noexcept override { ++reports; }

private:
    LRESULT m_add;
    std::vector<UINT>* m_seen;
    bool* m_destroyed;
};

// A third party that subclasses with a plain procedure, as foreign code would.
WNDPROC g_foreignPrevious = nullptr;
LRESULT CALLBACK ForeignProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const LRESULT r = ::CallWindowProcW(g_foreignPrevious, window, message, wParam, lParam);
    return message == kPing ? r + 100 : r;
}

}  // namespace

TEST(ThunkPool, SlotsAreReusedAndCounted) {
    auto& pool = ThunkPool::Instance();
    const size_t before = pool.SlotsInUse();
    std::vector<void*> slots;
    for (int i = 0; i < 600; ++i) slots.push_back(pool.Allocate(&slots, reinterpret_cast<const void*>(&PlainProc)));
    EXPECT_EQ(pool.SlotsInUse(), before + 600);  // more than one page's worth
    for (void* s : slots) pool.Free(s);
    EXPECT_EQ(pool.SlotsInUse(), before);
    void* again = pool.Allocate(&slots, reinterpret_cast<const void*>(&PlainProc));
    EXPECT_EQ(again, slots.back());
    pool.Free(again);
}

TEST(ThunkPool, ASlotThatCannotBeRewrittenIsRetiredAndReported) {
    auto& pool = ThunkPool::Instance();
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    const size_t perPage = system.dwPageSize / ThunkPool::kSlotSize;
    const auto pageOf = [&](void* slot) {
        return reinterpret_cast<uintptr_t>(slot) & ~uintptr_t{system.dwPageSize - 1};
    };
    // Enough slots that at least one page holds ours alone.
    std::vector<void*> slots;
    std::map<uintptr_t, size_t> onPage;
    for (size_t i = 0; i < 3 * perPage; ++i) {
        slots.push_back(pool.Allocate(&slots, reinterpret_cast<const void*>(&PlainProc)));
        ++onPage[pageOf(slots.back())];
    }
    const auto ours = std::find_if(onPage.begin(), onPage.end(), [&](const auto& p) { return p.second == perPage; });
    ASSERT_NE(ours, onPage.end());
    const uintptr_t dead = ours->first;
    // A page that no longer changes protection, as when the system refuses to.
    ASSERT_TRUE(::VirtualFree(reinterpret_cast<void*>(dead), system.dwPageSize, MEM_DECOMMIT));

    FailureLogCapture log;
    const size_t inUse = pool.SlotsInUse();
    for (void* s : slots) pool.Free(s);
    EXPECT_EQ(pool.SlotsInUse(), inUse - slots.size());
    EXPECT_EQ(log.Count(u"its slot is retired"), perPage);

    // Handed out again, a dead slot would fail every later Allocate; none comes back.
    std::vector<void*> again;
    for (size_t i = 0; i < 3 * perPage; ++i) {
        again.push_back(pool.Allocate(&again, reinterpret_cast<const void*>(&PlainProc)));
        EXPECT_NE(pageOf(again.back()), dead);
    }
    EXPECT_EQ(log.lines.size(), perPage);

    // A page that dies while its slots are free: each fails once, then the pool goes on.
    std::map<uintptr_t, size_t> freed;
    for (void* s : again) {
        pool.Free(s);
        ++freed[pageOf(s)];
    }
    const auto idle = std::find_if(freed.begin(), freed.end(), [&](const auto& p) { return p.second == perPage; });
    ASSERT_NE(idle, freed.end());
    ASSERT_TRUE(::VirtualFree(reinterpret_cast<void*>(idle->first), system.dwPageSize, MEM_DECOMMIT));
    size_t refused = 0;
    std::vector<void*> after;
    while (after.size() < 3 * perPage && refused <= perPage) {
        try {
            after.push_back(pool.Allocate(&after, reinterpret_cast<const void*>(&PlainProc)));
            EXPECT_NE(pageOf(after.back()), idle->first);
        } catch (const Win32Error&) {
            ++refused;
        }
    }
    EXPECT_LE(refused, perPage);
    EXPECT_EQ(after.size(), 3 * perPage);
    for (void* s : after) pool.Free(s);
}

TEST(ThunkPool, SlotCodeReplacesTheFirstArgumentAndJumps) {
    auto& pool = ThunkPool::Instance();
    int object = 0;
    auto* slot = static_cast<const unsigned char*>(pool.Allocate(&object, reinterpret_cast<const void*>(&PlainProc)));
#if defined(__i386__)
    EXPECT_EQ(slot[0], 0xC7);  // mov dword [esp+4], imm32
    EXPECT_EQ(slot[1], 0x44);
    EXPECT_EQ(slot[2], 0x24);
    EXPECT_EQ(slot[3], 0x04);
    EXPECT_EQ(*reinterpret_cast<void* const*>(slot + 4), &object);
    EXPECT_EQ(slot[8], 0xE9);  // jmp rel32
    const auto rel = *reinterpret_cast<const int32_t*>(slot + 9);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(slot) + 13 + rel, reinterpret_cast<uintptr_t>(&PlainProc));
    const size_t codeEnd = 13;
#else
    EXPECT_EQ(slot[0], 0x48);  // mov rcx, imm64
    EXPECT_EQ(slot[1], 0xB9);
    EXPECT_EQ(*reinterpret_cast<void* const*>(slot + 2), &object);
    EXPECT_EQ(slot[10], 0x48);  // mov rax, imm64
    EXPECT_EQ(slot[11], 0xB8);
    EXPECT_EQ(*reinterpret_cast<const uintptr_t*>(slot + 12), reinterpret_cast<uintptr_t>(&PlainProc));
    EXPECT_EQ(slot[20], 0xFF);  // jmp rax
    EXPECT_EQ(slot[21], 0xE0);
    const size_t codeEnd = 22;
#endif
    for (size_t i = codeEnd; i < ThunkPool::kSlotSize; ++i) EXPECT_EQ(slot[i], 0xCC) << "byte " << i;
    MEMORY_BASIC_INFORMATION info{};
    ASSERT_NE(::VirtualQuery(slot, &info, sizeof info), 0u);
    EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_EXECUTE_READ));  // never writable while callable
    pool.Free(const_cast<unsigned char*>(slot));
}

// What a window procedure behind a slot was called with.
struct SeenCall {
    HWND first = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
SeenCall g_seenCall;
LRESULT CALLBACK RecordingProc(HWND first, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    g_seenCall = {first, message, wParam, lParam};
    return 0x5A5A;
}

TEST(ThunkPool, ACallThroughASlotArrivesWithTheObjectAndTheOtherArgumentsIntact) {
    auto& pool = ThunkPool::Instance();
    int object = 0;
    void* slot = pool.Allocate(&object, reinterpret_cast<const void*>(&RecordingProc));
    const auto call = reinterpret_cast<WNDPROC>(slot);
    // Arguments that fill every register or stack slot, so that a truncating slot shows.
    const auto wParam = static_cast<WPARAM>(~WPARAM{0} - 7);
    const auto lParam = static_cast<LPARAM>(~WPARAM{0} >> 1);
    EXPECT_EQ(call(reinterpret_cast<HWND>(0x1234), WM_APP + 9, wParam, lParam), 0x5A5A);
    EXPECT_EQ(reinterpret_cast<void*>(g_seenCall.first), &object);
    EXPECT_EQ(g_seenCall.message, static_cast<UINT>(WM_APP + 9));
    EXPECT_EQ(g_seenCall.wParam, wParam);
    EXPECT_EQ(g_seenCall.lParam, lParam);
    // The same slot through the system, as a window procedure is called.
    EXPECT_EQ(::CallWindowProcW(call, reinterpret_cast<HWND>(0x1234), WM_APP + 10, 3, 4), 0x5A5A);
    EXPECT_EQ(reinterpret_cast<void*>(g_seenCall.first), &object);
    EXPECT_EQ(g_seenCall.message, static_cast<UINT>(WM_APP + 10));
    pool.Free(slot);
}

TEST(Subclasser, MessagesReachTheObjectAndThePreviousProcedure) {
    HWND window = MakePlainWindow();
    ASSERT_NE(window, nullptr);
    std::vector<UINT> seen;
    SubclasserPtr<Adder> adder{new Adder(10, &seen)};
    adder->Subclass(window);
    EXPECT_EQ(Subclasser::FromHandle(window), adder.get());
    EXPECT_EQ(::SendMessageW(window, kPing, 0, 0), 11);
    EXPECT_EQ(seen.back(), kPing);
    // Dispatch works without the thunk too.
    EXPECT_EQ(adder->Dispatch(kPing, 0, 0), 11);
    adder.reset();
    EXPECT_EQ(::SendMessageW(window, kPing, 0, 0), 1);
    EXPECT_EQ(Subclasser::FromHandle(window), nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC)), &PlainProc);
    ::DestroyWindow(window);
}

TEST(Subclasser, ChainsWithLaterSubclassersAndUnwindsInAnyOrder) {
    // Two objects and one foreign procedure, each adding to the answer.
    HWND window = MakePlainWindow();
    auto* first = new Adder(10);
    first->Subclass(window);
    g_foreignPrevious = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
    auto* second = new Adder(1000);
    second->Subclass(window);
    EXPECT_EQ(::SendMessageW(window, kPing, 0, 0), 1111);
    EXPECT_EQ(Subclasser::FromHandle(window), second);
    EXPECT_EQ(Subclasser::Find<Adder>(window), second);

    // The first cannot restore without cutting off the others: it passes through.
    EXPECT_FALSE(first->Unsubclass());
    EXPECT_TRUE(first->IsPassingThrough());
    EXPECT_EQ(::SendMessageW(window, kPing, 0, 0), 1101);
    EXPECT_EQ(Subclasser::FromHandle(window), second);

    // The last one can leave cleanly; the foreign procedure is back on top.
    Subclasser::Release(second);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC)), &ForeignProc);
    EXPECT_EQ(::SendMessageW(window, kPing, 0, 0), 101);

    // Released while still inside the chain: kept alive until WM_NCDESTROY.
    const size_t slotsBefore = ThunkPool::Instance().SlotsInUse();
    Subclasser::Release(first);
    EXPECT_EQ(::SendMessageW(window, kPing, 0, 0), 101);
    ::DestroyWindow(window);
    EXPECT_EQ(ThunkPool::Instance().SlotsInUse(), slotsBefore - 1);
}

TEST(Subclasser, NcDestroyIsForwardedBeforeTheObjectLetsGo) {
    HWND window = MakePlainWindow();
    std::vector<UINT> seen;
    bool destroyed = false;
    SubclasserPtr<Adder> adder{new Adder(0, &seen, &destroyed)};
    adder->Subclass(window);
    ::DestroyWindow(window);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(adder->Handle(), nullptr);
    EXPECT_FALSE(destroyed);  // the owner still holds it
    adder.reset();
    EXPECT_TRUE(destroyed);
}

TEST(Subclasser, ReleaseDuringItsOwnMessageWaitsForTheOutermostDispatch) {
    HWND window = MakePlainWindow();
    bool destroyed = false;
    auto* adder = new Adder(5, nullptr, &destroyed);
    adder->Subclass(window);
    EXPECT_EQ(::SendMessageW(window, kRelease, 0, 0), 6);  // used its members after Release
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(::SendMessageW(window, kPing, 0, 0), 1);
    ::DestroyWindow(window);
}

TEST(Subclasser, AnExceptionFallsBackToThePreviousProcedureAndIsReportedOnce) {
    HWND window = MakePlainWindow();
    SubclasserPtr<Adder> adder{new Adder(0)};
    adder->Subclass(window);
    EXPECT_EQ(::SendMessageW(window, kThrow, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(window, kThrow, 0, 0), 0);
    EXPECT_EQ(adder->reports, 2);  // the hook is called each time; the base logs only the first
    EXPECT_EQ(::SendMessageW(window, kPing, 0, 0), 1);
    ::DestroyWindow(window);

    // The base's report: one line for the object, naming the message.
    struct Thrower : Subclasser {
        LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == kThrow) throw std::runtime_error("handler failed");
            return CallPrevious(message, wParam, lParam);
        }
    };
    FailureLogCapture log;
    window = MakePlainWindow();
    SubclasserPtr<Thrower> thrower{new Thrower};
    thrower->Subclass(window);
    ::SendMessageW(window, kThrow, 0, 0);
    ::SendMessageW(window, kThrow, 0, 0);
    EXPECT_EQ(log.Count(u"message 0x8002"), 1u);
    EXPECT_EQ(log.lines.size(), 1u);
    ::DestroyWindow(window);
}

TEST(Subclasser, RefusesADeadWindowAndASecondWindow) {
    SubclasserPtr<Adder> adder{new Adder(0)};
    EXPECT_ANY_THROW(adder->Subclass(reinterpret_cast<HWND>(0x1234)));
    HWND window = MakePlainWindow();
    adder->Subclass(window);
    HWND other = MakePlainWindow();
    EXPECT_ANY_THROW(adder->Subclass(other));
    EXPECT_EQ(::SendMessageW(other, kPing, 0, 0), 1);
    ::DestroyWindow(other);
    ::DestroyWindow(window);
}

TEST(HookGuard, SeesWindowCreationOnItsThreadAndUnhooks) {
    std::vector<HWND> created;
    {
        HookGuard guard(WH_CBT, [&](int code, WPARAM wParam, LPARAM) {
            if (code == HCBT_CREATEWND) created.push_back(reinterpret_cast<HWND>(wParam));
        });
        EXPECT_EQ(HookGuard::Current(WH_CBT), &guard);
        {
            HookGuard another(WH_CBT, HookGuard::Handler{});  // more of one kind on a thread
            EXPECT_EQ(HookGuard::Current(WH_CBT), &another);
        }
        EXPECT_EQ(HookGuard::Current(WH_CBT), &guard);
        HWND window = MakePlainWindow();
        // WINE: may create helper windows (IME) of its own along with the first one.
        EXPECT_NE(std::find(created.begin(), created.end(), window), created.end());
        ::DestroyWindow(window);
    }
    EXPECT_EQ(HookGuard::Current(WH_CBT), nullptr);
    const size_t seen = created.size();
    HWND window = MakePlainWindow();
    EXPECT_EQ(created.size(), seen);
    ::DestroyWindow(window);
}

TEST(HookGuard, AThrowingHandlerNeitherStopsTheEventNorTheOlderHooksNorItself) {
    // A watcher that throws still sees every creation, and the hooks before it still run.
    int older = 0;
    HookGuard counter(WH_CBT, [&](int code, WPARAM, LPARAM lParam) {
        if (code == HCBT_CREATEWND && TitleOf(lParam) == L"throws") ++older;
    });
    {
        FailureLogCapture log;
        std::vector<HWND> seen;
        HookGuard watcher(WH_CBT, [&](int code, WPARAM wParam, LPARAM) {
            if (code != HCBT_CREATEWND) return;
            seen.push_back(reinterpret_cast<HWND>(wParam));
            throw std::runtime_error("hook failed");
        });
        for (int i = 1; i <= 2; ++i) {
            HWND window = MakePlainWindow(L"throws");
            EXPECT_TRUE(::IsWindow(window));                                          // made all the same
            EXPECT_NE(std::find(seen.begin(), seen.end(), window), seen.end()) << i;  // watched each time
            EXPECT_EQ(older, i);
            ::DestroyWindow(window);
        }
        EXPECT_EQ(log.Count(u"handler failed on code 3"), 1u);  // HCBT_CREATEWND, reported once
    }

    // A filter that throws, before or after running the older hooks: they run once.
    for (const bool afterNext : {false, true}) {
        HookGuard filter(WH_CBT, [&](int, WPARAM, LPARAM, const HookGuard::Next& next) -> LRESULT {
            if (afterNext) (void)next();
            throw std::runtime_error("filter failed");
        });
        older = 0;
        HWND made = MakePlainWindow(L"throws");
        EXPECT_NE(made, nullptr);
        EXPECT_EQ(older, 1) << "after next: " << afterNext;
        ::DestroyWindow(made);
    }
}

TEST(HookGuard, SeveralOfOneKindRunNewestFirstAndAFilterDecidesAfterTheOlderOnes) {
    std::vector<std::wstring> log;
    // The title of one of this test's windows being created, else empty.
    // WINE: makes an IME window of its own along with the thread's first window.
    const auto ours = [](int code, LPARAM lParam) {
        const std::wstring title = code == HCBT_CREATEWND ? TitleOf(lParam) : L"";
        return title == L"refused" || title == L"overruled" || title == L"kept" ? title : L"";
    };
    // The older hook refuses the windows (a CBT hook's non-zero answer).
    HookGuard older(WH_CBT, [&](int code, WPARAM, LPARAM lParam, const HookGuard::Next& next) -> LRESULT {
        const std::wstring title = ours(code, lParam);
        if (title.empty()) return next();
        log.push_back(L"older " + title);
        return 1;
    });
    HookGuard newer(WH_CBT, [&](int code, WPARAM, LPARAM lParam, const HookGuard::Next& next) -> LRESULT {
        const std::wstring title = ours(code, lParam);
        if (title.empty()) return next();
        if (title == L"kept") return 0;  // decided alone: the older hook never hears of it
        log.push_back(L"newer " + title);
        const LRESULT answer = next();
        log.push_back(L"newer heard " + std::to_wstring(answer));
        return title == L"overruled" ? 0 : answer;
    });

    HWND refused = MakePlainWindow(L"refused");
    HWND overruled = MakePlainWindow(L"overruled");
    HWND kept = MakePlainWindow(L"kept");
    EXPECT_EQ(refused, nullptr);
    EXPECT_NE(overruled, nullptr);
    EXPECT_NE(kept, nullptr);
    const std::vector<std::wstring> expected{L"newer refused",   L"older refused",   L"newer heard 1",
                                             L"newer overruled", L"older overruled", L"newer heard 1"};
    EXPECT_EQ(log, expected);
    for (HWND w : {overruled, kept}) ::DestroyWindow(w);
}

TEST(HookGuard, AFilterMayChangeTheEventBeforeTheOlderHooksSeeIt) {
    // As a right-to-left menu swaps the arrow keys before the menu loop sees them.
    WPARAM olderSaw = 0;
    HookGuard older(WH_GETMESSAGE, [&](int, WPARAM, LPARAM lParam) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg->message == WM_KEYDOWN) olderSaw = msg->wParam;
    });
    HookGuard swapper(WH_GETMESSAGE, [](int, WPARAM, LPARAM lParam, const HookGuard::Next& next) {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_LEFT) msg->wParam = VK_RIGHT;
        return next();
    });
    HWND window = MakePlainWindow();
    ASSERT_TRUE(::PostMessageW(window, WM_KEYDOWN, VK_LEFT, 0));
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(olderSaw, static_cast<WPARAM>(VK_RIGHT));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_RIGHT));
    ::DestroyWindow(window);
}

TEST(HookGuard, GuardsLeaveInAnyOrderAndAThreadHoldsALimitedNumberOfAKind) {
    std::vector<int> seen(HookGuard::kPerKind + 1, 0);
    std::vector<std::unique_ptr<HookGuard>> guards;
    const auto add = [&](size_t index) {
        return std::make_unique<HookGuard>(WH_CBT, [&seen, index](int code, WPARAM, LPARAM lParam) {
            if (code == HCBT_CREATEWND && TitleOf(lParam) == L"counted") ++seen[index];
        });
    };
    for (size_t i = 0; i < HookGuard::kPerKind; ++i) guards.push_back(add(i));
    EXPECT_THROW(add(HookGuard::kPerKind), Exception);

    guards[2].reset();  // an old one leaves first; its place is free again
    guards[2] = add(HookGuard::kPerKind);
    EXPECT_EQ(HookGuard::Current(WH_CBT), guards[2].get());
    HWND window = MakePlainWindow(L"counted");
    ::DestroyWindow(window);
    for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], i == 2 ? 0 : 1) << "guard " << i;

    for (size_t i : {5, 0, 7, 2, 1, 6, 3, 4}) guards[i].reset();
    EXPECT_EQ(HookGuard::Current(WH_CBT), nullptr);
    window = MakePlainWindow(L"counted");
    ::DestroyWindow(window);
    EXPECT_EQ(seen[0], 1);
}
