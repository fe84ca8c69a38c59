#include "net/NetLink.h"

#include <nats/nats.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "net/NetConfig.h"
#include "net/NetTexts.h"

namespace tarnex {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int64_t kRequestMillis = 2000;
constexpr int64_t kNanosPerSecond = 1000000000;
// How long the server keeps a consumer nobody listens to any more.
constexpr int64_t kConsumerIdle = 60 * kNanosPerSecond;

// The client library's last error, without the place in its source it names first
// ("(conn.c:802): Unexpected protocol ...").
std::string LastError(natsStatus status) {
    const char* text = nats_GetLastError(nullptr);
    std::string error = text != nullptr && *text != '\0' ? text : natsStatus_GetText(status);
    if (!error.empty() && error[0] == '(') {
        size_t end = error.find("): ");
        if (end != std::string::npos) {
            error.erase(0, end + 3);
        }
    }
    return error;
}

}  // namespace

struct NetLink::Impl {
    Impl(Config c, std::shared_ptr<NetMailbox> m) : config(std::move(c)), mailbox(std::move(m)) {
        lastDelivered = config.startAfter;
        stream = StreamName(config.log);
        subject = PositionSubject(config.log, config.position);
    }

    Config config;
    std::shared_ptr<NetMailbox> mailbox;
    std::string stream;
    std::string subject;

    std::thread worker;
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::deque<NetOutgoing> queue;

    // Only the worker touches these.
    natsConnection* conn = nullptr;
    jsCtx* js = nullptr;
    kvStore* kv = nullptr;
    natsSubscription* sub = nullptr;
    bool ready = false;
    bool claimed = false;
    uint64_t claimRevision = 0;
    Clock::time_point nextBeat;
    int positions = 0;

    // Set from the client library's threads.
    std::atomic<bool> connected{false};
    std::atomic<bool> resume{false};  // reconnected: claim and read again
    std::atomic<bool> closed{false};
    std::atomic<uint64_t> lastDelivered{0};
    std::mutex doneMutex;
    std::condition_variable done;
    int closedConnections = 0;
    int finishedSubscriptions = 0;
    int subscriptionsMade = 0;
    bool finished = false;  // the worker is done with everything
    // The open connection, for Stop to close when the worker is stuck in a call.
    std::mutex connMutex;
    natsConnection* openConn = nullptr;

    // What was told last, so that each state is told once.
    bool toldOnline = false;
    int toldPositions = -1;
    std::string toldProblem = "\x01";

    void Tell(bool online, const std::string& problem) {
        if (online == toldOnline && positions == toldPositions && problem == toldProblem) {
            return;
        }
        toldOnline = online;
        toldPositions = positions;
        toldProblem = problem;
        NetMail mail;
        mail.kind = NetMail::Link;
        mail.online = online;
        mail.positions = positions;
        mail.problem = problem;
        mailbox->Post(std::move(mail));
    }

    // Waits until the deadline, a stop, or something for the worker to do.
    void Pause(Clock::time_point until) {
        std::unique_lock<std::mutex> lock(mutex);
        wake.wait_until(lock, until, [&] {
            return stopping || resume || closed || (ready && connected && !queue.empty());
        });
    }
    bool Stopping() {
        std::lock_guard<std::mutex> lock(mutex);
        return stopping;
    }

