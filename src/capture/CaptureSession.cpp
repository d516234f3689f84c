// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/CaptureSession.h"

#include "core/CodePage.h"
#include "core/DayCount.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "core/MacroStore.h"
#include "core/MessageSink.h"
#include "core/Paths.h"
#include "core/SettingsBlock.h"
#include "library/MacroManagement.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

// Writes all of `bytes` to `fd`; false on a failure.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Where the text of a file (at most `limit` + 1 bytes are of interest) can be read.
bool ReadAll(int fd, std::string& text) {
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

std::string KeyName(std::uint16_t code) {
    return std::string(HotKeyName(code).value_or(""));
}

} // namespace

CaptureSession::CaptureSession(MacroStore& store, SettingsBlock& settings, CaptureHost& host,
                               MessageSink& messages, fs::path runtimeFolder, fs::path dataFolder)
    : store_(store), settings_(settings), host_(host), messages_(messages),
      runtimeFolder_(std::move(runtimeFolder)), dataFolder_(std::move(dataFolder)) {
    // Left behind by a program that ended in the middle of a capture: it holds what the user
    // typed then, and nothing will ever read it.
    std::error_code ignored;
    fs::remove(CaptureFile(), ignored);
}

CaptureSession::~CaptureSession() {
    CloseCaptureFile(true);
}

void CaptureSession::Report(std::string_view text) {
    messages_.Show(ErrorCaption, text);
}

bool CaptureSession::OpenCaptureFile() {
    CloseCaptureFile(true);
    const fs::path path = CaptureFile();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        Report("The capture file \"" + path.string() + "\" could not be created.");
        return false;
    }
    // An old file keeps its mode when it is truncated.
    ::fchmod(fd_, 0600);
    writeFailed_ = false;
    return true;
}

void CaptureSession::CloseCaptureFile(bool remove) {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (remove) {
        std::error_code ignored;
        fs::remove(CaptureFile(), ignored);
    }
}

std::uint16_t CaptureSession::StopKeyCode() const {
    const MacroTable& table = store_.Table();
    for (int i = 1; i <= store_.MacroCount(); ++i) {
        if (table.Scope(i) == ScopeSystem && table.ScopeTarget(i) == "2") {
            return table.HotKey(i);
        }
    }
    return 0;
}

std::string CaptureSession::StopKeyName() const {
    return KeyName(StopKeyCode());
}

std::string CaptureSession::OwnKeyName(int record) const {
    const std::uint16_t code = store_.Table().HotKey(record);
    return code < HotKeyCount ? KeyName(code) : std::string();
}

std::string CaptureSession::StartPromptText() const {
    return "Orvane 98 macro capture will now start.\n\nUse " + StopKeyName() +
           " to stop the capture.";
}

void CaptureSession::Publish(int record, const CaptureOptions& options) {
    namespace Off = MacroTableOffset;
    MacroTable& table = store_.Table();
    const CaptureSettings settings = CaptureSettingsOf(options);
    table.SetCaptureTarget(static_cast<std::uint16_t>(record));
    table.SetCaptureKeys(settings.Keys);
    table.SetCaptureMouse(settings.Mouse);
    table.SetCaptureToScreen(settings.ToScreen);
    table.SetCaptureTiming(settings.Timing);
    table.SetCaptureWindowSize(settings.WindowSize);
    table.SetByte(Off::CaptureFlag791, settings.WindowSize ? 1 : 0);
    table.SetCaptureDoubleAlt(options.DoubleAlt);
    table.SetStopKey(KeyValues::Of(DecipherKey(StopKeyCode())));
    const std::uint16_t own = table.HotKey(record);
    table.SetCaptureOwnKey(own < HotKeyCount);
    table.SetOwnKey(own < HotKeyCount ? KeyValues::Of(DecipherKey(own)) : KeyValues{});
    for (const std::size_t state :
         {Off::CaptureFlag740, Off::CaptureFlag765, Off::CaptureFlag775}) {
        table.SetByte(state, 0);
    }
    table.SetByte(Off::CaptureFlag790, 1);
    store_.Hook().OrvUpCapture(table);
}

