#pragma once
// The launch probe program's file name beside the tests, and the event it sets when started.
inline constexpr wchar_t kLaunchProbeFile[] = L"launch_probe.exe";
inline constexpr wchar_t kLaunchProbeEvent[] = L"GearhostLaunchProbeStarted";