    // ---- callbacks, on the client library's threads ----
    // Flags are set under the worker's lock so that its wait cannot miss them.
    void Flag(std::atomic<bool>& flag, bool value) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            flag = value;
        }
        wake.notify_all();
    }
    static void OnDisconnected(natsConnection*, void* closure) {
        static_cast<Impl*>(closure)->Flag(static_cast<Impl*>(closure)->connected, false);
    }
    static void OnReconnected(natsConnection*, void* closure) {
        auto* self = static_cast<Impl*>(closure);
        self->connected = true;
        self->Flag(self->resume, true);
    }
    // The last two callbacks of a connection and of a subscription: once they count,
    // the link may go away, so counting (under the lock, with the notify) is the last
    // thing they do.
    static void OnClosed(natsConnection*, void* closure) {
        auto* self = static_cast<Impl*>(closure);
        self->connected = false;
        self->Flag(self->closed, true);
        std::lock_guard<std::mutex> lock(self->doneMutex);
        ++self->closedConnections;
        self->done.notify_all();
    }
    static void OnSubscriptionDone(void* closure) {
        auto* self = static_cast<Impl*>(closure);
        std::lock_guard<std::mutex> lock(self->doneMutex);
        ++self->finishedSubscriptions;
        self->done.notify_all();
    }
    static void OnMessage(natsConnection*, natsSubscription*, natsMsg* msg, void* closure) {
        auto* self = static_cast<Impl*>(closure);
        jsMsgMetaData* meta = nullptr;
        if (natsMsg_GetMetaData(&meta, msg) == NATS_OK) {
            const uint64_t sequence = meta->Sequence.Stream;
            jsMsgMetaData_Destroy(meta);
            // A subscription made again may deliver again what the last one did.
            uint64_t last = self->lastDelivered.load();
            bool fresh = false;
            while (sequence > last) {
                if (self->lastDelivered.compare_exchange_weak(last, sequence)) {
                    fresh = true;
                    break;
                }
            }
            if (fresh) {
                NetMail mail;
                mail.kind = NetMail::Event;
                mail.sequence = sequence;
                mail.bytes.assign(natsMsg_GetData(msg), static_cast<size_t>(natsMsg_GetDataLength(msg)));
                self->mailbox->Post(std::move(mail));
            }
        }
        natsMsg_Destroy(msg);
    }

    // ---- the worker ----
    void Run();
    bool Connect(std::string& problem);
    bool Prepare(std::string& problem);
    bool Claim(std::string& problem);
    bool Subscribe(std::string& problem);
    void DropSubscription();
    void Beat();
    void SendQueued();
    void Teardown();
};

bool NetLink::Impl::Connect(std::string& problem) {
    natsOptions* options = nullptr;
    if (natsOptions_Create(&options) != NATS_OK) {
        problem = net_texts::ServerProblem("natsOptions_Create");
        return false;
    }
    std::vector<const char*> urls;
    for (const std::string& server : config.servers) {
        urls.push_back(server.c_str());
    }
    const std::string name = "tarnex " + config.log + " " + config.position;
    natsStatus status = natsOptions_SetServers(options, urls.data(), static_cast<int>(urls.size()));
    if (status == NATS_OK) {
        natsOptions_SetName(options, name.c_str());
        natsOptions_SetTimeout(options, kRequestMillis);
        natsOptions_SetAllowReconnect(options, true);
        natsOptions_SetMaxReconnect(options, INT_MAX);
        natsOptions_SetReconnectWait(options, 250);
        natsOptions_SetPingInterval(options, 2000);
        natsOptions_SetMaxPingsOut(options, 3);
        natsOptions_SetFailRequestsOnDisconnect(options, true);
        natsOptions_SetDisconnectedCB(options, &Impl::OnDisconnected, this);
        natsOptions_SetReconnectedCB(options, &Impl::OnReconnected, this);
        natsOptions_SetClosedCB(options, &Impl::OnClosed, this);
        closed = false;
        status = natsConnection_Connect(&conn, options);
    }
    natsOptions_Destroy(options);
    if (status == NATS_OK) {
        connected = true;
        std::lock_guard<std::mutex> lock(connMutex);
        openConn = conn;
        return true;
    }
    const std::string detail = LastError(status);
    conn = nullptr;
    if (status == NATS_NO_SERVER || status == NATS_TIMEOUT || status == NATS_IO_ERROR) {
        problem = net_texts::NoServer(config.servers, detail);
    } else if (status == NATS_INVALID_ARG || status == NATS_ERR) {
        problem = net_texts::NoServer(config.servers, detail);
    } else {
        problem = net_texts::NotNats(config.servers, detail);
    }
    return false;
}

