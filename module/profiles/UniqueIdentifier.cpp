#include "module/profiles/UniqueIdentifier.h"

std::wstring MakeUniqueIdentifier(const wchar_t* prefix, std::uint32_t tick,
                                  const std::function<bool(const std::wstring&)>& isTaken) {
    for (std::uint32_t number = tick;; ++number) {
        std::wstring id = prefix + std::to_wstring(static_cast<std::int32_t>(number));
        if (!isTaken(id))
            return id;
    }
}
