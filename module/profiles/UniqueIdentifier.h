#pragma once
// Identifiers of new records: "<prefix><tick>" with the millisecond tick count written as a
// signed decimal (a count above 2^31 - 1 gives a minus sign). Two records made within one
// tick would collide, so a taken number moves on to the next one.
#include <cstdint>
#include <functional>
#include <string>

std::wstring MakeUniqueIdentifier(const wchar_t* prefix, std::uint32_t tick,
                                  const std::function<bool(const std::wstring&)>& isTaken);
