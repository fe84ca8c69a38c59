#include "NatsServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace tarnex::testing {

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool Accepts(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    sockaddr_in address = Loopback(port);
    bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

// Runs argv in a child that dies with this process.
pid_t Spawn(const std::vector<std::string>& args, const std::string& logFile) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        int log = ::open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (log >= 0) {
            ::dup2(log, 1);
            ::dup2(log, 2);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

}  // namespace

std::string NatsServerProgram() {
    if (const char* given = std::getenv("TARNEX_NATS_SERVER"); given != nullptr && *given != '\0') {
        return given;
    }
    if (const char* path = std::getenv("PATH")) {
        std::string list = path;
        size_t start = 0;
        while (start <= list.size()) {
            size_t colon = list.find(':', start);
            std::string folder =
                list.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
            std::string candidate = folder + "/nats-server";
            if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
            if (colon == std::string::npos) {
                break;
            }
            start = colon + 1;
        }
    }
    for (const char* candidate : {"/usr/sbin/nats-server", "/usr/bin/nats-server"}) {
        if (::access(candidate, X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

int FreeLoopbackPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return 0;
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

NatsServer::NatsServer(std::string name, std::string store, int port, int clusterPort,
                       std::vector<int> routes)
    : name_(std::move(name)),
      store_(std::move(store)),
      port_(port != 0 ? port : FreeLoopbackPort()),
      clusterPort_(clusterPort),
      routes_(std::move(routes)) {}

NatsServer::~NatsServer() {
    Stop();
}

std::string NatsServer::Url() const {
    return "nats://127.0.0.1:" + std::to_string(port_);
}

bool NatsServer::Start() {
    if (pid_ > 0) {
        return true;
    }
    const std::string program = NatsServerProgram();
    if (program.empty()) {
        return false;
    }
    std::filesystem::create_directories(store_);
    std::vector<std::string> args = {program, "-js",  "-a", "127.0.0.1", "-p", std::to_string(port_),
                                     "-sd",   store_, "-n", name_};
    if (clusterPort_ != 0) {
        std::string routes;
        for (int route : routes_) {
            routes += (routes.empty() ? "" : ",") + std::string("nats://127.0.0.1:") + std::to_string(route);
        }
        args.insert(args.end(), {"--cluster_name", "tarnex", "--cluster",
                                 "nats://127.0.0.1:" + std::to_string(clusterPort_), "--routes", routes});
    }
    pid_ = Spawn(args, store_ + "/server.log");
    if (pid_ <= 0) {
        pid_ = -1;
        return false;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        if (Accepts(port_)) {
            return true;
        }
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Kill();
    return false;
}

void NatsServer::Reap(int waitMillis) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMillis);
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
}

void NatsServer::Stop() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        Reap(2000);
    }
}

void NatsServer::Kill() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        Reap(2000);
    }
}

GarbageServer::GarbageServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        static const char kGarbage[] = "HTTP/1.1 400 Bad Request\r\n\r\n\x16\x03\x01 not nats at all\r\n";
        for (;;) {
            int client = ::accept(listener_, nullptr, nullptr);
            if (client >= 0) {
                [[maybe_unused]] ssize_t n = ::write(client, kGarbage, sizeof kGarbage - 1);
                ::usleep(50000);
                ::close(client);
            }
        }
    }
}

GarbageServer::~GarbageServer() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    if (listener_ >= 0) {
        ::close(listener_);
    }
}

std::string GarbageServer::Url() const {
    return "nats://127.0.0.1:" + std::to_string(port_);
}

}  // namespace tarnex::testing
