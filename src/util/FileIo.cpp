#include "util/FileIo.h"

#include <dirent.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace tarnex {

namespace {

FileFaultHook& Hook() {
    static FileFaultHook hook;
    return hook;
}

// True when the test hook wants this step to fail; errno is set as for a full disk
// on writes and as for an I/O error otherwise.
bool Injected(FileStep step, const std::string& path) {
    FileFaultHook& hook = Hook();
    if (hook && hook(step, path)) {
        errno = (step == FileStep::Write || step == FileStep::Flush) ? ENOSPC : EIO;
        return true;
    }
    return false;
}

FileResult Failure(const char* what, const std::string& path) {
    FileResult result;
    result.error = std::string(what) + " " + path + ": " + std::strerror(errno);
    return result;
}

FileResult Success() {
    FileResult result;
    result.ok = true;
    return result;
}

bool WriteAll(int fd, std::string_view bytes, const std::string& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        if (Injected(FileStep::Write, path)) {
            return false;
        }
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

void SetFileFaultHook(FileFaultHook hook) {
    Hook() = std::move(hook);
}

std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error) {
    auto fail = [&](const char* what) -> std::optional<std::string> {
        if (error != nullptr) {
            *error = std::string(what) + " " + path + ": " + std::strerror(errno);
        }
        return std::nullopt;
    };
    if (Injected(FileStep::Open, path)) {
        return fail("cannot open");
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return fail("cannot open");
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        return fail("cannot read");
    }
    // The bytes are read straight into the text, sized for the file as it stands; what
    // the file gained since, and the bytes of a file of no known size, come after.
    std::string bytes(info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0, '\0');
    size_t got = 0;
    char spare[65536];
    for (;;) {
        if (Injected(FileStep::Read, path)) {
            int saved = errno;
            ::close(fd);
            errno = saved;
            return fail("cannot read");
        }
        const bool room = got < bytes.size();
        ssize_t n = room ? ::read(fd, bytes.data() + got, bytes.size() - got) : ::read(fd, spare, sizeof spare);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            int saved = errno;
            ::close(fd);
            errno = saved;
            return fail("cannot read");
        }
        if (n == 0) {
            break;
        }
        if (room) {
            got += static_cast<size_t>(n);
        } else {
            bytes.append(spare, static_cast<size_t>(n));
            got = bytes.size();
        }
    }
    bytes.resize(got);
    ::close(fd);
    return bytes;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

namespace {

// A replace writes to the target's name followed by this and six characters mkstemp
// chooses from letters and digits.
constexpr std::string_view kTemporarySuffix = ".tmp-";
constexpr size_t kTemporaryRandomLength = 6;

bool IsTemporaryNameOf(std::string_view entry, std::string_view name) {
    if (entry.size() != name.size() + kTemporarySuffix.size() + kTemporaryRandomLength ||
        entry.substr(0, name.size()) != name ||
        entry.substr(name.size(), kTemporarySuffix.size()) != kTemporarySuffix) {
        return false;
    }
    for (char c : entry.substr(name.size() + kTemporarySuffix.size())) {
        bool alphanumeric = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alphanumeric) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> RemoveStaleTemporaryFiles(const std::string& folder,
                                                   const std::vector<std::string>& names) {
    std::vector<std::string> failed;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return failed;
    }
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/') {
        prefix += '/';
    }
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view entryName(entry->d_name);
        for (const std::string& name : names) {
            if (!IsTemporaryNameOf(entryName, name)) {
                continue;
            }
            std::string path = prefix + std::string(entryName);
            struct stat info {};
            if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                (Injected(FileStep::Remove, path) || ::unlink(path.c_str()) != 0)) {
                failed.push_back(path);
            }
        }
    }
    ::closedir(dir);
    return failed;
}

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
    if (Injected(FileStep::Open, path_)) {
        Fail("cannot create");
        return;
    }
    temp_ = path_ + std::string(kTemporarySuffix) + std::string(kTemporaryRandomLength, 'X');
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) {
        Fail("cannot create");
        return;
    }
    // Keep the permissions an ordinary new file would get.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temp_.c_str());
    }
}

void AtomicFileWriter::Fail(const char* what) {
    if (failedStep_ == nullptr) {
        failedStep_ = what;
        failedErrno_ = errno;
    }
}

void AtomicFileWriter::Write(std::string_view bytes) {
    if (Good() && !WriteAll(fd_, bytes, path_)) {
        Fail("cannot write");
    }
}

FileResult AtomicFileWriter::Abandon(const char* what) {
    int saved = errno;
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temp_.c_str());
        fd_ = -1;
    }
    errno = saved;
    return Failure(what, path_);
}

FileResult AtomicFileWriter::Finish() {
    if (!Good()) {
        errno = failedErrno_;
        return Abandon(failedStep_);
    }
    if (Injected(FileStep::Flush, path_) || ::fsync(fd_) != 0) {
        return Abandon("cannot flush");
    }
    if (Injected(FileStep::Close, path_)) {
        return Abandon("cannot close");
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        int saved = errno;
        ::unlink(temp_.c_str());
        errno = saved;
        return Failure("cannot close", path_);
    }
    if (Injected(FileStep::Rename, path_) || ::rename(temp_.c_str(), path_.c_str()) != 0) {
        int saved = errno;
        ::unlink(temp_.c_str());
        errno = saved;
        return Failure("cannot replace", path_);
    }
    SyncFolder(FolderOf(path_));
    return Success();
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer(path);
    writer.Write(bytes);
    return writer.Finish();
}

FileResult AppendToFile(const std::string& path, std::string_view bytes) {
    if (Injected(FileStep::Open, path)) {
        return Failure("cannot open", path);
    }
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
        return Failure("cannot open", path);
    }
    struct stat before {};
    ::fstat(fd, &before);
    if (!WriteAll(fd, bytes, path) || Injected(FileStep::Flush, path) || ::fsync(fd) != 0) {
        int saved = errno;
        // Take back a partial line so that the file never holds half an entry.
        if (::ftruncate(fd, before.st_size) == 0) {
            ::fsync(fd);
        }
        ::close(fd);
        errno = saved;
        return Failure("cannot write", path);
    }
    if (Injected(FileStep::Close, path)) {
        int saved = errno;
        ::close(fd);
        errno = saved;
        return Failure("cannot close", path);
    }
    if (::close(fd) != 0) {
        return Failure("cannot close", path);
    }
    return Success();
}

FileResult CopyFileAtomically(const std::string& source, const std::string& destination) {
    std::string error;
    std::optional<std::string> bytes = ReadFileBytes(source, &error);
    if (!bytes) {
        FileResult result;
        result.error = error;
        return result;
    }
    return WriteFileAtomically(destination, *bytes);
}

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tarnex
