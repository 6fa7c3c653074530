#pragma once
// A key of another store that remembers, in a StoreImage, what it read and wrote. A write
// whose bytes the image already holds makes no call; one the image does not know reads the
// stored value first and writes only when it differs or is missing. The store thus ends as
// if everything had been written, as long as nothing else writes to it while the image is
// kept. Subkeys made for writing are opened on their first call that needs them, so records
// that did not change cost nothing.
#include "platform/IKeyValueStore.h"
#include "platform/StoreImage.h"

namespace platform {

class ImageKeyValueStore final : public IKeyValueStore {
public:
    // Over an open key. The key and the image must outlive this object, and this object every
    // subkey it gives.
    ImageKeyValueStore(IKeyValueStore& key, StoreImage& image);
    // Over no store: reads give nothing, and a write succeeds only when the image holds its
    // value already, so saving a record here tells whether the store holds it as it is.
    explicit ImageKeyValueStore(StoreImage& image);
    ImageKeyValueStore(const ImageKeyValueStore&) = delete;
    ImageKeyValueStore& operator=(const ImageKeyValueStore&) = delete;

    // Writes that failed through this key and every subkey it gave, so far.
    std::size_t FailedWrites() const { return *m_failures; }

    std::unique_ptr<IKeyValueStore> OpenKey(const std::wstring& path) override;
    std::unique_ptr<IKeyValueStore> CreateKey(const std::wstring& path) override;
    std::vector<std::wstring> SubKeyNames() override;
    std::size_t ValueCount() override;
    bool HasValue(const std::wstring& name) override;
    std::optional<std::wstring> ReadString(const std::wstring& name,
                                           std::size_t maxLength) override;
    std::optional<std::uint32_t> ReadDword(const std::wstring& name) override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(const std::wstring& name,
                                                        std::size_t maxBytes) override;
    std::optional<StoredValue> ReadValue(const std::wstring& name, std::size_t maxBytes) override;
    bool WriteString(const std::wstring& name, const std::wstring& text) override;
    bool WriteDword(const std::wstring& name, std::uint32_t value) override;
    bool WriteBinary(const std::wstring& name, const std::vector<std::uint8_t>& bytes) override;

private:
    // A subkey opened already (for reading) or opened for writing when first needed.
    ImageKeyValueStore(std::unique_ptr<IKeyValueStore> opened, StoreImage& image,
                       std::size_t* failures);
    ImageKeyValueStore(ImageKeyValueStore& parent, std::wstring path, StoreImage& image);

    // The key below, or null when it cannot be created.
    IKeyValueStore* Key();
    // Whether the store holds exactly this value: from the image, else asked and remembered.
    bool AlreadyStored(const std::wstring& name, const StoredValue& value);
    // Notes a write's outcome; a failed one leaves the stored value unknown.
    bool Remember(const std::wstring& name, const StoredValue& value, bool written);
    bool Fail();

    IKeyValueStore* m_key = nullptr;
    std::unique_ptr<IKeyValueStore> m_owned;
    ImageKeyValueStore* m_parent = nullptr;
    std::wstring m_path;
    bool m_tried = false;
    // Opened for writing with no values at all: nothing needs to be asked before a write.
    bool m_empty = false;
    StoreImage& m_image;
    std::size_t m_ownFailures = 0;
    std::size_t* m_failures = &m_ownFailures;
};

} // namespace platform
