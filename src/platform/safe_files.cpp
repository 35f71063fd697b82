#include "safe_files.h"

#include "system_errors.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <utility>
#include <unistd.h>

namespace daxo::platform {

namespace fs = std::filesystem;

namespace {

struct Simulation {
    std::errc error;
    fs::path folder;
};
std::optional<Simulation> simulated;

std::optional<std::errc> simulatedFailure(const fs::path& target)
{
    if (!simulated || (!simulated->folder.empty() &&
                       target.parent_path().lexically_normal() != simulated->folder.lexically_normal()))
        return std::nullopt;
    return simulated->error;
}

std::error_code lastError() { return {errno, std::generic_category()}; }

} // namespace

FileError::FileError(const std::string& action, const fs::path& file, std::error_code reason)
    : std::runtime_error("Não foi possível " + action + " o arquivo " + file.string() + ": " + systemReason(reason) +
                         "."),
      file_(file), reason_(systemReason(reason))
{
}

PendingFile::PendingFile(fs::path target) : target_(std::move(target))
{
    temporary_ = target_;
    temporary_ += ".tmp~" + std::to_string(::getpid());
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0)
        throw FileError("gravar", target_, lastError());
}

PendingFile::PendingFile(PendingFile&& other) noexcept
    : target_(std::move(other.target_)), temporary_(std::move(other.temporary_)), fd_(std::exchange(other.fd_, -1))
{
    other.temporary_.clear();
}

PendingFile::~PendingFile() { discard(); }

void PendingFile::discard() noexcept
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
        temporary_.clear();
    }
}

void PendingFile::write(std::string_view bytes)
{
    const std::optional<std::errc> failure = simulatedFailure(target_);
    if (failure)
        bytes = bytes.substr(0, bytes.size() / 2);
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (failure || !bytes.empty()) {
        const std::error_code error = failure ? std::make_error_code(*failure) : lastError();
        discard();
        throw FileError("gravar", target_, error);
    }
}

void PendingFile::commit()
{
    const int closed = ::close(std::exchange(fd_, -1));
    if (closed != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const std::error_code error = lastError();
        discard();
        throw FileError("gravar", target_, error);
    }
    temporary_.clear();
}

void writeFileSafely(const fs::path& target, std::string_view bytes)
{
    PendingFile file(target);
    file.write(bytes);
    file.commit();
}

void copyFileSafely(const fs::path& source, const fs::path& target)
{
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        throw FileError("ler", source, lastError());
    PendingFile file(target);
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const std::error_code error = lastError();
            ::close(in);
            throw FileError("ler", source, error);
        }
        if (n == 0)
            break;
        try {
            file.write({buffer, static_cast<std::size_t>(n)});
        } catch (...) {
            ::close(in);
            throw;
        }
    }
    ::close(in);
    file.commit();
}

SimulatedWriteFailure::SimulatedWriteFailure(std::errc error, fs::path folder)
{
    simulated = Simulation{error, std::move(folder)};
}
SimulatedWriteFailure::~SimulatedWriteFailure() { simulated.reset(); }

} // namespace daxo::platform
