#include "ToolReportOpener.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <memory>
#include <vector>

#include "ToolReportKey.h"

namespace {

struct KeyRelease {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct ContextRelease {
    void operator()(EVP_PKEY_CTX* context) const { EVP_PKEY_CTX_free(context); }
};

std::unique_ptr<EVP_PKEY, KeyRelease> LoadPrivateKey() {
    BIO* bio = BIO_new_mem_buf(service::kToolReportPrivateKey, -1);
    if (bio == nullptr) return nullptr;
    std::unique_ptr<EVP_PKEY, KeyRelease> key(PEM_read_bio_PrivateKey(bio, nullptr, nullptr, nullptr));
    BIO_free(bio);
    return key;
}

bool DecodeBase64(const std::string& text, std::vector<unsigned char>& bytes) {
    if (text.size() % 4 != 0) return false;
    bytes.resize(text.size() / 4 * 3);
    const int decoded = EVP_DecodeBlock(bytes.data(), reinterpret_cast<const unsigned char*>(text.data()),
                                        static_cast<int>(text.size()));
    if (decoded < 0) return false;
    size_t fill = 0;
    while (fill < 2 && fill < text.size() && text[text.size() - 1 - fill] == '=') ++fill;
    bytes.resize(static_cast<size_t>(decoded) - fill);
    return true;
}

}  // namespace

bool OpenToolReport(const std::string& sealedBase64, std::string& report) {
    std::vector<unsigned char> sealed;
    const auto key = LoadPrivateKey();
    if (!key || !DecodeBase64(sealedBase64, sealed)) return false;
    const size_t blockSize = static_cast<size_t>(EVP_PKEY_get_size(key.get()));
    if (sealed.size() % blockSize != 0) return false;
    std::unique_ptr<EVP_PKEY_CTX, ContextRelease> context(EVP_PKEY_CTX_new(key.get(), nullptr));
    if (!context || EVP_PKEY_decrypt_init(context.get()) <= 0 ||
        EVP_PKEY_CTX_set_rsa_padding(context.get(), RSA_PKCS1_PADDING) <= 0)
        return false;
    report.clear();
    std::vector<unsigned char> piece(blockSize);
    for (size_t p = 0; p < sealed.size(); p += blockSize) {
        size_t length = piece.size();
        if (EVP_PKEY_decrypt(context.get(), piece.data(), &length, sealed.data() + p, blockSize) <= 0)
            return false;
        report.append(reinterpret_cast<const char*>(piece.data()), length);
    }
    return true;
}