bool NetLink::Impl::Prepare(std::string& problem) {
    if (js == nullptr) {
        jsOptions options;
        jsOptions_Init(&options);
        options.Wait = kRequestMillis;
        if (natsConnection_JetStream(&js, conn, &options) != NATS_OK) {
            problem = net_texts::ServerProblem(LastError(NATS_ERR));
            return false;
        }
    }
    jsStreamInfo* info = nullptr;
    jsErrCode code = static_cast<jsErrCode>(0);
    natsStatus status = js_GetStreamInfo(&info, js, stream.c_str(), nullptr, &code);
    if (status != NATS_OK) {
        if (code == JSStreamNotFoundErr || status == NATS_NOT_FOUND) {
            problem = net_texts::UnknownLog(config.log);
        } else if (status == NATS_NO_RESPONDERS || code == JSNotEnabledErr ||
                   code == JSNotEnabledForAccountErr) {
            problem = net_texts::NoJetStream();
        } else {
            problem = net_texts::ServerProblem(LastError(status));
        }
        return false;
    }
    const int64_t replicas = info->Config != nullptr ? info->Config->Replicas : 1;
    const uint64_t lastSequence = info->State.LastSeq;
    jsStreamInfo_Destroy(info);

    if (kv == nullptr) {
        const std::string bucket = PresenceBucket(config.log);
        status = js_KeyValue(&kv, js, bucket.c_str());
        if (status == NATS_NOT_FOUND) {
            kvConfig settings;
            kvConfig_Init(&settings);
            settings.Bucket = bucket.c_str();
            settings.History = 1;
            settings.TTL = kPresenceTtlSeconds * kNanosPerSecond;
            settings.Replicas = static_cast<int>(replicas > 0 ? replicas : 1);
            settings.StorageType = js_FileStorage;
            status = js_CreateKeyValue(&kv, js, &settings);
            if (status != NATS_OK) {  // another position made it in between
                status = js_KeyValue(&kv, js, bucket.c_str());
            }
        }
        if (status != NATS_OK) {
            kv = nullptr;
            problem = net_texts::ServerProblem(LastError(status));
            return false;
        }
    }
    if (!Claim(problem) || !Subscribe(problem)) {
        return false;
    }
    NetMail caughtUp;
    caughtUp.kind = NetMail::CaughtUp;
    caughtUp.sequence = lastSequence;
    mailbox->Post(std::move(caughtUp));
    return true;
}

bool NetLink::Impl::Claim(std::string& problem) {
    const char* key = config.position.c_str();
    kvEntry* entry = nullptr;
    natsStatus status = kvStore_Get(&entry, kv, key);
    uint64_t revision = 0;
    if (status == NATS_NOT_FOUND) {
        status = kvStore_CreateString(&revision, kv, key, config.token.c_str());
    } else if (status == NATS_OK) {
        const bool mine = config.token == kvEntry_ValueString(entry);
        const uint64_t last = kvEntry_Revision(entry);
        kvEntry_Destroy(entry);
        if (!mine) {
            problem = net_texts::NameInUse(config.position);
            claimed = false;
            return false;
        }
        // Ours from before a restart: take it up again.
        status = kvStore_UpdateString(&revision, kv, key, config.token.c_str(), last);
    }
    if (status != NATS_OK) {
        // Someone else wrote it first, or the server did not answer.
        kvEntry* now = nullptr;
        if (kvStore_Get(&now, kv, key) == NATS_OK) {
            const bool mine = config.token == kvEntry_ValueString(now);
            kvEntry_Destroy(now);
            if (!mine) {
                problem = net_texts::NameInUse(config.position);
                claimed = false;
                return false;
            }
        }
        problem = net_texts::ServerProblem(LastError(status));
        claimed = false;
        return false;
    }
    claimed = true;
    claimRevision = revision;
    return true;
}

// Destroy alone: it removes the interest, and the server drops the ephemeral consumer
// once it has had no interest for kConsumerIdle. An explicit unsubscribe would also ask
// the server to delete the consumer, and the client library builds that request from
// the consumer's name while its own thread may be replacing the ordered consumer after
// a reconnection (a use after free seen under the address sanitizer).
void NetLink::Impl::DropSubscription() {
    if (sub != nullptr) {
        natsSubscription_Destroy(sub);
        sub = nullptr;
    }
}

