// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MacroFileCheck.h"

#include "core/ByteOrder.h"
#include "core/HotKeyTable.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace orvane {
namespace {

namespace Off = MacroRecordOffset;

bool LengthFits(std::span<const std::uint8_t> record, std::size_t offset, std::size_t capacity) {
    return LoadU8(record, offset) <= capacity;
}

// Reads exactly `length` bytes at `offset`; false on an I/O error or a file that ended first.
bool ReadExactly(int fd, std::uint8_t* buffer, std::size_t length, std::size_t offset) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n =
            ::pread(fd, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::filesystem::path& path)
        // O_NONBLOCK: a named pipe at the path must not hold the check up.
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    ~ReadOnlyFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

MacroFileCheck WhenItCannotBeOpened(const std::filesystem::path& path) {
    std::error_code ec;
    switch (std::filesystem::symlink_status(path, ec).type()) {
    case std::filesystem::file_type::not_found:
        return {MacroFileKind::Missing};
    case std::filesystem::file_type::regular:
    case std::filesystem::file_type::symlink:
    case std::filesystem::file_type::none:
    case std::filesystem::file_type::unknown:
        return {MacroFileKind::Unreadable};
    default:
        return {MacroFileKind::NotAFile}; // a folder we may not enter, a socket
    }
}

} // namespace

bool IsMacroRecord(std::span<const std::uint8_t, MacroRecordSize> record) {
    const std::uint16_t hotKey = LoadU16(record, Off::HotKey);
    const std::int16_t scope = LoadI16(record, Off::Scope);
    const std::uint8_t active = LoadU8(record, Off::Active);
    return LengthFits(record, Off::Nickname, decltype(MacroRecord::Nickname)::Capacity) &&
           LengthFits(record, Off::ScopeTarget, decltype(MacroRecord::ScopeTarget)::Capacity) &&
           LengthFits(record, Off::ShortKey, decltype(MacroRecord::ShortKey)::Capacity) &&
           LengthFits(record, Off::Icon, decltype(MacroRecord::Icon)::Capacity) &&
           (hotKey < HotKeyCount || hotKey == HotKeyTimed || hotKey == HotKeyShortKey) &&
           scope >= ScopeGlobal && scope <= ScopeSystem && active <= 1;
}

MacroFileCheck CheckMacroFileBytes(std::span<const std::uint8_t> bytes) {
    if (!bytes.empty() && bytes.size() < MacroRecordSize) {
        return {MacroFileKind::NoWholeRecord};
    }
    const std::size_t records = bytes.size() / MacroRecordSize;
    for (std::size_t k = 0; k < records; ++k) {
        if (!IsMacroRecord(bytes.subspan(k * MacroRecordSize).first<MacroRecordSize>())) {
            return {MacroFileKind::ForeignRecord, k + 1};
        }
    }
    return {MacroFileKind::MacroFile};
}

MacroFileCheck CheckMacroFile(const std::filesystem::path& path) {
    const ReadOnlyFile file(path);
    if (file.Get() < 0) {
        return WhenItCannotBeOpened(path);
    }
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0) {
        return {MacroFileKind::Unreadable};
    }
    if (!S_ISREG(st.st_mode)) {
        return {MacroFileKind::NotAFile};
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size > 0 && size < MacroRecordSize) {
        return {MacroFileKind::NoWholeRecord};
    }
    // One record at a time: a large foreign file is judged by its first record, not read whole.
    MacroRecordBytes record{};
    for (std::size_t k = 0; k < size / MacroRecordSize; ++k) {
        if (!ReadExactly(file.Get(), record.data(), MacroRecordSize, k * MacroRecordSize)) {
            return {MacroFileKind::Unreadable};
        }
        if (!IsMacroRecord(record)) {
            return {MacroFileKind::ForeignRecord, k + 1};
        }
    }
    return {MacroFileKind::MacroFile};
}

bool IsMacroFile(const std::filesystem::path& path) {
    const MacroFileKind kind = CheckMacroFile(path).Kind;
    return kind == MacroFileKind::MacroFile || kind == MacroFileKind::Missing;
}

} // namespace orvane
