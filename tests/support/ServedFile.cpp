#include "tests/support/ServedFile.h"

#include <openssl/evp.h>

#include <fstream>
#include <memory>
#include <vector>

#include "service/FileContent.h"

namespace pelltest {
namespace {

using DigestContext = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

DigestContext NewSha256() {
    DigestContext ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr);
    return ctx;
}

std::string HexDigest(EVP_MD_CTX* ctx) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(ctx, digest, &length);
    static const char* hex = "0123456789abcdef";
    std::string out;
    for (unsigned int i = 0; i < length; ++i) {
        out += hex[digest[i] >> 4];
        out += hex[digest[i] & 15];
    }
    return out;
}

}  // namespace

std::string ServedFileSha256(const std::string& name, uint64_t size, uint32_t version) {
    auto ctx = NewSha256();
    std::vector<char> chunk(1 << 20);
    for (uint64_t offset = 0; offset < size; offset += chunk.size()) {
        size_t count = static_cast<size_t>(std::min<uint64_t>(chunk.size(), size - offset));
        service::Fill(name, version, offset, chunk.data(), count);
        EVP_DigestUpdate(ctx.get(), chunk.data(), count);
    }
    return HexDigest(ctx.get());
}

std::string FileSha256(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    auto ctx = NewSha256();
    std::vector<char> chunk(1 << 20);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        EVP_DigestUpdate(ctx.get(), chunk.data(), static_cast<size_t>(in.gcount()));
    }
    return HexDigest(ctx.get());
}

}  // namespace pelltest
