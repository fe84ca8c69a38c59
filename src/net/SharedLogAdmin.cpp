#include "net/SharedLogAdmin.h"

#include <nats/nats.h>

#include <chrono>
#include <thread>

#include "net/NetConfig.h"

namespace tarnex {

namespace {

constexpr int64_t kNanosPerSecond = 1000000000;

std::string LastError(natsStatus status) {
    const char* text = nats_GetLastError(nullptr);
    return text != nullptr && *text != '\0' ? std::string(text) : std::string(natsStatus_GetText(status));
}

// One connection and its JetStream context, closed when it goes.
class Connection {
  public:
    bool Open(const std::vector<std::string>& servers, std::string& error) {
        natsOptions* options = nullptr;
        natsOptions_Create(&options);
        std::vector<const char*> urls;
        for (const std::string& server : servers) {
            urls.push_back(server.c_str());
        }
        natsStatus status = natsOptions_SetServers(options, urls.data(), static_cast<int>(urls.size()));
        natsOptions_SetTimeout(options, 2000);
        natsOptions_SetName(options, "tarnex-cli");
        if (status == NATS_OK) {
            status = natsConnection_Connect(&conn_, options);
        }
        natsOptions_Destroy(options);
        if (status != NATS_OK) {
            conn_ = nullptr;
            error = "cannot connect to " + List(servers) + ": " + LastError(status);
            return false;
        }
        jsOptions js;
        jsOptions_Init(&js);
        js.Wait = 2000;
        if (natsConnection_JetStream(&js_, conn_, &js) != NATS_OK) {
            error = "no JetStream context: " + LastError(NATS_ERR);
            return false;
        }
        return true;
    }
    ~Connection() {
        if (js_ != nullptr) {
            jsCtx_Destroy(js_);
        }
        if (conn_ != nullptr) {
            natsConnection_Close(conn_);
            natsConnection_Destroy(conn_);
        }
    }
    jsCtx* Js() { return js_; }
    static std::string List(const std::vector<std::string>& servers) {
        std::string text;
        for (const std::string& server : servers) {
            text += (text.empty() ? "" : ",") + server;
        }
        return text;
    }

