#pragma once
// Files the program writes go to a temporary name in the target's folder and
// are renamed into place only once complete: a full disk or a killed process
// leaves the previous file (or none), never a cut one.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace daxo::platform {

// Names the file and gives the system's reason in Portuguese.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& action, const std::filesystem::path& file, std::error_code reason);
    const std::filesystem::path& file() const { return file_; }
    const std::string& reason() const { return reason_; }

private:
    std::filesystem::path file_;
    std::string reason_;
};

// One file being written. Nothing shows under the target's name until
// commit(); destroyed without it, the temporary goes.
class PendingFile {
public:
    explicit PendingFile(std::filesystem::path target);
    PendingFile(PendingFile&& other) noexcept;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    PendingFile& operator=(PendingFile&&) = delete;
    ~PendingFile();

    void write(std::string_view bytes);   // throws FileError
    void commit();                        // throws FileError

    const std::filesystem::path& target() const { return target_; }
    // For a library that writes by file name: the name to give it.
    const std::filesystem::path& temporaryPath() const { return temporary_; }

private:
    void discard() noexcept;
    std::filesystem::path target_, temporary_;
    int fd_ = -1;
};

void writeFileSafely(const std::filesystem::path& target, std::string_view bytes);
// Replaces `target` with a copy of `source`.
void copyFileSafely(const std::filesystem::path& source, const std::filesystem::path& target);

// While one exists, every write through this file into `folder` (into any
// folder when empty) stops halfway with `error`: how tests meet a full disk
// or a read-only folder.
class SimulatedWriteFailure {
public:
    explicit SimulatedWriteFailure(std::errc error, std::filesystem::path folder = {});
    SimulatedWriteFailure(const SimulatedWriteFailure&) = delete;
    SimulatedWriteFailure& operator=(const SimulatedWriteFailure&) = delete;
    ~SimulatedWriteFailure();
};

} // namespace daxo::platform
