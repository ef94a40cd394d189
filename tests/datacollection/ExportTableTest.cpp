#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

const std::set<std::string> kExports = {
    "DataCollection_VersionGet",           "DataCollection_OpenToolDownUrl",
    "DataCollection_OpenFeedbackQuestion", "DataCollection_OperationResponse",
    "DataCollection_GetDeviceInfo",        "DataCollection_GetServerUrlInfo",
};

// Names of the symbols that the library defines in its dynamic symbol table.
std::set<std::string> DefinedDynamicSymbols(const std::string& library) {
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only '" + library + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), &::pclose);
    if (!pipe) return names;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
        std::istringstream fields(line);
        std::string address, kind, name;
        if (fields >> address >> kind >> name) names.insert(name);
    }
    return names;
}

}  // namespace

TEST(TessalyExports, TheLibraryExportsExactlyTheSixFunctions) {
    EXPECT_EQ(DefinedDynamicSymbols(TESSALY_LIBRARY_PATH), kExports);

    void* library = ::dlopen(TESSALY_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    for (const std::string& name : kExports) EXPECT_NE(::dlsym(library, name.c_str()), nullptr) << name;
    ::dlclose(library);
}