  private:
    natsConnection* conn_ = nullptr;
    jsCtx* js_ = nullptr;
};

bool TimeLeft(std::chrono::steady_clock::time_point end) {
    if (std::chrono::steady_clock::now() >= end) {
        return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return true;
}

}  // namespace

SharedLogAnswer CreateSharedLog(const std::vector<std::string>& servers, const std::string& log, int replicas,
                                int64_t waitMillis) {
    SharedLogAnswer answer;
    if (!IsLogName(log)) {
        answer.error = "invalid log name \"" + log + "\" (1 to 32 letters, digits, - or _)";
        return answer;
    }
    Connection connection;
    if (!connection.Open(servers, answer.error)) {
        return answer;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMillis);
    const std::string name = StreamName(log);
    const std::string subjects = StreamSubjects(log);
    const char* subjectList[] = {subjects.c_str()};
    for (;;) {
        jsStreamConfig config;
        jsStreamConfig_Init(&config);
        config.Name = name.c_str();
        config.Subjects = subjectList;
        config.SubjectsLen = 1;
        config.Storage = js_FileStorage;
        config.Replicas = replicas;
        config.Duplicates = kDuplicateWindowSeconds * kNanosPerSecond;
        config.DenyDelete = true;
        config.DenyPurge = true;
        jsStreamInfo* info = nullptr;
        jsErrCode code = static_cast<jsErrCode>(0);
        natsStatus status = js_AddStream(&info, connection.Js(), &config, nullptr, &code);
        if (info != nullptr) {
            jsStreamInfo_Destroy(info);
        }
        if (status == NATS_OK || code == JSStreamNameExistErr) {
            break;
        }
        if (!TimeLeft(end)) {
            answer.error = "cannot create the log's stream " + name + ": " + LastError(status);
            return answer;
        }
    }
    const std::string bucket = PresenceBucket(log);
    for (;;) {
        kvStore* kv = nullptr;
        natsStatus status = js_KeyValue(&kv, connection.Js(), bucket.c_str());
        if (status != NATS_OK) {
            kvConfig config;
            kvConfig_Init(&config);
            config.Bucket = bucket.c_str();
            config.History = 1;
            config.TTL = kPresenceTtlSeconds * kNanosPerSecond;
            config.Replicas = replicas;
            config.StorageType = js_FileStorage;
            status = js_CreateKeyValue(&kv, connection.Js(), &config);
        }
        if (kv != nullptr) {
            kvStore_Destroy(kv);
        }
        if (status == NATS_OK) {
            break;
        }
        if (!TimeLeft(end)) {
            answer.error = "cannot create the positions' bucket " + bucket + ": " + LastError(status);
            return answer;
        }
    }
    answer.ok = true;
    return answer;
}

SharedLogContents ReadSharedLog(const std::vector<std::string>& servers, const std::string& log,
                                int64_t waitMillis) {
    SharedLogContents contents;
    SharedLogAnswer& answer = contents.answer;
    if (!IsLogName(log)) {
        answer.error = "invalid log name \"" + log + "\"";
        return contents;
    }
    Connection connection;
    if (!connection.Open(servers, answer.error)) {
        return contents;
    }
    const std::string name = StreamName(log);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMillis);
    jsStreamInfo* info = nullptr;
    jsErrCode code = static_cast<jsErrCode>(0);
    natsStatus status = NATS_OK;
    // A cluster that has just lost a server answers again once it has a new leader.
    while ((status = js_GetStreamInfo(&info, connection.Js(), name.c_str(), nullptr, &code)) != NATS_OK) {
        if (code == JSStreamNotFoundErr || status == NATS_NOT_FOUND) {
            answer.error = "no log \"" + log + "\" on " + Connection::List(servers);
            return contents;
        }
        if (!TimeLeft(end)) {
            answer.error = "cannot read the log's stream " + name + ": " + LastError(status);
            return contents;
        }
    }
    const uint64_t last = info->State.LastSeq;
    jsStreamInfo_Destroy(info);
    if (last == 0) {
        answer.ok = true;
        return contents;
    }
    jsSubOptions options;
    jsSubOptions_Init(&options);
    options.Stream = name.c_str();
    options.Ordered = true;
    options.Config.DeliverPolicy = js_DeliverAll;
    natsSubscription* sub = nullptr;
    const std::string subjects = StreamSubjects(log);
    while ((status = js_SubscribeSync(&sub, connection.Js(), subjects.c_str(), nullptr, &options, &code)) !=
           NATS_OK) {
        sub = nullptr;
        if (!TimeLeft(end)) {
            answer.error = "cannot read the log's stream " + name + ": " + LastError(status);
            return contents;
        }
    }
    while (contents.lastSequence < last) {
        natsMsg* msg = nullptr;
        status = natsSubscription_NextMsg(&msg, sub, waitMillis);
        if (status != NATS_OK) {
            answer.error = "the stream " + name + " stopped after event " +
                           std::to_string(contents.lastSequence) + " of " + std::to_string(last) + ": " +
                           LastError(status);
            natsSubscription_Destroy(sub);
            return contents;
        }
        jsMsgMetaData* meta = nullptr;
        if (natsMsg_GetMetaData(&meta, msg) == NATS_OK) {
            contents.lastSequence = meta->Sequence.Stream;
            jsMsgMetaData_Destroy(meta);
            std::string_view bytes(natsMsg_GetData(msg), static_cast<size_t>(natsMsg_GetDataLength(msg)));
            if (std::optional<NetEvent> event = DecodeNetEvent(bytes)) {
                contents.adds += event->kind == NetEventKind::Add ? 1 : 0;
                contents.core.ApplyConfirmed(*event);
            } else {
                ++contents.badEvents;
            }
        }
        natsMsg_Destroy(msg);
    }
    natsSubscription_Unsubscribe(sub);
    natsSubscription_Destroy(sub);
    answer.ok = true;
    return contents;
}

}  // namespace tarnex
