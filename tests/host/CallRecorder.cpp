#include "tests/host/CallRecorder.h"

#include <windows.h>

#include <mutex>

namespace {
std::mutex g_mutex;
std::vector<std::wstring> g_calls;
} // namespace

extern "C" __declspec(dllexport) void TestRecorder_Record(const wchar_t* call) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_calls.emplace_back(call);
}

std::vector<std::wstring> RecordedCalls() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_calls;
}

void ClearRecordedCalls() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_calls.clear();
}
