#pragma once
// The profile file: one UTF-8 JSON document (docs/profile-file.md).
#include <cstddef>

namespace exchange {

constexpr char kFormatName[] = "vireo-profiles";
constexpr unsigned kFormatVersion = 1;
// Larger files are refused before they are read: 1,000 long macros fit many times over.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

constexpr char kKeypressKind[] = "keypress";
constexpr char kTextKind[] = "text";
constexpr char kLaunchKind[] = "launch";

} // namespace exchange
