#include "framework/win/HookGuard.h"
#include "framework/win/Subclasser.h"
#include "framework/win/Thunk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
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

HWND MakePlainWindow() {
    static const ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SubclasserTestWindow";
        return ::RegisterClassW(&wc);
    }();
    EXPECT_NE(cls, 0);
    return ::CreateWindowExW(0, L"SubclasserTestWindow", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
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
        EXPECT_ANY_THROW(HookGuard(WH_CBT, nullptr));  // one per kind and thread
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

TEST(HookGuard, AThrowingHandlerDoesNotStopTheEvent) {
    HookGuard guard(WH_CBT, [](int, WPARAM, LPARAM) { throw std::runtime_error("hook failed"); });
    HWND window = MakePlainWindow();
    EXPECT_NE(window, nullptr);
    ::DestroyWindow(window);
}
