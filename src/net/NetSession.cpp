#include "net/NetSession.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <unordered_set>

#include "app/AppTexts.h"
#include "app/LogSession.h"
#include "log/LogFile.h"
#include "net/NetLink.h"
#include "net/NetMailbox.h"
#include "net/NetTexts.h"
#include "sections/SectionTable.h"
#include "util/FileIo.h"

namespace tarnex {

namespace {

constexpr const char* kBackupName = "_ult-prima-della-rete.trnx";

std::string NewToken() {
    std::random_device device;
    std::mt19937_64 random(
        (static_cast<uint64_t>(device()) << 32) ^ device() ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    static const char* const kHex = "0123456789abcdef";
    std::string token;
    uint64_t bits = random();
    for (int i = 0; i < 16; ++i) {
        token += kHex[bits & 15];
        bits >>= 4;
    }
    return token;
}

uint64_t NowMillis() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::system_clock::now().time_since_epoch())
                                     .count());
}

}  // namespace

NetSession::NetSession(LogSession& session) : session_(session) {}

NetSession::~NetSession() {
    Stop();
}

uint64_t NetSession::NextNumber() {
    // Own numbers only grow, start from the clock after a restart (so that a position
    // whose files were lost never uses a number of its past again) and carry this
    // computer's mark in their low 16 bits (so that two computers that ever use the
    // same position name, one of them offline, do not give the same number).
    const uint64_t floor =
        std::max({nextNumber_, NowMillis() << 16, core_.HighestNumberOf(config_.position) + 1});
    uint64_t number = (floor & ~uint64_t{0xFFFF}) | salt_;
    if (number < floor) {
        number += 0x10000;
    }
    nextNumber_ = number + 1;
    return number;
}

bool NetSession::Start(const NetConfig& config, std::function<void()> notify) {
    Stop();
    config_ = config;
    core_ = MergeCore();
    lastApplied_ = 0;
    unsavedStream_.clear();
    outboxCount_ = 0;
    outboxBehind_ = false;
    caughtUpTo_.reset();
    badEvents_ = 0;
    lastBadSequence_ = 0;
    linkOnline_ = false;
    linkPositions_ = 0;
    linkProblem_.clear();
    localProblem_.clear();
    nextNumber_ = 1;
    std::string problem = config.Problem();
    if (problem.empty() && !LoadFiles(problem)) {
        problem = net_texts::FilesProblem(problem);
    }
    if (!problem.empty()) {
        linkProblem_ = problem;
        UpdateStatus();
        return false;
    }
    Reconcile();
    session_.SetNetHook(this);
    mailbox_ = std::make_shared<NetMailbox>(std::move(notify));
    link_ = std::make_unique<NetLink>(
        NetLink::Config{config_.servers, config_.log, config_.position, token_, lastApplied_}, mailbox_);
    std::vector<NetOutgoing> queued;
    for (const NetEvent& event : core_.Pending()) {
        queued.push_back(
            {PositionSubject(config_.log, event.author), NetMessageId(event), EncodeNetEvent(event)});
    }
    link_->Start(std::move(queued));
    waitingForCatchUp_ = true;
    linkProblem_ = net_texts::Connecting();
    UpdateStatus();
    return true;
}

void NetSession::Stop() {
    if (link_) {
        link_->Stop();
        link_.reset();
    }
    if (mailbox_) {
        mailbox_->Silence();
        mailbox_.reset();
    }
    if (session_.NetHook() == this) {
        session_.SetNetHook(nullptr);
    }
    linkOnline_ = false;
    UpdateStatus();
}

