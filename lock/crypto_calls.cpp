#include "lock/crypto_calls.h"

#include <gcrypt.h>

#include "lock/diary_key.h"

#include <system_error>
#include <thread>

namespace {

// GCM-SIV and Argon2 came with 1.10.
constexpr const char* kLeastVersion = "1.10.0";

bool StartOnce() {
    // The manual: gcry_check_version comes before any other call, since it sets up the
    // library's subsystems.
    if (!gcry_check_version(kLeastVersion)) return false;
    // Whoever started the library first in this process chose its memory; only the first
    // may choose.
    if (!gcry_control(GCRYCTL_INITIALIZATION_FINISHED_P)) {
        // Secure memory is off, as the manual shows for programs that need no locked
        // pages: the keys here live in our own buffers, which wipe themselves, a cipher
        // handle zeroes its key schedule when it is closed, and page locking is not
        // dependable under Wine. Argon2's 64 MiB would not fit a secure pool anyway.
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    }
    return true;
}

// Argon2's lanes of one slice run on threads of their own; the library hands each lane to
// dispatch and then waits for them all.
struct LaneThreads {
    std::vector<std::thread> running;
};

int DispatchLane(void* context, gcry_kdf_job_fn_t job, void* jobData) {
    auto* lanes = static_cast<LaneThreads*>(context);
    try {
        lanes->running.emplace_back(job, jobData);
    } catch (const std::system_error&) {
        job(jobData);  // no thread to be had: the lane runs here, the result is the same
    }
    return 0;
}

int WaitForLanes(void* context) {
    auto* lanes = static_cast<LaneThreads*>(context);
    for (std::thread& t : lanes->running) t.join();
    lanes->running.clear();
    return 0;
}

// A pointer the library may take for a buffer of no bytes.
const void* DataOrEmpty(std::span<const std::uint8_t> bytes) {
    static const std::uint8_t none = 0;
    return bytes.empty() ? &none : bytes.data();
}

class CipherHandle {
public:
    CipherHandle() = default;
    CipherHandle(const CipherHandle&) = delete;
    CipherHandle& operator=(const CipherHandle&) = delete;
    ~CipherHandle() {
        if (handle_) gcry_cipher_close(handle_);  // the manual: this zeroes the key schedule
    }

    // A handle with the key, nonce and associated data set, in the order the manual gives:
    // the key first, then the nonce, then the associated data before any text.
    bool Prepare(std::span<const std::uint8_t, kSealKeyBytes> key, std::span<const std::uint8_t, kSealNonceBytes> nonce,
                 std::span<const std::uint8_t> associated) {
        if (!StartCrypto()) return false;
        if (gcry_cipher_open(&handle_, GCRY_CIPHER_AES256, GCRY_CIPHER_MODE_GCM_SIV, 0)) return false;
        if (gcry_cipher_setkey(handle_, key.data(), key.size())) return false;
        if (gcry_cipher_setiv(handle_, nonce.data(), nonce.size())) return false;
        return !associated.empty() ? gcry_cipher_authenticate(handle_, associated.data(), associated.size()) == 0
                                   : true;
    }
    gcry_cipher_hd_t get() const { return handle_; }

private:
    gcry_cipher_hd_t handle_ = nullptr;
};

}  // namespace

bool StartCrypto() {
    static const bool started = StartOnce();  // a local static starts once, thread safe
    return started;
}

bool RandomKeyBytes(std::span<std::uint8_t> out) {
    if (!StartCrypto()) return false;
    gcry_randomize(out.data(), out.size(), GCRY_VERY_STRONG_RANDOM);
    return true;
}

bool RandomNonceBytes(std::span<std::uint8_t> out) {
    if (!StartCrypto()) return false;
    // The manual's generator for nonces: unpredictable, seeded once from the strong pool
    // and then cheap, where each gcry_randomize at the strong level polls the system's
    // entropy again (some milliseconds under Wine).
    gcry_create_nonce(out.data(), out.size());
    return true;
}

