#pragma once
// Hamlib's own programs for the tests of the radio, started and always ended by the
// test: rigctld with the dummy radio on a free port of 127.0.0.1, and rigctl moving
// that radio as another program would. Also waiting for a condition with a bound.
// Plain POSIX and the standard library, for the core's radio tests and the window
// tests alike.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tarnex::rigtest {

using namespace std::chrono_literals;

// Polls the condition every few milliseconds; false when it did not hold in time.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound = 10s) {
    const auto end = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// A program started by the test. It is killed when the object goes, and also when
// the test program itself dies: the kernel ends it with its parent.
class ChildProcess {
  public:
    // The child does nothing but system calls before it runs the program: the test
    // program has other threads (a poller, Qt's), whose locks the child must not need.
    explicit ChildProcess(std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent) {
                ::_exit(127);
            }
            int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, STDIN_FILENO);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~ChildProcess() { Kill(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }

    void Kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

    // The exit status, or -1 when it did not end in time (it is then killed).
    int Wait(std::chrono::milliseconds bound = 10s) {
        int status = 0;
        bool ended = WaitUntil([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, bound);
        if (!ended) {
            Kill();
            return -1;
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
};

inline sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A port on 127.0.0.1 that nobody listens on right now.
inline int FreeLoopbackPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

inline bool Listening(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(port);
    bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// rigctld with Hamlib's dummy radio on 127.0.0.1:port, ready when constructed.
class Rigctld {
  public:
    explicit Rigctld(int port)
        : process_({"rigctld", "-m", "1", "-T", "127.0.0.1", "-t", std::to_string(port)}), port_(port) {
        ready_ = WaitUntil([&] { return Listening(port_); });
    }
    bool Ready() const { return ready_; }
    void Kill() { process_.Kill(); }

  private:
    ChildProcess process_;
    int port_;
    bool ready_ = false;
};

// rigctl against the rigctld on the port, with its commands ("F", "14025000", ...);
// true when it succeeded.
inline bool Rigctl(int port, std::vector<std::string> commands) {
    std::vector<std::string> args = {"rigctl", "-m", "2", "-r", "127.0.0.1:" + std::to_string(port)};
    args.insert(args.end(), commands.begin(), commands.end());
    ChildProcess rigctl(args);
    return rigctl.Wait() == 0;
}

}  // namespace tarnex::rigtest
