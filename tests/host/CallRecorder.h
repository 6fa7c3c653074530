#pragma once
#include <string>
#include <vector>

// Calls recorded by the test modules (through the program's export TestRecorder_Record).
std::vector<std::wstring> RecordedCalls();
void ClearRecordedCalls();
