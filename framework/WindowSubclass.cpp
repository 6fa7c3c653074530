#include "framework/WindowSubclass.h"

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace fw {
namespace {

struct Entry {
    SubclassProcedure procedure;
    UINT_PTR id;
    DWORD_PTR data;
    bool removed;
};

// One window's chain. Entries are only appended (on top) while messages run; removed ones are
// marked and dropped once no message runs, so the positions of running messages stay valid.
struct Chain {
    WNDPROC original = nullptr;
    std::vector<Entry> entries; // the last is called first
    std::size_t position = 0;   // next entry of the running message: entries[position - 1]
    int running = 0;            // messages in the chain (they nest)
    bool destroyed = false;     // WM_NCDESTROY went through while others ran
};

// The chains of this binary's subclassed windows; each is used on its window's thread only,
// the lock keeps the table whole.
class Chains {
public:
    Chain* Find(HWND window) {
        std::lock_guard<std::mutex> lock(m_lock);
        auto it = m_chains.find(window);
        return it == m_chains.end() ? nullptr : it->second.get();
    }
    Chain* Add(HWND window) {
        std::lock_guard<std::mutex> lock(m_lock);
        auto& chain = m_chains[window];
        if (!chain)
            chain = std::make_unique<Chain>();
        return chain.get();
    }
    void Remove(HWND window) {
        std::unique_ptr<Chain> gone;
        std::lock_guard<std::mutex> lock(m_lock);
        auto it = m_chains.find(window);
        if (it != m_chains.end()) {
            gone = std::move(it->second);
            m_chains.erase(it);
        }
    }

private:
    std::mutex m_lock;
    std::unordered_map<HWND, std::unique_ptr<Chain>> m_chains;
};

Chains& AllChains() {
    static Chains chains;
    return chains;
}

LRESULT CALLBACK ChainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool ChainProcIsInstalled(HWND window) {
    return GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ChainProc);
}

// Once no message runs: drops removed entries, and an empty chain gives the window its own
// procedure back (when nobody has hooked on top of it since; otherwise it stays and passes
// messages through).
void Settle(HWND window, Chain* chain) {
    if (chain->running > 0)
        return;
    if (chain->destroyed) {
        AllChains().Remove(window);
        return;
    }
    std::vector<Entry>& entries = chain->entries;
    for (auto it = entries.begin(); it != entries.end();)
        it = it->removed ? entries.erase(it) : it + 1;
    if (entries.empty() && ChainProcIsInstalled(window)) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
        AllChains().Remove(window);
    }
}

LRESULT CallNext(Chain* chain, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    while (chain->position > 0) {
        const Entry entry = chain->entries[--chain->position]; // a copy: the chain may grow
        if (!entry.removed)
            return entry.procedure(window, message, wParam, lParam, entry.id, entry.data);
    }
    return CallWindowProcW(chain->original, window, message, wParam, lParam);
}

LRESULT CALLBACK ChainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Chain* chain = AllChains().Find(window);
    if (!chain)
        return DefWindowProcW(window, message, wParam, lParam);
    const std::size_t outer = chain->position;
    chain->position = chain->entries.size();
    ++chain->running;
    const LRESULT result = CallNext(chain, window, message, wParam, lParam);
    --chain->running;
    chain->position = outer;
    if (message == WM_NCDESTROY) {
        // The window is gone: the chain goes with it (once every message in it has returned).
        chain->destroyed = true;
        if (ChainProcIsInstalled(window))
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
    }
    Settle(window, chain);
    return result;
}

} // namespace

bool SetWindowSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR data) {
    if (!procedure || !IsWindow(window) ||
        GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return false;
    Chain* chain = AllChains().Find(window);
    if (chain && chain->destroyed)
        return false;
    if (chain) {
        for (Entry& entry : chain->entries) {
            if (!entry.removed && entry.procedure == procedure && entry.id == id) {
                entry.data = data;
                return true;
            }
        }
    } else {
        chain = AllChains().Add(window);
    }
    // A new chain hooks in; one that passes through under somebody else's hook is there already.
    if (!chain->original)
        chain->original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc)));
    chain->entries.push_back({procedure, id, data, false});
    return true;
}

bool RemoveWindowSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id) {
    Chain* chain = AllChains().Find(window);
    if (!chain)
        return false;
    for (Entry& entry : chain->entries) {
        if (!entry.removed && entry.procedure == procedure && entry.id == id) {
            entry.removed = true;
            Settle(window, chain);
            return true;
        }
    }
    return false;
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Chain* chain = AllChains().Find(window);
    if (!chain || chain->running == 0)
        return DefWindowProcW(window, message, wParam, lParam);
    return CallNext(chain, window, message, wParam, lParam);
}

} // namespace fw