void CaptureSession::Begin(const CaptureOptions& options) {
    if (options.Time) {
        const std::string_view tag = SpeedTag(options.Speed);
        writeFailed_ = !WriteAll(fd_, tag);
    }
}

bool CaptureSession::StartCapture(int record, const CaptureOptions& options, bool programScope) {
    if (Busy() || record < 1 || record > store_.MacroCount() || !OpenCaptureFile()) {
        return false;
    }
    Begin(options);
    RememberTarget(record);
    programScope_ = programScope;
    bySystemKey_ = false;
    Publish(record, options);
    host_.CaptureStarted();
    capturing_ = true;
    store_.Table().SetCaptureOn(true);
    store_.Hook().OrvUpCaptureOn(store_.Table());
    return true;
}

void CaptureSession::StartACapture() {
    if (host_.BrowseMode()) {
        Report(BrowseModeText);
        return;
    }
    if (capturing_) {
        Report(InProgressText);
        return;
    }
    if (store_.MacroCount() >= MaxMacroCount) {
        Report(MaximumText);
        return;
    }
    if (store_.FileHasUnloadedRecords() || !host_.HoldFile()) {
        return;
    }
    MacroRecord record = CaptureMacroRecord();
    if (!store_.AppendMacro(record)) {
        host_.ReleaseFile(false);
        return;
    }
    store_.SetHotKeys();
    const int macro = store_.MacroCount();
    host_.ListChanged(macro);
    const CaptureOptions options = CaptureOptionsFrom(settings_);
    if (!OpenCaptureFile()) {
        host_.ReleaseFile(true);
        return;
    }
    Begin(options);
    RememberTarget(macro);
    programScope_ = false;
    bySystemKey_ = true;
    Publish(macro, options);
    // Running from here on: the capture key struck again while the start message is up is
    // refused instead of starting a second capture.
    capturing_ = true;
    if (options.Prompt) {
        messages_.Show(StartCaption, StartPromptText());
    }
    host_.CaptureStarted();
    store_.Table().SetCaptureOn(true);
    store_.Hook().OrvUpCaptureOn(store_.Table());
}

void CaptureSession::RememberTarget(int record) {
    target_ = record;
    targetHotKey_ = store_.Table().HotKey(record);
    MacroRecord macro;
    targetShortKey_ = store_.ReadMacro(record, macro) ? macro.ShortKey.Str() : std::string();
}

bool CaptureSession::ReadTarget(int macro, MacroRecord& record) {
    return macro >= 1 && macro <= store_.MacroCount() && store_.ReadMacro(macro, record) &&
           record.HotKey == targetHotKey_ && record.ShortKey.Str() == targetShortKey_;
}

bool CaptureSession::AppendCaptureMacro(MacroRecord& record, int& macro) {
    record = CaptureMacroRecord();
    if (store_.MacroCount() >= MaxMacroCount || store_.FileHasUnloadedRecords() ||
        !store_.AppendMacro(record)) {
        return false;
    }
    store_.SetHotKeys();
    macro = store_.MacroCount();
    return true;
}

void CaptureSession::EndCapture() {
    if (capturing_) {
        Done(target_);
    }
}

void CaptureSession::Receive(const HookMessage& message) {
    if (message.Id == HookMessageId::UM_CAPTURECHAR) {
        const auto ch = static_cast<char>(message.LParam & 0xFF);
        if (capturing_ && fd_ >= 0 && ch != 0 && !writeFailed_) {
            writeFailed_ = !WriteAll(fd_, std::string_view(&ch, 1));
        }
    } else if (message.Id == HookMessageId::UM_CAPTUREDONE) {
        // A second notice for a capture already ended finds nothing to do.
        if (capturing_) {
            Done(static_cast<int>(message.WParam & 0xFFFF));
        }
    }
}

