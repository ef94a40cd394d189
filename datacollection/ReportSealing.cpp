#include "datacollection/ReportSealing.h"

#include <openssl/bio.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <algorithm>
#include <vector>

#include "common/JsonText.h"
#include "datacollection/Base64Encoder.h"
#include "datacollection/DataCollectionApi.h"
#include "datacollection/ReportPublicKey.h"

namespace tessaly {

std::string OperationReportJson(const OperationReport& report) {
    Json::Value root(Json::objectValue);
    root["id"] = report.id;
    root["versions"] = report.versions;
    root["status"] = report.status;
    root["datetime"] = report.datetime;
    root["PcModel"] = report.PcModel;
    root["Manufacture"] = report.Manufacture;
    root["SerialNumber"] = report.SerialNumber;
    root["sourc_type"] = report.sourc_type;
    return StyledJson(root);
}

std::string RsaPublicEncrypt(const std::string& text, const char* pemKey) {
    BIO* bio = BIO_new_mem_buf(pemKey, -1);
    if (bio == nullptr) return {};
    RSA* rsa = RSA_new();
    if (rsa == nullptr || PEM_read_bio_RSA_PUBKEY(bio, &rsa, nullptr, nullptr) == nullptr) {
        RSA_free(rsa);
        BIO_free(bio);
        return {};
    }
    const int blockSize = RSA_size(rsa);
    const size_t sliceLength = static_cast<size_t>(blockSize - RSA_PKCS1_PADDING_SIZE);
    std::vector<unsigned char> block(static_cast<size_t>(blockSize) + 1);
    std::string sealed;
    for (size_t p = 0; p < text.size(); p += sliceLength) {
        const std::string piece = text.substr(p, sliceLength);
        std::fill(block.begin(), block.end(), 0);
        const int written = RSA_public_encrypt(static_cast<int>(piece.size()),
                                               reinterpret_cast<const unsigned char*>(piece.data()),
                                               block.data(), rsa, RSA_PKCS1_PADDING);
        if (written >= 0)
            sealed.append(reinterpret_cast<const char*>(block.data()), static_cast<size_t>(written));
    }
    RSA_free(rsa);
    BIO_free(bio);
    return sealed;
}

std::string SealOperationReport(const OperationReport& report) {
    const std::string sealed = RsaPublicEncrypt(OperationReportJson(report), kReportPublicKey);
    return Base64Encode(reinterpret_cast<const unsigned char*>(sealed.data()), sealed.size());
}

}  // namespace tessaly
