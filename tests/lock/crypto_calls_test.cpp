#include "lock/crypto_calls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Hex(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) bytes.push_back(std::stoi(text.substr(i, 2), nullptr, 16));
    return bytes;
}

struct SealVector {
    const char* key;
    const char* nonce;
    const char* associated;
    const char* plain;
    const char* result;  // ciphertext and tag
};

// RFC 8452, appendix C.2 (AEAD_AES_256_GCM_SIV): no text, one block and more, text and
// associated data of lengths that are no whole blocks.
const SealVector kRfc8452[] = {
    {"0100000000000000000000000000000000000000000000000000000000000000", "030000000000000000000000", "", "",
     "07f5f4169bbf55a8400cd47ea6fd400f"},
    {"0100000000000000000000000000000000000000000000000000000000000000", "030000000000000000000000", "01",
     "02000000000000000000000000000000030000000000000000000000000000000400000000000000000000000000000005000000000000"
     "000000000000000000",
     "67fd45e126bfb9a79930c43aad2d36967d3f0e4d217c1e551f59727870beefc98cb933a8fce9de887b1e40799988db1fc3f91880ed40"
     "5b2dd298318858467c895bde0285037c5de81e5b570a049b62a0"},
    {"0100000000000000000000000000000000000000000000000000000000000000", "030000000000000000000000",
     "010000000000000000000000000000000200", "0300000000000000000000000000000004000000",
     "43dd0163cdb48f9fe3212bf61b201976067f342bb879ad976d8242acc188ab59cabfe307"},
    {"bae8e37fc83441b16034566b7a806c46bb91c3c5aedb64a6c590bc84d1a5e269", "e4b47801afc0577e34699b9e", "4fbdc66f14",
     "671fdd", "0eaccb93da9bb81333aee0c785b240d319719d"},
    {"a44102952ef94b02b805249bac80e6f61455bfac8308a2d40d8c845117808235", "5c9e940fea2f582950a70d5a",
     "0da55210cc1c1b0abde3b2f204d1e9f8b06bc47f", "1db2316fd568378da107b52b",
     "8dbeb9f7255bf5769dd56692404099c2587f64979f21826706d497d5"},
};

TEST(LockCryptoCalls, SealsAndOpensTheRfc8452Vectors) {
    ASSERT_TRUE(StartCrypto());
    for (const SealVector& v : kRfc8452) {
        SCOPED_TRACE(v.result);
        const auto key = Hex(v.key), nonce = Hex(v.nonce), associated = Hex(v.associated), plain = Hex(v.plain);
        const std::span<const std::uint8_t, kSealKeyBytes> keySpan(key.data(), kSealKeyBytes);
        const std::span<const std::uint8_t, kSealNonceBytes> nonceSpan(nonce.data(), kSealNonceBytes);
        std::vector<std::uint8_t> sealed = {0xAA};  // what is there already stays
        ASSERT_TRUE(SealGcmSiv(keySpan, nonceSpan, associated, plain, sealed));
        EXPECT_EQ(std::vector<std::uint8_t>(sealed.begin() + 1, sealed.end()), Hex(v.result));
        EXPECT_EQ(sealed.front(), 0xAA);

        std::vector<std::uint8_t> opened = {1, 2, 3};
        ASSERT_EQ(OpenGcmSiv(keySpan, nonceSpan, associated, Hex(v.result), opened), OpenResult::Ok);
        EXPECT_EQ(opened, plain);
        // Other associated data, or a changed byte of the text or the tag: refused, and
        // nothing of the text given out.
        auto otherAssociated = associated;
        otherAssociated.push_back(0);
        EXPECT_EQ(OpenGcmSiv(keySpan, nonceSpan, otherAssociated, Hex(v.result), opened), OpenResult::Mismatch);
        EXPECT_TRUE(opened.empty());
        for (std::size_t at : {std::size_t{0}, Hex(v.result).size() - 1}) {
            auto changed = Hex(v.result);
            changed[at] ^= 0x01;
            EXPECT_EQ(OpenGcmSiv(keySpan, nonceSpan, associated, changed, opened), OpenResult::Mismatch);
            EXPECT_TRUE(opened.empty());
        }
    }
}

TEST(LockCryptoCalls, DerivesTheRfc9106Argon2idVector) {
    // RFC 9106, section 5.3: 32 KiB, 3 passes, 4 lanes, with a secret and associated data.
    const std::vector<std::uint8_t> password(32, 0x01), salt(16, 0x02), secret(8, 0x03), associated(12, 0x04);
    std::vector<std::uint8_t> tag(32);
    ASSERT_TRUE(DeriveArgon2id(password, salt, {32, 3, 4}, tag, secret, associated));
    EXPECT_EQ(tag, Hex("0d640df58d78766c08c037a34a8b53c9d01ef0452d75b65eb52520e96b01e659"));
    // The same inputs on one lane are another function: the lanes are part of the cost.
    std::vector<std::uint8_t> oneLane(32);
    ASSERT_TRUE(DeriveArgon2id(password, salt, {32, 3, 1}, oneLane, secret, associated));
    EXPECT_NE(oneLane, tag);
}

TEST(LockCryptoCalls, RefusesWhatTheLibraryCannotDerive) {
    std::vector<std::uint8_t> out(32);
    const std::vector<std::uint8_t> salt(16, 0x02);
    EXPECT_FALSE(DeriveArgon2id({}, salt, {64, 1, 1}, out));    // an empty password
    EXPECT_FALSE(DeriveArgon2id(salt, salt, {64, 1, 0}, out));  // no lane
}

TEST(LockCryptoCalls, HashesTheEmptyStringAsSha256Does) {
    const auto digest = Sha256({});
    EXPECT_EQ(std::vector<std::uint8_t>(digest.begin(), digest.end()),
              Hex("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
}

}  // namespace
