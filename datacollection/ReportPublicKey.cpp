#include "datacollection/ReportPublicKey.h"

namespace tessaly {

// The private half lives with the local service only.
const char kReportPublicKey[] =
    "-----BEGIN PUBLIC KEY-----\n"
    "MIIBIjANBgkqhkiG9w0BAQEFAAOCAQ8AMIIBCgKCAQEAxHiOxXjgCauBpBUy4lm9\n"
    "cxjUpsJCb5nVmO86u6QCXlyHQfZod+p6rv3pKNqDWhndX+nLaEBn4gv9KUc3pXbn\n"
    "1PSCnffxjc+/WPArBf7yX4q08Tt5KwEXEm41gKXNugn9uP/TfKQ0w5EzrpKUUkAT\n"
    "YGJjLA4nUgNaIVY2XwwGhxw4V6JA8fgUlMg0LYN0v7im/ACGb/mu5g50NAciXP04\n"
    "BjTnmAyHmj7lQ+Z62gLHUv3aAoQ0JaZc9br6CvYJUo7PqchCzjftFQhyj/g4W0IC\n"
    "BjRBm3PduJYay2SgMxyFIy5ZGipcwzsnNp8lRjERgAr9Xp3Q0/isMuGwfm55PGC/\n"
    "8QIDAQAB\n"
    "-----END PUBLIC KEY-----";

}  // namespace tessaly
