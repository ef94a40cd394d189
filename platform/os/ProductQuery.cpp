#include "os/ProductQuery.h"

namespace os {

const std::string& ProductQueryCommand() {
    static const std::string command =
        "d=${PELLUCOR_DMI_DIR:-/sys/class/dmi/id}; v() { cat \"$d/$1\" 2>/dev/null; }; "
        "printf '\\r\\n\\r\\nDescription=Computer System Product\\r\\nIdentifyingNumber=%s\\r\\n"
        "Name=%s\\r\\nSKUNumber=%s\\r\\nUUID=%s\\r\\nVendor=%s\\r\\nVersion=%s\\r\\n\\r\\n\\r\\n' "
        "\"$(v product_serial)\" \"$(v product_name)\" \"$(v product_sku)\" "
        "\"$(v product_uuid)\" \"$(v sys_vendor)\" \"$(v product_version)\"";
    return command;
}

}  // namespace os