bool CaptureSession::TakeText(std::string& script) {
    const fs::path path = CaptureFile();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    std::string text;
    const bool read = in >= 0 && ReadAll(in, text);
    if (in >= 0) {
        ::close(in);
    }
    if (!read || writeFailed_) {
        Report("The capture file \"" + path.string() +
               "\" could not be written or read.  The macro was left as it was.");
        return false;
    }
    if (text.size() <= MacroTextMaxLength) {
        script = std::move(text);
        return true;
    }
    // Too long for a macro: the text goes into a file of its own, which the macro plays.
    return SaveOverflow(text, script);
}

bool CaptureSession::SaveOverflow(const std::string& text, std::string& script) {
    for (int n = 0;; ++n) {
        const fs::path overflow =
            dataFolder_ / (std::string(OverflowPrefix) + std::to_string(n) + ".TXT");
        const int out =
            ::open(overflow.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (out < 0 && errno == EEXIST) {
            continue;
        }
        const bool written = out >= 0 && WriteAll(out, text) && ::fsync(out) == 0;
        if (out >= 0) {
            ::close(out);
        }
        if (!written) {
            std::error_code ignored;
            fs::remove(overflow, ignored);
            Report("The captured text could not be saved in \"" + overflow.string() +
                   "\".  The macro was left as it was.");
            return false;
        }
        script = "<TFILE:" + StoredFromPath(overflow) + ">";
        return true;
    }
}

void CaptureSession::Done(int macro) {
    const std::string program = host_.TopProgram();
    capturing_ = false;
    ending_ = true;
    host_.RecordingStopped();
    store_.Table().SetCaptureOn(false);
    store_.Hook().OrvUpCaptureOn(store_.Table());

    std::string script;
    const bool taken = TakeText(script);
    CloseCaptureFile(true);
    MacroRecord record;
    bool askActivation = bySystemKey_;
    bool stored = false;
    if (taken && !ReadTarget(macro, record)) {
        // Its macro went while it was recording: the recording becomes a macro of its own, and
        // the user gives it its activation as after a capture by the system hot key.
        messages_.Show(DoneCaption, TargetGoneText);
        askActivation = true;
        if (!AppendCaptureMacro(record, macro)) {
            std::string kept;
            if (SaveOverflow(script, kept)) {
                messages_.Show(ErrorCaption, "The recording could not be added as a macro.  It "
                                             "was saved as " +
                                                 kept + ".");
            }
            macro = 0;
        }
    }
    if (taken && macro > 0) {
        record.SetText(script);
        record.LastModified = NowAsDays();
        if (askActivation) {
            host_.CaptureComplete(record, program);
        } else if (programScope_) {
            record.Scope = ScopeSpecificProgram;
            record.ScopeTarget.Assign(std::string_view(program).substr(0, 30));
            record.TopMostOnly = 1;
        }
        stored = store_.SaveMacro(macro, record);
        if (stored) {
            store_.SetHotKeys();
        }
    }
    host_.ReleaseFile(true);
    if (stored && !askActivation) {
        const std::string done =
            record.HotKey == HotKeyShortKey
                ? "Orvane 98 capture is complete for ShortKey: " + record.ShortKey.Str() + "."
                : "Orvane 98 capture is complete for " +
                      (record.HotKey == HotKeyTimed ? "Timed Macro" : KeyName(record.HotKey)) + ".";
        messages_.Show(DoneCaption, Windows1252ToUtf8(done));
    }
    bySystemKey_ = false;
    ending_ = false;
    host_.CaptureStored(macro);
}

MacroRecord CaptureMacroRecord() {
    MacroRecord record;
    record.Nickname.Assign("Capture");
    record.ShortKey.Assign("capture");
    record.HotKey = HotKeyShortKey;
    record.Scope = ScopeGlobal;
    record.Active = 1;
    record.TopMostOnly = 1;
    record.Icon.Assign("MAIN");
    record.LastModified = NowAsDays();
    return record;
}

} // namespace orvane
