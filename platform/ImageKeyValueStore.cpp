#include "platform/ImageKeyValueStore.h"

#include <limits>

namespace platform {

ImageKeyValueStore::ImageKeyValueStore(IKeyValueStore& key, StoreImage& image)
    : m_key(&key), m_tried(true), m_image(image) {}

ImageKeyValueStore::ImageKeyValueStore(StoreImage& image) : m_tried(true), m_image(image) {}

ImageKeyValueStore::ImageKeyValueStore(std::unique_ptr<IKeyValueStore> opened, StoreImage& image,
                                       std::size_t* failures)
    : m_key(opened.get()), m_owned(std::move(opened)), m_tried(true), m_image(image),
      m_failures(failures) {}

ImageKeyValueStore::ImageKeyValueStore(ImageKeyValueStore& parent, std::wstring path,
                                       StoreImage& image)
    : m_parent(&parent), m_path(std::move(path)), m_image(image), m_failures(parent.m_failures) {}

IKeyValueStore* ImageKeyValueStore::Key() {
    if (!m_tried) {
        m_tried = true;
        if (IKeyValueStore* parent = m_parent->Key()) {
            m_owned = parent->CreateKey(m_path);
            m_key = m_owned.get();
            // A key just made holds nothing: one call spares asking for each value.
            if (m_key && m_image.values.empty() && m_key->ValueCount() == 0)
                m_empty = true;
        }
    }
    return m_key;
}

std::unique_ptr<IKeyValueStore> ImageKeyValueStore::OpenKey(const std::wstring& path) {
    IKeyValueStore* key = Key();
    auto opened = key ? key->OpenKey(path) : nullptr;
    if (!opened)
        return nullptr;
    return std::unique_ptr<IKeyValueStore>(
        new ImageKeyValueStore(std::move(opened), m_image.Key(path), m_failures));
}

std::unique_ptr<IKeyValueStore> ImageKeyValueStore::CreateKey(const std::wstring& path) {
    return std::unique_ptr<IKeyValueStore>(new ImageKeyValueStore(*this, path, m_image.Key(path)));
}

std::vector<std::wstring> ImageKeyValueStore::SubKeyNames() {
    IKeyValueStore* key = Key();
    return key ? key->SubKeyNames() : std::vector<std::wstring>();
}

std::size_t ImageKeyValueStore::ValueCount() {
    IKeyValueStore* key = Key();
    return key ? key->ValueCount() : 0;
}

bool ImageKeyValueStore::HasValue(const std::wstring& name) {
    IKeyValueStore* key = Key();
    return key && key->HasValue(name);
}

std::optional<StoredValue> ImageKeyValueStore::ReadValue(const std::wstring& name,
                                                         std::size_t maxBytes) {
    IKeyValueStore* key = Key();
    auto value = key ? key->ReadValue(name, maxBytes) : std::nullopt;
    // Nothing read may be a missing value or a larger one: either way it is not known.
    if (value)
        m_image.values[name] = *value;
    else
        m_image.values.erase(name);
    return value;
}

std::optional<std::wstring> ImageKeyValueStore::ReadString(const std::wstring& name,
                                                           std::size_t maxLength) {
    // Read whole, so that the image holds what is stored even when the reader cuts it.
    const auto value = ReadValue(name, std::numeric_limits<std::size_t>::max());
    return value ? DecodeString(*value, maxLength) : std::nullopt;
}

std::optional<std::uint32_t> ImageKeyValueStore::ReadDword(const std::wstring& name) {
    const auto value = ReadValue(name, sizeof(std::uint32_t));
    return value ? DecodeDword(*value) : std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ImageKeyValueStore::ReadBinary(const std::wstring& name,
                                                                        std::size_t maxBytes) {
    const auto value = ReadValue(name, maxBytes);
    return value ? DecodeBinary(*value, maxBytes) : std::nullopt;
}

bool ImageKeyValueStore::AlreadyStored(const std::wstring& name, const StoredValue& value) {
    if (const StoredValue* known = m_image.Find(name))
        return *known == value;
    IKeyValueStore* key = Key();
    if (m_empty)
        return false;
    const auto stored = key ? key->ReadValue(name, value.bytes.size()) : std::nullopt;
    if (!stored || *stored != value)
        return false;
    m_image.values[name] = value;
    return true;
}

bool ImageKeyValueStore::Remember(const std::wstring& name, const StoredValue& value,
                                  bool written) {
    if (written) {
        m_image.values[name] = value;
        return true;
    }
    m_image.values.erase(name);
    return Fail();
}

bool ImageKeyValueStore::Fail() {
    ++*m_failures;
    return false;
}

bool ImageKeyValueStore::WriteString(const std::wstring& name, const std::wstring& text) {
    const StoredValue value = EncodeString(text);
    if (AlreadyStored(name, value))
        return true;
    IKeyValueStore* key = Key();
    if (!key)
        return Fail();
    return Remember(name, value, key->WriteString(name, text));
}

bool ImageKeyValueStore::WriteDword(const std::wstring& name, std::uint32_t number) {
    const StoredValue value = EncodeDword(number);
    if (AlreadyStored(name, value))
        return true;
    IKeyValueStore* key = Key();
    if (!key)
        return Fail();
    return Remember(name, value, key->WriteDword(name, number));
}

bool ImageKeyValueStore::WriteBinary(const std::wstring& name,
                                     const std::vector<std::uint8_t>& bytes) {
    const StoredValue value = EncodeBinary(bytes);
    if (AlreadyStored(name, value))
        return true;
    IKeyValueStore* key = Key();
    if (!key)
        return Fail();
    return Remember(name, value, key->WriteBinary(name, bytes));
}

} // namespace platform