bool NetSession::LoadFiles(std::string& problem) {
    const std::string folder = session_.ProgramFolder() + "rete/";
    std::error_code error;
    std::filesystem::create_directories(folder + config_.log, error);
    if (error) {
        problem = folder + config_.log + ": " + error.message();
        return false;
    }
    const std::string tokenPath = folder + "istanza";
    std::optional<std::string> token = FileExists(tokenPath) ? ReadFileBytes(tokenPath) : std::nullopt;
    if (token) {
        token_ = token->substr(0, token->find_first_of("\r\n"));
    }
    if (token_.empty()) {
        token_ = NewToken();
        FileResult written = WriteFileAtomically(tokenPath, token_ + "\r\n");
        if (!written) {
            problem = written.error;
            return false;
        }
    }
    // FNV-1a of the token: the same mark from the same token, whatever the build.
    uint64_t hash = 14695981039346656037ull;
    for (char c : token_) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    salt_ = hash & 0xFFFF;

    streamFile_ = std::make_unique<EventFile>(folder + config_.log + "/flusso.evt");
    std::optional<EventFile::Loaded> stream = streamFile_->Load(&problem);
    if (!stream) {
        return false;
    }
    for (const StoredEvent& stored : stream->events) {
        if (stored.sequence <= lastApplied_) {
            continue;
        }
        lastApplied_ = stored.sequence;
        if (std::optional<NetEvent> event = DecodeNetEvent(stored.bytes)) {
            core_.ApplyConfirmed(*event);
        }
    }

    outbox_ = std::make_unique<EventFile>(folder + config_.log + "/coda.evt");
    std::optional<EventFile::Loaded> outbox = outbox_->Load(&problem);
    if (!outbox) {
        return false;
    }
    outboxCount_ = outbox->events.size();
    for (const StoredEvent& stored : outbox->events) {
        std::optional<NetEvent> event = DecodeNetEvent(stored.bytes);
        // Those that came back from the stream before the outbox was trimmed leave it.
        if (event && !core_.Confirmed().WasApplied(event->author, event->number)) {
            core_.AddPending(*event);
        }
    }
    TrimOutbox();
    return true;
}

bool NetSession::LogShowsConfirmed() const {
    const ContestLog& log = session_.Log();
    const SharedLogState& state = core_.Confirmed();
    if (!core_.Pending().empty() || state.RowCount() != log.RowCount() ||
        state.Mode().value_or(log.Mode()) != log.Mode()) {
        return false;
    }
    size_t row = 0;
    bool same = true;
    std::string identity;
    state.ForEachRow([&](SharedLogState::EntryRef ref) {
        if (!same) {
            return;
        }
        identity = state.IdentityText(ref);
        same = log.Identity(row) == identity;
        for (int column = 1; same && column <= 8; ++column) {
            same = log.Field(row, column) == state.Field(ref, static_cast<size_t>(column - 1));
        }
        ++row;
    });
    return same;
}

void NetSession::Reconcile() {
    ContestLog& log = session_.Log();
    if (LogShowsConfirmed()) {
        // A restart: the journal holds the shared log already.
        if (const std::optional<StationSummary>& summary = core_.Confirmed().Summary();
            summary && *summary != session_.GetSettings().station) {
            ShowSummary(summary, nullptr);
            session_.RewriteJournal();
        }
        return;
    }
    const SharedLogView view = core_.View();
    std::unordered_set<std::string> shown;
    for (const SharedRow& row : view.rows) {
        shown.insert(row.identity);
    }
    // Rows of the journal the shared log does not know: logged here with the network
    // off (no identity), or this position's own whose event never reached the outbox.
    std::vector<NetEvent> adopt;
    bool dropped = false;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        const std::string_view identity = log.Identity(row);
        if (!identity.empty() && shown.count(std::string(identity)) != 0) {
            continue;
        }
        std::optional<EntryIdentity> parsed = EntryIdentity::Parse(identity);
        NetEvent add;
        if (!parsed) {
            add = NetEvent::MakeAdd(config_.position, NextNumber(), log.Mode(), RowFields(row));
        } else if (parsed->position == config_.position &&
                   !core_.Confirmed().WasApplied(parsed->position, parsed->number)) {
            add = NetEvent::MakeAdd(config_.position, parsed->number, log.Mode(), RowFields(row));
        } else {
            dropped = true;  // another position's entry, or one deleted in the shared log
            continue;
        }
        adopt.push_back(add);
        nextNumber_ = std::max(nextNumber_, add.number + 1);
    }
    for (const NetEvent& add : adopt) {
        dropped = !Keep(add, false) || dropped;
    }
    if (dropped && FileExists(session_.JournalPath())) {
        // What the shared log does not take is kept in a log file beside the journal.
        CopyFileAtomically(session_.JournalPath(), session_.ProgramFolder() + kBackupName);
    }
    // Show the shared log when the journal differs from it.
    const SharedLogView now = adopt.empty() ? view : core_.View();
    bool same = now.rows.size() == log.RowCount() && now.mode.value_or(log.Mode()) == log.Mode();
    for (size_t row = 0; same && row < log.RowCount(); ++row) {
        same = log.Identity(row) == now.rows[row].identity && RowFields(row) == now.rows[row].fields;
    }
    if (!same) {
        ShowView(nullptr);
        session_.RewriteJournal();
    } else if (now.summary && *now.summary != session_.GetSettings().station) {
        ShowSummary(now.summary, nullptr);
        session_.RewriteJournal();
    }
}

