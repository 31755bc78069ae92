#include "lock/diary_seal.h"

#include "platform/utf16.h"

namespace {

class DiarySeal final : public DayFileSeal {
public:
    explicit DiarySeal(const DiaryKey& key) : key_(key) {}

    std::optional<std::vector<std::uint8_t>> Seal(std::u16string_view name,
                                                  std::span<const std::uint8_t> plain) const override {
        return LockFileBytes(key_, BindingOfStoredName(name), plain);
    }

    SealStatus Open(std::u16string_view name, std::span<const std::uint8_t> bytes,
                    std::vector<std::uint8_t>& plain) const override {
        switch (OpenLockedFileBytes(key_, BindingOfStoredName(name), bytes, plain)) {
        case LockedFileStatus::Ok: return SealStatus::Ok;
        case LockedFileStatus::NotLocked: return SealStatus::NotSealed;
        case LockedFileStatus::Damaged: return SealStatus::Damaged;
        case LockedFileStatus::UnknownVersion:
        case LockedFileStatus::CryptoUnavailable: break;
        }
        return SealStatus::Unavailable;
    }

private:
    DiaryKey key_;
};

// Where "." followed by `extension` (three lower-case letters) stands in the name from
// `from` on, in any letter case.
std::size_t FindExtension(std::u16string_view name, std::size_t from, std::u16string_view extension) {
    for (std::size_t at = from; at + 4 <= name.size(); ++at) {
        if (name[at] != u'.') continue;
        bool same = true;
        for (std::size_t i = 0; i < 3; ++i) same = same && AsciiLower(name[at + 1 + i]) == extension[i];
        if (same) return at;
    }
    return std::u16string_view::npos;
}

}  // namespace

FileBinding BindingOfStoredName(std::u16string_view name) {
    FileBinding binding;
    if (name.size() < 12) return binding;
    std::uint32_t day = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        if (name[i] < u'0' || name[i] > u'9') return binding;
        day = day * 10 + static_cast<std::uint32_t>(name[i] - u'0');
    }
    const std::size_t record = FindExtension(name, 8, u"dbt");
    const std::size_t picture = FindExtension(name, 8, u"bmp");
    if (record == picture) return binding;  // neither
    binding.day = day;
    binding.kind = record < picture ? LockedFileKind::Record : LockedFileKind::Picture;
    return binding;
}

std::shared_ptr<const DayFileSeal> MakeDiarySeal(const DiaryKey& key) { return std::make_shared<DiarySeal>(key); }
