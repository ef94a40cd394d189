#pragma once
// AES (FIPS-197) for 16-, 24- and 32-byte keys, with a processing routine in
// the decrypting direction. The service-key probe uses counter mode.
#include <cstdint>

class CAesCipher {
public:
    enum Mode : unsigned { kEcb = 0, kCbc = 1, kCfb = 2, kOfb = 3, kCtr = 4 };

    CAesCipher();

    // Ignored unless the key is set and 16, 24 or 32 bytes long.
    void SetKey(const uint8_t* key, int length);
    // Copies the initial counter block; null clears it.
    void SetCounter(const uint8_t* block);
    void EncryptBlock(const uint8_t in[16], uint8_t out[16]) const;
    void DecryptBlock(const uint8_t in[16], uint8_t out[16]) const;
    // Whole blocks only; a call that cannot act leaves the output untouched.
    void Process(const uint8_t* in, uint8_t* out, unsigned length, unsigned mode) const;

private:
    bool keySet;
    uint32_t encryptKeys[60];
    uint32_t decryptKeys[60];
    int keyLength;
    int rounds;
    bool ivSet;
    uint8_t iv[16];
    bool counterSet;
    uint8_t counter[16];
};
