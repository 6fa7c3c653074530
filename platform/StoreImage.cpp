#include "platform/StoreImage.h"

namespace platform {

StoreImage& StoreImage::Key(const std::wstring& name) {
    std::unique_ptr<StoreImage>& key = keys[name];
    if (!key)
        key = std::make_unique<StoreImage>();
    return *key;
}

const StoredValue* StoreImage::Find(const std::wstring& name) const {
    auto it = values.find(name);
    return it == values.end() ? nullptr : &it->second;
}

} // namespace platform
