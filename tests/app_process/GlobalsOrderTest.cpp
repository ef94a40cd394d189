// The program's global objects are constructed in their one specified order.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "ProgramRun.h"
#include "tests/support/LocalService.h"
#include "tests/support/TempFolder.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;

// Offsets of the program's defined data symbols, by demangled name.
std::map<unsigned long, std::string> DataSymbols(const std::string& program) {
    std::map<unsigned long, std::string> symbols;
    FILE* pipe = ::popen(("nm -C --defined-only '" + program + "'").c_str(), "r");
    if (pipe == nullptr) return symbols;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream in(line);
        unsigned long offset = 0;
        std::string type, name;
        in >> std::hex >> offset >> type;
        std::getline(in >> std::ws, name);
        if (type == "B" || type == "b" || type == "D" || type == "d") symbols[offset] = name;
    }
    ::pclose(pipe);
    return symbols;
}

TEST(GlobalsOrder, ConstructedInTheirOneOrder) {
#if defined(PELL_SANITIZED)
    GTEST_SKIP() << "the sanitizer runtimes must come first among the preloaded libraries";
#endif
    pelltest::LocalService& service = pelltest::LocalService::Shared();
    service.Reset();
    const pelltest::TempFolder logFolder("pellucor_atexit_");
    const fs::path log = logFolder / "atexit.log";
    ProgramFolder folder;
    {
        ProgramRun run(folder, {{"PELLUCOR_SERVICE_URL", service.BaseUrl()},
                                {"PELLUCOR_CA_FILE", service.CertificateFile()},
                                {"LD_PRELOAD", PELLUCOR_ATEXIT_RECORDER},
                                {"PELLUCOR_ATEXIT_LOG", log.string()}});
        ASSERT_TRUE(WaitUntil([&] { return !service.Log("/home/tool/urlList").empty(); })) << run.Output();
        run.RequestClose();
        ASSERT_EQ(run.WaitForExit(), 0) << run.Output();
    }
    const std::map<unsigned long, std::string> symbols = DataSymbols(folder.Program());
    ASSERT_FALSE(symbols.empty());
    // Globals with a destructor, in the order the program registered them.
    std::vector<std::string> order;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) {
        const auto found = symbols.find(std::stoul(line, nullptr, 16));
        if (found == symbols.end()) continue;
        // Globals by their prefix; a local static of the framework whose
        // signature happens to hold "g_" (as "string_view" does) is none.
        const std::string& name = found->second;
        if (name.rfind("g_", 0) == 0 || name.find("::g_") != std::string::npos) order.push_back(name);
    }
    // The record pointer and the stateless converter have no destructor to
    // observe; they stand between the popup names and the database.
    const std::vector<std::string> expected = {"g_popupLayoutName[abi:cxx11]",
                                               "g_popupListViewName[abi:cxx11]",
                                               "g_driverDb",
                                               "g_downLoadManager",
                                               "g_downLoadEventQueue",
                                               "g_uiEventQueue",
                                               "g_driverTaskList",
                                               "g_downLoadDispatcher",
                                               "(anonymous namespace)::g_downLoadShutdown",
                                               "g_defaultOsName",
                                               "g_defaultDriverIcon[abi:cxx11]",
                                               "g_downLoadDir[abi:cxx11]",
                                               "g_maxDownLoadsText[abi:cxx11]"};
    EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace apptest