std::array<std::string, 8> NetSession::RowFields(size_t row) const {
    const ContestLog& log = session_.Log();
    std::array<std::string, 8> fields;
    for (int column = 1; column <= 8; ++column) {
        fields[static_cast<size_t>(column - 1)] = std::string(log.Field(row, column));
    }
    return fields;
}

std::optional<size_t> NetSession::RowOf(std::string_view identity) const {
    const ContestLog& log = session_.Log();
    for (size_t row = log.RowCount(); row-- > 0;) {
        if (log.Identity(row) == identity) {
            return row;
        }
    }
    return std::nullopt;
}

void NetSession::AppendRow(const SharedRow& row, std::optional<size_t> at) {
    std::array<std::string_view, 8> fields;
    std::copy(row.fields.begin(), row.fields.end(), fields.begin());
    AppendRow(row.identity, fields, at);
}

void NetSession::AppendRow(std::string_view identity, const std::array<std::string_view, 8>& fields,
                           std::optional<size_t> at) {
    ContestLog& log = session_.Log();
    std::array<std::string_view, 9> columns;
    std::copy(fields.begin(), fields.end(), columns.begin());
    std::string name;
    size_t count = 8;
    if (log.Mode() == LogMode::Qso) {
        name = session_.Sections().NameOfText(fields[7]);
        columns[8] = name;
        count = 9;
    }
    std::span<const std::string_view> span(columns.data(), count);
    if (at && *at < log.RowCount()) {
        log.InsertFields(*at, span, identity);
    } else {
        log.AppendFields(span, identity);
    }
}

void NetSession::ShowSummary(const std::optional<StationSummary>& summary, NetPollResult* result) {
    Settings& settings = session_.GetSettings();
    if (!summary || *summary == settings.station) {
        return;
    }
    settings.SetStation(*summary);
    if (result != nullptr) {
        result->summaryChanged = true;
    }
}

void NetSession::ShowView(NetPollResult* result) {
    // With nothing pending the rows come straight from the confirmed log, else from
    // the view built whole.
    const bool confirmedOnly = core_.Pending().empty();
    const SharedLogView view = confirmedOnly ? SharedLogView{} : core_.View();
    const SharedLogState& state = core_.Confirmed();
    ContestLog& log = session_.Log();
    const LogMode mode = (confirmedOnly ? state.Mode() : view.mode).value_or(log.Mode());
    ShowSummary(confirmedOnly ? state.Summary() : view.summary, result);
    if (mode != log.Mode()) {
        session_.SwitchMode(mode);  // empties the log and forgets its file, as a change of mode does
    } else {
        log.Clear();
    }
    if (confirmedOnly) {
        log.Reserve(state.RowCount());
        state.ForEachRow([&](SharedLogState::EntryRef ref) {
            AppendRow(state.IdentityText(ref), state.Fields(ref), std::nullopt);
        });
    } else {
        log.Reserve(view.rows.size());
        for (const SharedRow& row : view.rows) {
            AppendRow(row, std::nullopt);
        }
    }
    if (result != nullptr) {
        result->logReplaced = true;
    }
}

bool NetSession::Keep(const NetEvent& event, bool send) {
    if (!core_.AddPending(event)) {
        return false;
    }
    FileResult written;
    if (outboxBehind_) {
        TrimOutbox();
        written.ok = !outboxBehind_;
    } else {
        written = outbox_->Append({{0, EncodeNetEvent(event)}});
        if (written) {
            ++outboxCount_;
        } else {
            outboxBehind_ = true;  // kept in memory; the next write puts the whole outbox down
            localProblem_ = net_texts::FilesProblem(written.error);
        }
    }
    if (send) {
        SendEvent(event);
    }
    return true;
}