bool NetLink::Impl::Subscribe(std::string& problem) {
    DropSubscription();
    jsSubOptions options;
    jsSubOptions_Init(&options);
    options.Stream = stream.c_str();
    options.Ordered = true;
    options.Config.Heartbeat = 2 * kNanosPerSecond;
    options.Config.InactiveThreshold = kConsumerIdle;
    const uint64_t from = lastDelivered.load() + 1;
    if (from > 1) {
        options.Config.DeliverPolicy = js_DeliverByStartSequence;
        options.Config.OptStartSeq = from;
    } else {
        options.Config.DeliverPolicy = js_DeliverAll;
    }
    const std::string subjects = StreamSubjects(config.log);
    jsErrCode code = static_cast<jsErrCode>(0);
    natsStatus status =
        js_Subscribe(&sub, js, subjects.c_str(), &Impl::OnMessage, this, nullptr, &options, &code);
    if (status != NATS_OK) {
        sub = nullptr;
        problem = net_texts::ServerProblem(LastError(status));
        return false;
    }
    natsSubscription_SetOnCompleteCB(sub, &Impl::OnSubscriptionDone, this);
    {
        std::lock_guard<std::mutex> lock(doneMutex);
        ++subscriptionsMade;
    }
    return true;
}

void NetLink::Impl::Beat() {
    nextBeat = Clock::now() + milliseconds(kPresenceBeatMillis);
    if (!claimed) {
        return;
    }
    uint64_t revision = 0;
    natsStatus status =
        kvStore_UpdateString(&revision, kv, config.position.c_str(), config.token.c_str(), claimRevision);
    if (status == NATS_OK) {
        claimRevision = revision;
    } else if (connected) {
        // Expired while the server was away, or taken by another position.
        std::string problem;
        if (!Claim(problem)) {
            ready = false;
            Tell(false, problem);
            return;
        }
    }
    kvKeysList keys;
    kvWatchOptions options;
    kvWatchOptions_Init(&options);
    options.Timeout = kRequestMillis;
    if (kvStore_Keys(&keys, kv, &options) == NATS_OK) {
        positions = keys.Count;
        kvKeysList_Destroy(&keys);
    }
    Tell(true, "");
}

void NetLink::Impl::SendQueued() {
    for (;;) {
        NetOutgoing item;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (stopping || queue.empty()) {
                return;
            }
            item = queue.front();
        }
        if (!connected) {
            return;
        }
        jsPubOptions options;
        jsPubOptions_Init(&options);
        options.MsgId = item.messageId.c_str();
        options.ExpectStream = stream.c_str();
        options.MaxWait = kRequestMillis;
        jsPubAck* ack = nullptr;
        jsErrCode code = static_cast<jsErrCode>(0);
        natsStatus status = js_Publish(&ack, js, item.subject.c_str(), item.bytes.data(),
                                       static_cast<int>(item.bytes.size()), &options, &code);
        if (ack != nullptr) {
            jsPubAck_Destroy(ack);
        }
        if (status == NATS_OK) {
            std::lock_guard<std::mutex> lock(mutex);
            queue.pop_front();
            continue;
        }
        // Stored or not, it goes again (under the same id) once the server answers.
        if (code == JSStreamNotFoundErr) {
            ready = false;
        }
        if (connected) {
            Tell(true, net_texts::SendFailed(LastError(status)));
        }
        Pause(Clock::now() + milliseconds(200));
        return;
    }
}

