// The calls a locked diary makes into libgcrypt, and the only file that includes it:
// the library's start, random bytes, the Argon2id password hash, AES-256-GCM-SIV and
// SHA-256. Everything here reports failure as a value and never throws.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr std::size_t kSealKeyBytes = 32;    // AES-256
inline constexpr std::size_t kSealNonceBytes = 12;  // GCM-SIV's nonce
inline constexpr std::size_t kSealTagBytes = 16;    // GCM-SIV's tag
inline constexpr std::size_t kSha256Bytes = 32;

// Starts the library once for the whole process; later calls, from any thread, only
// return the first one's answer. False when the library is older than the one that
// brought GCM-SIV and Argon2 (1.10) or would not start: then every call below fails.
bool StartCrypto();

// Unpredictable bytes. Keys take the library's strongest level; salts and nonces, which
// need not be secret, its nonce generator, which is cheap after its first call.
bool RandomKeyBytes(std::span<std::uint8_t> out);
bool RandomNonceBytes(std::span<std::uint8_t> out);

struct Argon2Cost {
    std::uint32_t memoryKiB = 0;
    std::uint32_t passes = 0;
    std::uint32_t lanes = 0;
};

// Argon2id (version 0x13) of the password into out, whose size is the tag length. The
// secret and associated data are optional inputs of the function; a slot uses neither.
// False when the library refuses (an empty password or salt, a cost it cannot meet,
// memory it cannot get).
bool DeriveArgon2id(std::span<const std::uint8_t> password, std::span<const std::uint8_t> salt, const Argon2Cost& cost,
                    std::span<std::uint8_t> out, std::span<const std::uint8_t> secret = {},
                    std::span<const std::uint8_t> associated = {});

enum class OpenResult {
    Ok,
    Mismatch,  // the tag does not fit: another key, nonce or associated data, or changed bytes
    Failed,    // the library could not do the work
};

// AES-256-GCM-SIV: appends the ciphertext and then its tag to out (what RFC 8452 calls
// the result), out's earlier bytes untouched.
bool SealGcmSiv(std::span<const std::uint8_t, kSealKeyBytes> key, std::span<const std::uint8_t, kSealNonceBytes> nonce,
                std::span<const std::uint8_t> associated, std::span<const std::uint8_t> plain,
                std::vector<std::uint8_t>& out);
// The reverse: sealed is the ciphertext followed by the tag. plain holds the plain bytes
// only when the result is Ok; otherwise it is empty, no unchecked byte is given out.
OpenResult OpenGcmSiv(std::span<const std::uint8_t, kSealKeyBytes> key,
                      std::span<const std::uint8_t, kSealNonceBytes> nonce, std::span<const std::uint8_t> associated,
                      std::span<const std::uint8_t> sealed, std::vector<std::uint8_t>& plain);

std::array<std::uint8_t, kSha256Bytes> Sha256(std::span<const std::uint8_t> bytes);
