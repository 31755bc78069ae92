#include "lock/diary_seal.h"

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

}  // namespace

std::shared_ptr<const DayFileSeal> MakeDiarySeal(const DiaryKey& key) { return std::make_shared<DiarySeal>(key); }