void NetLink::Impl::Teardown() {
    DropSubscription();
    if (kv != nullptr) {
        kvStore_Destroy(kv);
        kv = nullptr;
    }
    if (js != nullptr) {
        jsCtx_Destroy(js);
        js = nullptr;
    }
    if (conn != nullptr) {
        int closedBefore = 0;
        {
            std::lock_guard<std::mutex> lock(doneMutex);
            closedBefore = closedConnections;
        }
        natsConnection_Close(conn);
        // The closed callback is the connection's last: after it nothing calls back.
        {
            std::unique_lock<std::mutex> lock(doneMutex);
            done.wait_for(lock, milliseconds(3000), [&] { return closedConnections > closedBefore; });
        }
        {
            std::lock_guard<std::mutex> lock(connMutex);
            openConn = nullptr;
        }
        natsConnection_Destroy(conn);
        conn = nullptr;
    }
    ready = false;
    claimed = false;
    connected = false;
}

void NetLink::Impl::Run() {
    milliseconds backoff(100);
    Tell(false, net_texts::Connecting());
    while (!Stopping()) {
        std::string problem;
        if (conn != nullptr && closed) {
            Teardown();
        }
        if (conn == nullptr) {
            if (!Connect(problem)) {
                Tell(false, problem);
                Pause(Clock::now() + backoff);
                backoff = std::min(backoff * 2, milliseconds(1000));
                continue;
            }
            backoff = milliseconds(100);
        }
        if (resume.exchange(false)) {
            ready = false;
        }
        if (!ready) {
            if (!connected) {
                Tell(false, net_texts::ConnectionLost());
                Pause(Clock::now() + milliseconds(1000));
                continue;
            }
            if (!Prepare(problem)) {
                Tell(false, problem);
                Pause(Clock::now() + milliseconds(1000));
                continue;
            }
            ready = true;
            Beat();
        }
        if (!connected) {
            Tell(false, net_texts::ConnectionLost());
        }
        SendQueued();
        if (ready && connected && Clock::now() >= nextBeat) {
            Beat();
        }
        Pause(std::min(nextBeat, Clock::now() + milliseconds(kPresenceBeatMillis)));
    }
    if (conn != nullptr && claimed && connected) {
        // Free the name at once for whoever takes this position next.
        kvStore_Delete(kv, config.position.c_str());
    }
    Teardown();
    // Subscriptions deliver on their own threads until they say they are done.
    std::unique_lock<std::mutex> lock(doneMutex);
    done.wait_for(lock, milliseconds(10000), [&] { return finishedSubscriptions >= subscriptionsMade; });
    finished = true;
    done.notify_all();
}

NetLink::NetLink(Config config, std::shared_ptr<NetMailbox> mailbox)
    : impl_(std::make_shared<Impl>(std::move(config), std::move(mailbox))) {}

NetLink::~NetLink() {
    Stop();
}

void NetLink::Start(std::vector<NetOutgoing> queued) {
    if (impl_->worker.joinable()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(impl_->mutex);
        impl_->queue.assign(queued.begin(), queued.end());
    }
    // The thread holds the link's state too: a thread left to end by itself (see
    // Stop) still has it.
    impl_->worker = std::thread([impl = impl_] { impl->Run(); });
}

void NetLink::Send(NetOutgoing item) {
    {
        std::lock_guard<std::mutex> lock(impl_->mutex);
        impl_->queue.push_back(std::move(item));
    }
    impl_->wake.notify_all();
}

void NetLink::Stop() {
    if (!impl_->worker.joinable()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(impl_->mutex);
        impl_->stopping = true;
    }
    impl_->wake.notify_all();
    auto finishedWithin = [&](milliseconds wait) {
        std::unique_lock<std::mutex> lock(impl_->doneMutex);
        return impl_->done.wait_for(lock, wait, [&] { return impl_->finished; });
    };
    // A worker waiting for the server is woken by closing the connection under it.
    if (!finishedWithin(milliseconds(1000))) {
        std::lock_guard<std::mutex> lock(impl_->connMutex);
        if (impl_->openConn != nullptr) {
            natsConnection_Close(impl_->openConn);
        }
    }
    if (finishedWithin(milliseconds(2000))) {
        impl_->worker.join();
    } else {
        // Still connecting to a server that does not answer: it ends by itself, and
        // tells nobody (the mailbox is silenced by its owner).
        impl_->worker.detach();
    }
}

}  // namespace tarnex
