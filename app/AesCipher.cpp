#include "app/AesCipher.h"

CAesCipher::CAesCipher()
    : keySet(false),
      encryptKeys{},
      decryptKeys{},
      keyLength(0),
      rounds(0),
      ivSet(false),
      iv{},
      counterSet(false),
      counter{} {}
