#pragma once
// What the radio tests share: programs started and always ended (rigctld, rigctl),
// free ports and a silent server on the loopback address, a radio whose readings
// the test can see and steer, and waiting for a condition with a bound.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "rig/HamlibRadio.h"
#include "rig/RigPoller.h"

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
    explicit ChildProcess(std::vector<std::string> args) {
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
            std::vector<char*> argv;
            for (std::string& arg : args) {
                argv.push_back(arg.data());
            }
            argv.push_back(nullptr);
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

// Accepts connections on 127.0.0.1 and never answers: a radio that hangs.
class SilentServer {
  public:
    SilentServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        int yes = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address = Loopback(0);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 8);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() {
        HangUp();
        ::close(listener_);
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int Port() const { return port_; }

    // Connections taken so far.
    int Accepted() {
        for (int fd; (fd = ::accept(listener_, nullptr, nullptr)) >= 0;) {
            accepted_.push_back(fd);
        }
        return static_cast<int>(accepted_.size());
    }

    // Closes the connections taken: the other side reads the end.
    void HangUp() {
        for (int fd : accepted_) {
            ::close(fd);
        }
        accepted_.clear();
    }

  private:
    int listener_ = -1;
    int port_ = 0;
    std::vector<int> accepted_;
};

// A Hamlib radio whose readings the test sees (by number), and which the test can
// move: the move is made on the poller's thread, before its next reading.
class ObservedRadio : public Radio {
  public:
    struct Log {
        std::mutex mutex;
        std::vector<RadioSample> reads;
        std::deque<std::pair<double, std::string>> moves;

        void Move(double frequencyHz, std::string mode) {
            std::lock_guard<std::mutex> lock(mutex);
            moves.emplace_back(frequencyHz, std::move(mode));
        }
        int Reads() {
            std::lock_guard<std::mutex> lock(mutex);
            return static_cast<int>(reads.size());
        }
        // The number (from 1) of the first reading after `after` on the frequency; 0 when none.
        int FirstReadOn(double frequencyHz, int after = 0) {
            std::lock_guard<std::mutex> lock(mutex);
            for (size_t i = static_cast<size_t>(after); i < reads.size(); ++i) {
                if (reads[i].frequencyHz == frequencyHz) {
                    return static_cast<int>(i) + 1;
                }
            }
            return 0;
        }
    };

    ObservedRadio(const RigConfig& config, std::shared_ptr<Log> log) : inner_(config), log_(std::move(log)) {}

    RadioResult Open() override { return inner_.Open(); }
    void Close() override { inner_.Close(); }
    std::string Describe() const override { return inner_.Describe(); }
    RadioResult Read(RadioSample& sample) override {
        std::deque<std::pair<double, std::string>> moves;
        {
            std::lock_guard<std::mutex> lock(log_->mutex);
            moves.swap(log_->moves);
        }
        for (const auto& [frequency, mode] : moves) {
            inner_.Tune(frequency, mode);
        }
        RadioResult result = inner_.Read(sample);
        if (result.ok) {
            std::lock_guard<std::mutex> lock(log_->mutex);
            log_->reads.push_back(sample);
        }
        return result;
    }

    static RigPoller::RadioFactory Factory(std::shared_ptr<Log> log) {
        return [log](const RigConfig& config) { return std::make_unique<ObservedRadio>(config, log); };
    }

  private:
    HamlibRadio inner_;
    std::shared_ptr<Log> log_;
};

// Short pauses, so that reconnecting takes a fraction of a second.
inline RigRetryPauses QuickPauses() {
    return {20ms, 200ms};
}

// Drains the poller until the condition holds for an update; the updates seen on
// the way are kept in `seen` (the last one last).
inline bool DrainUntil(RigPoller& poller, const std::function<bool(const RigUpdate&)>& condition,
                       std::vector<RigUpdate>* seen = nullptr, std::chrono::milliseconds bound = 10s) {
    return WaitUntil(
        [&] {
            while (std::optional<RigUpdate> update = poller.Drain()) {
                if (seen != nullptr) {
                    seen->push_back(*update);
                }
                if (condition(*update)) {
                    return true;
                }
            }
            return false;
        },
        bound);
}

// The band and mode the updates told the form to take, the latest of each (-1 when
// none was told).
struct Moves {
    int band = -1;
    int mode = -1;
    void Add(const RigUpdate& u) {
        band = u.newBand >= 0 ? u.newBand : band;
        mode = u.newMode >= 0 ? u.newMode : mode;
    }
};

// Drains until the radio has moved the form to the band and mode (told in one update
// or in several: another program may set the frequency and the mode one at a time).
inline bool DrainUntilMoved(RigPoller& poller, int band, int mode, Moves* moves = nullptr) {
    Moves local;
    Moves& seen = moves != nullptr ? *moves : local;
    return DrainUntil(poller, [&](const RigUpdate& u) {
        seen.Add(u);
        return seen.band == band && seen.mode == mode;
    });
}

}  // namespace tarnex::rigtest