void NetSession::SendEvent(const NetEvent& event) {
    if (link_) {
        link_->Send({PositionSubject(config_.log, event.author), NetMessageId(event), EncodeNetEvent(event)});
    }
    if (mailbox_) {
        mailbox_->Post(NetMail{});  // the window polls, and shows the status with one more to send
    }
}

void NetSession::TrimOutbox() {
    const std::deque<NetEvent>& pending = core_.Pending();
    if (!outboxBehind_ && outboxCount_ <= pending.size()) {
        return;
    }
    std::vector<StoredEvent> events;
    events.reserve(pending.size());
    for (const NetEvent& event : pending) {
        events.push_back({0, EncodeNetEvent(event)});
    }
    FileResult written = outbox_->Rewrite(events);
    if (written) {
        outboxCount_ = events.size();
        outboxBehind_ = false;
        if (localProblem_.rfind(net_texts::FilesProblem(""), 0) == 0) {
            localProblem_.clear();
        }
    } else {
        outboxBehind_ = true;
        localProblem_ = net_texts::FilesProblem(written.error);
    }
}

bool NetSession::EntryAdded(size_t row) {
    ContestLog& log = session_.Log();
    const std::string& ownSection = session_.GetSettings().station.ownSection;
    NetEvent add = NetEvent::MakeAdd(config_.position, NextNumber(), log.Mode(), RowFields(row));
    log.SetIdentity(row, add.entry.Text());
    if (!Keep(add, false)) {
        // Not a contact every position would take: it stays here, unshared.
        log.SetIdentity(row, "");
        localProblem_ = net_texts::ChangeRefused();
        UpdateStatus();
        return session_.AppendJournalLine(EntryLine(log, row, ownSection));
    }
    const bool written = session_.AppendJournalLine(EntryLine(log, row, ownSection));
    if (beforeSend_) {
        beforeSend_();
    }
    SendEvent(add);
    UpdateStatus();
    return written;
}

void NetSession::EntryEdited(size_t row) {
    ContestLog& log = session_.Log();
    std::optional<EntryIdentity> identity = EntryIdentity::Parse(log.Identity(row));
    if (!identity) {
        NetEvent add = NetEvent::MakeAdd(config_.position, NextNumber(), log.Mode(), RowFields(row));
        if (Keep(add)) {
            log.SetIdentity(row, add.entry.Text());
        }
        UpdateStatus();
        return;
    }
    if (!Keep(NetEvent::MakeEdit(config_.position, NextNumber(), *identity, log.Mode(), RowFields(row)))) {
        // Every position would refuse it: the row shows the shared log's value again.
        localProblem_ = net_texts::ChangeRefused();
        if (std::optional<size_t> at = RowOf(identity->Text())) {
            const SharedLogView view = core_.View();
            for (const SharedRow& shared : view.rows) {
                if (shared.identity == identity->Text()) {
                    const std::array<std::string, 8>& f = shared.fields;
                    if (log.Mode() == LogMode::Qso) {
                        log.Replace(*at, QsoRecord{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7],
                                                   session_.Sections().NameOfText(f[7])});
                    } else {
                        log.Replace(*at, HrdRecord{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]});
                    }
                }
            }
        }
    }
    UpdateStatus();
}

void NetSession::EntriesDeleting(const std::vector<size_t>& rows) {
    const ContestLog& log = session_.Log();
    for (size_t row : rows) {
        if (std::optional<EntryIdentity> identity = EntryIdentity::Parse(log.Identity(row))) {
            Keep(NetEvent::MakeDelete(config_.position, NextNumber(), *identity));
        }
    }
    UpdateStatus();
}

void NetSession::EntriesSorted() {
    Keep(NetEvent::MakeSort(config_.position, NextNumber()));
    // The same order on every position: the one the shared log gives.
    ShowView(nullptr);
    session_.RewriteJournal();
    UpdateStatus();
}

void NetSession::StationSummaryChanged() {
    Keep(NetEvent::MakeSummary(config_.position, NextNumber(), session_.GetSettings().station));
    UpdateStatus();
}

bool NetSession::MayReplaceLog() {
    session_.Prompts().ShowMessage(net_texts::NoReplace(config_.log), kProgramName, MessageIcon::Exclamation);
    return false;
}

std::string_view NetSession::PositionOfRow(size_t row) const {
    return PositionOfIdentity(session_.Log().Identity(row));
}