bool DeriveArgon2id(std::span<const std::uint8_t> password, std::span<const std::uint8_t> salt, const Argon2Cost& cost,
                    std::span<std::uint8_t> out, std::span<const std::uint8_t> secret,
                    std::span<const std::uint8_t> associated) {
    // unsigned long is 32 bits on Windows: a tag length past that is no key anyway.
    if (!StartCrypto() || cost.lanes == 0 || out.empty() || out.size() > 0xFFFFFFFFu) return false;
    // The parameters in the order the library's Argon2 takes them: tag length, passes,
    // memory in KiB, lanes.
    const unsigned long parameters[4] = {static_cast<unsigned long>(out.size()), cost.passes, cost.memoryKiB,
                                         cost.lanes};
    gcry_kdf_hd_t handle = nullptr;
    if (gcry_kdf_open(&handle, GCRY_KDF_ARGON2, GCRY_KDF_ARGON2ID, parameters, 4, password.data(), password.size(),
                      salt.data(), salt.size(), secret.empty() ? nullptr : secret.data(), secret.size(),
                      associated.empty() ? nullptr : associated.data(), associated.size()))
        return false;
    LaneThreads lanes;
    const gcry_kdf_thread_ops_t ops = {&lanes, DispatchLane, WaitForLanes};
    bool done = gcry_kdf_compute(handle, cost.lanes > 1 ? &ops : nullptr) == 0 &&
                gcry_kdf_final(handle, out.size(), out.data()) == 0;
    WaitForLanes(&lanes);    // none left running when compute stopped early
    gcry_kdf_close(handle);  // which wipes the memory blocks
    if (!done) WipeSecret(out);
    return done;
}

bool SealGcmSiv(std::span<const std::uint8_t, kSealKeyBytes> key, std::span<const std::uint8_t, kSealNonceBytes> nonce,
                std::span<const std::uint8_t> associated, std::span<const std::uint8_t> plain,
                std::vector<std::uint8_t>& out) {
    CipherHandle cipher;
    if (!cipher.Prepare(key, nonce, associated)) return false;
    const std::size_t start = out.size();
    out.resize(start + plain.size() + kSealTagBytes);
    std::uint8_t* sealed = out.data() + start;
    // The manual: GCM-SIV takes the whole text in one call (the tag is computed over all of
    // it before the first byte is encrypted) and the tag is read after it. The buffers may
    // not overlap, so the text goes from its own bytes into out.
    bool done = gcry_cipher_encrypt(cipher.get(), sealed, plain.size(), DataOrEmpty(plain), plain.size()) == 0 &&
                gcry_cipher_gettag(cipher.get(), sealed + plain.size(), kSealTagBytes) == 0;
    if (!done) out.resize(start);
    return done;
}

OpenResult OpenGcmSiv(std::span<const std::uint8_t, kSealKeyBytes> key,
                      std::span<const std::uint8_t, kSealNonceBytes> nonce, std::span<const std::uint8_t> associated,
                      std::span<const std::uint8_t> sealed, std::vector<std::uint8_t>& plain) {
    plain.clear();
    if (sealed.size() < kSealTagBytes) return OpenResult::Mismatch;  // not even a tag: no sealed text
    const auto text = sealed.first(sealed.size() - kSealTagBytes);
    const auto tag = sealed.last(kSealTagBytes);
    CipherHandle cipher;
    if (!cipher.Prepare(key, nonce, associated)) return OpenResult::Failed;
    // The manual: GCM-SIV needs the tag before it decrypts, and the decryption itself then
    // checks it, answering GPG_ERR_CHECKSUM when it does not fit.
    if (gcry_cipher_set_decryption_tag(cipher.get(), tag.data(), tag.size())) return OpenResult::Failed;
    plain.resize(text.size());
    std::uint8_t none = 0;
    const gcry_error_t error = gcry_cipher_decrypt(cipher.get(), plain.empty() ? &none : plain.data(), text.size(),
                                                   DataOrEmpty(text), text.size());
    if (error == 0) return OpenResult::Ok;
    WipeSecret(plain);
    plain.clear();
    return gcry_err_code(error) == GPG_ERR_CHECKSUM ? OpenResult::Mismatch : OpenResult::Failed;
}

std::array<std::uint8_t, kSha256Bytes> Sha256(std::span<const std::uint8_t> bytes) {
    std::array<std::uint8_t, kSha256Bytes> digest{};
    if (StartCrypto()) gcry_md_hash_buffer(GCRY_MD_SHA256, digest.data(), DataOrEmpty(bytes), bytes.size());
    return digest;
}
