// Local HTTPS service standing in for the maker's web service in tests and the
// demo: local_service <port> --cert <pem> --key <pem> [--data <dir>]
// Listens on 127.0.0.1 only. Each endpoint area registers itself below.
#include <httplib.h>

#include <netinet/tcp.h>

#include <csignal>
#include <iostream>
#include <thread>

#include "Catalogue.h"
#include "ControlEndpoints.h"
#include "DriverEndpoints.h"
#include "FileEndpoints.h"
#include "ServiceOptions.h"
#include "ServiceState.h"
#include "ToolEndpoints.h"

namespace {

// SIGTERM and SIGINT stop the server from a thread of its own, since stopping
// is not safe inside a signal handler. Held replies end first, so that no
// server thread keeps the stop waiting.
std::thread StartStopWatcher(httplib::Server& server, ServiceState& state) {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return std::thread([&server, &state, signals] {
        int received = 0;
        sigwait(&signals, &received);
        state.ReleaseHolds();
        server.stop();
    });
}

}  // namespace

int main(int argc, char** argv) {
    ServiceOptions options;
    std::string error;
    if (!ParseServiceOptions(argc, argv, options, error)) {
        std::cerr << "local_service: " << error << "\n"
                  << "usage: local_service <port> --cert <pem> --key <pem> [--data <dir>]\n";
        return 2;
    }
    Catalogue catalogue;
    if (!catalogue.Load(options.dataDir, error)) {
        std::cerr << "local_service: " << error << "\n";
        return 1;
    }
    httplib::SSLServer server(options.certFile.c_str(), options.keyFile.c_str());
    if (!server.is_valid()) {
        std::cerr << "local_service: cannot use certificate " << options.certFile << " and key "
                  << options.keyFile << "\n";
        return 1;
    }
    ServiceState state("https://127.0.0.1:" + std::to_string(options.port));
    RegisterControlEndpoints(server, state);
    RegisterDriverEndpoints(server, state, catalogue);
    RegisterFileEndpoints(server, state, catalogue);
    RegisterToolEndpoints(server, state);

    // Address reuse only: sharing the port with another listener would mix
    // up two test services. No Nagle delay: a reply's head and body go out as
    // two small TLS records, and on a kept-alive connection the second would
    // wait for the client's delayed acknowledgement (about 40 ms).
    server.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    });

    std::thread watcher = StartStopWatcher(server, state);
    if (!server.bind_to_port("127.0.0.1", options.port)) {
        std::cerr << "local_service: cannot listen on 127.0.0.1:" << options.port << "\n";
        watcher.detach();
        return 3;
    }
    server.listen_after_bind();
    watcher.join();
    return 0;
}