NetPollResult NetSession::Poll() {
    NetPollResult result;
    if (!mailbox_) {
        return result;
    }
    ContestLog& log = session_.Log();
    const std::string& ownSection = session_.GetSettings().station.ownSection;
    std::string lines;
    bool rewrite = false;
    bool rebuild = false;
    for (NetMail& mail : mailbox_->Take()) {
        if (mail.kind == NetMail::Link) {
            linkOnline_ = mail.online;
            linkPositions_ = mail.positions;
            linkProblem_ = std::move(mail.problem);
            continue;
        }
        if (mail.kind == NetMail::CaughtUp) {
            caughtUpTo_ = mail.sequence;
            continue;
        }
        if (mail.kind != NetMail::Event || mail.sequence <= lastApplied_) {
            continue;
        }
        lastApplied_ = mail.sequence;
        ++result.events;
        std::optional<NetEvent> event = DecodeNetEvent(mail.bytes);
        unsavedStream_.push_back({mail.sequence, std::move(mail.bytes)});
        if (!event) {
            ++badEvents_;  // kept in the local copy, applied as nothing
            lastBadSequence_ = mail.sequence;
            continue;
        }
        for (const ViewChange& change : core_.ApplyConfirmed(*event)) {
            switch (change.kind) {
                case ViewChange::Insert: {
                    const bool atEnd = change.at >= log.RowCount();
                    AppendRow(change.row, change.at);
                    ++result.rowsAdded;
                    if (atEnd) {
                        lines += EntryLine(log, log.RowCount() - 1, ownSection);
                    } else {
                        rewrite = true;
                    }
                    break;
                }
                case ViewChange::Update:
                    if (std::optional<size_t> row = RowOf(change.row.identity)) {
                        const std::array<std::string, 8>& f = change.row.fields;
                        if (log.Mode() == LogMode::Qso) {
                            log.Replace(*row, QsoRecord{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7],
                                                        session_.Sections().NameOfText(f[7])});
                        } else {
                            log.Replace(*row, HrdRecord{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]});
                        }
                    }
                    rebuild = rewrite = result.rowsChanged = true;
                    break;
                case ViewChange::Remove:
                    if (std::optional<size_t> row = RowOf(change.row.identity)) {
                        log.RemoveRows({*row});
                    }
                    rebuild = rewrite = result.rowsChanged = true;
                    break;
                case ViewChange::Summary:
                    ShowSummary(core_.ShownSummary(), &result);
                    rewrite = true;
                    break;
                case ViewChange::Reset:
                    ShowView(&result);
                    rewrite = true;
                    break;
            }
        }
    }
    if (rebuild) {
        log.RebuildIndexes();
    }
    // The local copy of the stream first: the journal only mirrors it.
    if (!unsavedStream_.empty()) {
        FileResult written = streamFile_->Append(unsavedStream_);
        if (written) {
            unsavedStream_.clear();
        } else {
            localProblem_ = net_texts::FilesProblem(written.error);
        }
    }
    if (rewrite) {
        session_.RewriteJournal();
        session_.MarkModified();
    } else if (!lines.empty()) {
        session_.AppendJournalLine(lines);
    }
    TrimOutbox();
    // Once the stream is read to its end, a log without a station summary takes
    // this position's.
    if (waitingForCatchUp_ && linkOnline_ && caughtUpTo_ && lastApplied_ >= *caughtUpTo_) {
        waitingForCatchUp_ = false;
        if (!core_.ShownSummary()) {
            StationSummaryChanged();
        }
    }
    result.statusChanged = UpdateStatus();
    return result;
}

bool NetSession::UpdateStatus() {
    NetStatus status;
    status.on = link_ != nullptr;
    status.online = linkOnline_;
    status.positions = linkPositions_;
    status.unsent = core_.Pending().size();
    status.text = net_texts::Status(status.online, status.positions, status.unsent);
    for (const std::string& reason :
         {linkProblem_, localProblem_,
          badEvents_ > 0 ? net_texts::BadEvents(badEvents_, lastBadSequence_) : std::string()}) {
        if (!reason.empty()) {
            status.reason += (status.reason.empty() ? "" : "\n") + reason;
        }
    }
    const bool changed = !(status == status_);
    status_ = std::move(status);
    return changed;
}

}  // namespace tarnex
