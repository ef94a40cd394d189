#include "tests/support/LocalService.h"

#include <httplib.h>
#include <json/json.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace pelltest {
namespace {

using Clock = std::chrono::steady_clock;

// Generous: the machine is shared and sanitizer builds start slowly.
constexpr auto kStartTimeout = std::chrono::seconds(60);
constexpr auto kStopTimeout = std::chrono::seconds(20);
constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr int kStartAttempts = 5;
// local_service's exit code when its port is taken.
constexpr int kPortTaken = 3;

pid_t Spawn(const std::vector<std::string>& args, bool quiet) {
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("LocalService: cannot start " + args[0]);
    return pid;
}

int WaitExit(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void MakeCertificate(const std::string& dir) {
    int rc = WaitExit(
        Spawn({"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
               "-nodes", "-keyout", dir + "/key.pem", "-out", dir + "/cert.pem", "-days", "7", "-subj",
               "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"},
              true));
    if (rc != 0) throw std::runtime_error("LocalService: openssl could not make a certificate");
}

std::unique_ptr<httplib::Client> ClientFor(const std::string& baseUrl) {
    auto client = std::make_unique<httplib::Client>(baseUrl);
    client->enable_server_certificate_verification(false);
    client->set_connection_timeout(std::chrono::seconds(10));
    client->set_read_timeout(std::chrono::seconds(60));
    client->set_write_timeout(std::chrono::seconds(60));
    return client;
}

bool Answers(const std::string& baseUrl) {
    auto client = ClientFor(baseUrl);
    client->set_connection_timeout(std::chrono::seconds(2));
    auto res = client->Head("/");
    return res && res->status == 200;
}

std::string QuoteJson(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value);
}

}  // namespace

std::string LoggedRequest::Header(const std::string& name) const {
    for (const auto& [key, value] : headers) {
        if (key.size() == name.size() && std::equal(key.begin(), key.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return value;
        }
    }
    return {};
}

LocalService::LocalService(const std::string& dataDir) : tempDir_("pell-service-") {
    MakeCertificate(tempDir_.Path().string());
    Start(dataDir);
}

// The service has ended before its folder goes.
LocalService::~LocalService() {
    Stop();
}

LocalService& LocalService::Shared() {
    static LocalService instance;
    return instance;
}

void LocalService::Start(const std::string& dataDir) {
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        port_ = UnusedPort();
        baseUrl_ = "https://127.0.0.1:" + std::to_string(port_);
        std::vector<std::string> args{PELL_LOCAL_SERVICE_PATH,
                                      std::to_string(port_),
                                      "--cert",
                                      (tempDir_ / "cert.pem").string(),
                                      "--key",
                                      (tempDir_ / "key.pem").string()};
        if (!dataDir.empty()) {
            args.push_back("--data");
            args.push_back(dataDir);
        }
        pid_ = Spawn(args, false);
        const auto deadline = Clock::now() + kStartTimeout;
        while (Clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                if (WIFEXITED(status) && WEXITSTATUS(status) == kPortTaken) break;  // another port
                throw std::runtime_error("LocalService: local_service exited at start");
            }
            if (Answers(baseUrl_)) return;
            std::this_thread::sleep_for(kPollInterval);
        }
        if (pid_ > 0) {
            Stop();
            throw std::runtime_error("LocalService: local_service did not answer in time");
        }
    }
    throw std::runtime_error("LocalService: no free port found");
}

void LocalService::Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    const auto deadline = Clock::now() + kStopTimeout;
    while (Clock::now() < deadline) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

int LocalService::UnusedPort() {
    int sock = socket(AF_INET, SOCK_STREAM, 0);
    if (sock < 0) throw std::runtime_error("LocalService: no socket");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    bool ok = bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
              getsockname(sock, reinterpret_cast<sockaddr*>(&addr), &len) == 0;
    close(sock);
    if (!ok) throw std::runtime_error("LocalService: cannot pick a port");
    return ntohs(addr.sin_port);
}

std::string LocalService::Control(const std::string& method, const std::string& path,
                                  const std::string& body) const {
    auto client = ClientFor(baseUrl_);
    auto res = method == "GET" ? client->Get(path) : client->Post(path, body, "application/json");
    if (!res) throw std::runtime_error("LocalService: " + path + " did not answer");
    if (res->status != 200) throw std::runtime_error("LocalService: " + path + ": " + res->body);
    return res->body;
}

std::map<std::string, std::string> LocalService::LastToolReport() const {
    auto client = ClientFor(baseUrl_);
    auto res = client->Get("/_control/tool-report");
    if (!res) throw std::runtime_error("LocalService: /_control/tool-report did not answer");
    std::map<std::string, std::string> fields;
    if (res->status != 200) return fields;
    Json::Value report;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    const std::string& text = res->body;
    if (!reader->parse(text.data(), text.data() + text.size(), &report, &errors) || !report.isObject())
        throw std::runtime_error("LocalService: the last tool report is no JSON object");
    for (const std::string& key : report.getMemberNames()) fields[key] = report[key].asString();
    return fields;
}

void LocalService::SetFault(const std::string& mode, const std::string& path) {
    Json::Value body;
    body["mode"] = mode;
    body["path"] = path;
    Control("POST", "/_control/fault", QuoteJson(body));
}

void LocalService::SetMode(const std::string& area, const std::string& key, const std::string& value) {
    Json::Value body;
    body["area"] = area;
    body["key"] = key;
    body["value"] = value;
    Control("POST", "/_control/mode", QuoteJson(body));
}

std::vector<LoggedRequest> LocalService::Log() const {
    std::string text = Control("GET", "/_control/log", {});
    Json::Value list;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    if (!reader->parse(text.data(), text.data() + text.size(), &list, &errors) || !list.isArray()) {
        throw std::runtime_error("LocalService: unreadable log: " + errors);
    }
    std::vector<LoggedRequest> log;
    for (const auto& item : list) {
        LoggedRequest request{
            item["method"].asString(), item["path"].asString(), {}, item["body"].asString()};
        for (const auto& name : item["headers"].getMemberNames())
            request.headers[name] = item["headers"][name].asString();
        log.push_back(std::move(request));
    }
    return log;
}

std::vector<LoggedRequest> LocalService::Log(const std::string& path) const {
    std::vector<LoggedRequest> matching;
    for (auto& request : Log()) {
        if (request.path == path) matching.push_back(std::move(request));
    }
    return matching;
}

void LocalService::ResetLog() {
    Control("POST", "/_control/reset-log", {});
}

void LocalService::Reset() {
    Control("POST", "/_control/reset", {});
}

}  // namespace pelltest
