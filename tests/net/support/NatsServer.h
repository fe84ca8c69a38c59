#pragma once
// A real nats-server with JetStream, started for one test on the loopback address
// with free ports and its own store folder, and always stopped when it goes. Servers
// of one Cluster know each other's routes.

#include <sys/types.h>

#include <string>
#include <vector>

namespace tarnex::testing {

// The nats-server program: $TARNEX_NATS_SERVER, else on the PATH, else the Debian
// package's /usr/sbin/nats-server; empty when there is none.
std::string NatsServerProgram();

// A free TCP port on 127.0.0.1 (taken from the system, then let go).
int FreeLoopbackPort();

class NatsServer {
  public:
    // `store` is the JetStream store folder; `routes` the cluster ports of the others
    // (empty: a single server).
    NatsServer(std::string name, std::string store, int port = 0, int clusterPort = 0,
               std::vector<int> routes = {});
    ~NatsServer();
    NatsServer(const NatsServer&) = delete;
    NatsServer& operator=(const NatsServer&) = delete;

    // Starts the server and waits (up to 10 s) until it takes connections.
    bool Start();
    // SIGTERM, then SIGKILL after two seconds.
    void Stop();
    // SIGKILL at once, as a crash or a pulled cable would.
    void Kill();
    bool Running() const { return pid_ > 0; }

    int Port() const { return port_; }
    int ClusterPort() const { return clusterPort_; }
    std::string Url() const;

  private:
    void Reap(int waitMillis);

    std::string name_;
    std::string store_;
    int port_;
    int clusterPort_;
    std::vector<int> routes_;
    pid_t pid_ = -1;
};

// A plain TCP listener on 127.0.0.1 that answers every connection with bytes that
// are not the NATS protocol, then closes it.
class GarbageServer {
  public:
    GarbageServer();
    ~GarbageServer();
    std::string Url() const;

  private:
    int port_ = 0;
    int listener_ = -1;
    pid_t pid_ = -1;
};

}  // namespace tarnex::testing
