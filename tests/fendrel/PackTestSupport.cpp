#include "PackTestSupport.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "fendrel/Fendrel.h"

extern char** environ;

namespace packtest {

void WriteFile(const fs::path& path, std::uint64_t size, std::uint32_t seed) {
    std::ofstream out(path, std::ios::binary);
    std::mt19937 random(seed);
    std::vector<std::uint32_t> block(16384);
    while (size > 0) {
        for (auto& word : block) word = random();
        const auto bytes = std::min<std::uint64_t>(size, block.size() * sizeof(std::uint32_t));
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(bytes));
        size -= bytes;
    }
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string Sha256Hex(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    EVP_DigestInit_ex(context, EVP_sha256(), nullptr);
    std::vector<char> buffer(1 << 16);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
        EVP_DigestUpdate(context, buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context, digest, &length);
    EVP_MD_CTX_free(context);
    std::string hex;
    char pair[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        entries[relative] = entry.is_directory() ? "dir" : Sha256Hex(entry.path());
    }
    return entries;
}

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

std::vector<std::string> FolderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

std::wstring Wide(const fs::path& path) {
    const std::string text = path.string();
    std::wstring out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t value = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            value = (value << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out += static_cast<wchar_t>(value);
        i += length;
    }
    return out;
}

int RunProgram(const std::vector<std::string>& argv, std::string* output) {
    std::vector<std::string> environment{"LC_ALL=C.UTF-8"};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind("LC_ALL=", 0) != 0) environment.emplace_back(*entry);
    }
    std::vector<char*> envp;
    for (auto& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string collected;
    char buffer[4096];
    ssize_t got;
    while ((got = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        collected.append(buffer, static_cast<std::size_t>(got));
    close(pipeFds[0]);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(child, &status, 0);
    if (output != nullptr) *output = collected;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ExtractWithXorriso(const fs::path& iso, const fs::path& into, bool joliet) {
    std::vector<std::string> argv{"xorriso", "-osirrox", "on"};
    if (joliet) argv.insert(argv.end(), {"-read_fs", "norock"});
    argv.insert(argv.end(), {"-indev", iso.string(), "-extract", "/", into.string()});
    return RunProgram(argv) == 0;
}

bool ExtractWithBsdtar(const fs::path& iso, const fs::path& into, bool joliet) {
    fs::create_directories(into);
    std::vector<std::string> argv{"bsdtar"};
    if (joliet) argv.insert(argv.end(), {"--options", "iso9660:!rockridge"});
    argv.insert(argv.end(), {"-x", "-f", iso.string(), "-C", into.string()});
    return RunProgram(argv) == 0;
}

bool ExtractWithIsoinfo(const fs::path& iso, const fs::path& into) {
    // `isoinfo -l` prints "Directory listing of /dir/" and then one line per
    // entry: the mode first, the name after the extent in brackets.
    fs::create_directories(into);
    std::string listing;
    if (RunProgram({"isoinfo", "-R", "-l", "-i", iso.string()}, &listing) != 0) return false;
    std::istringstream lines(listing);
    std::string line;
    std::string folder;
    const std::string heading = "Directory listing of ";
    while (std::getline(lines, line)) {
        if (line.rfind(heading, 0) == 0) {
            folder = line.substr(heading.size());
            continue;
        }
        const auto bracket = line.find("]  ");
        if (line.empty() || bracket == std::string::npos) continue;
        std::string name = line.substr(bracket + 3);
        if (!name.empty() && name.back() == ' ') name.pop_back();
        if (name.empty() || name == "." || name == "..") continue;
        const std::string inImage = folder + name;
        const fs::path target = into / inImage.substr(1);
        if (line.front() == 'd') {
            fs::create_directories(target);
            continue;
        }
        std::string content;
        if (RunProgram({"isoinfo", "-R", "-i", iso.string(), "-x", inImage}, &content) != 0) return false;
        fs::create_directories(target.parent_path());
        std::ofstream out(target, std::ios::binary);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!out) return false;
    }
    return true;
}

int PackRecorder::OnProgress(int percent, void* context) {
    auto* self = static_cast<PackRecorder*>(context);
    {
        std::lock_guard lock(self->mutex_);
        self->percents_.push_back(percent);
    }
    self->changed_.notify_all();
    if (self->onProgress) self->onProgress(percent);
    return 1;
}

void PackRecorder::OnError(int code, void* context) {
    auto* self = static_cast<PackRecorder*>(context);
    {
        std::lock_guard lock(self->mutex_);
        self->errors_.push_back(code);
    }
    self->changed_.notify_all();
}

PackRecorder::~PackRecorder() {
    if (registered_) ReleaseFileToIsoDllRes();
}

void PackRecorder::Register() {
    SetFileToIsoProgressCallBack(&PackRecorder::OnProgress, this);
    SetFileToIsoErrorCallBack(&PackRecorder::OnError, this);
    registered_ = true;
}

bool PackRecorder::WaitForEnd(std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(
        lock, limit, [this] { return !errors_.empty() || (!percents_.empty() && percents_.back() == 100); });
}

bool PackRecorder::WaitForPercent(int percent, std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit,
                             [this, percent] { return !percents_.empty() && percents_.back() >= percent; });
}

std::vector<int> PackRecorder::percents() const {
    std::lock_guard lock(mutex_);
    return percents_;
}

std::vector<int> PackRecorder::errors() const {
    std::lock_guard lock(mutex_);
    return errors_;
}

std::size_t PackRecorder::calls() const {
    std::lock_guard lock(mutex_);
    return percents_.size() + errors_.size();
}

void PackAndWait(const fs::path& source, const fs::path& iso, PackRecorder& recorder) {
    InitDllRes();
    recorder.Register();
    PackOptions options;
    StartPackageFileToIsoThread(Wide(source).c_str(), Wide(iso).c_str(), &options);
    recorder.WaitForEnd();
    ReleaseFileToIsoDllRes();
}

}  // namespace packtest
