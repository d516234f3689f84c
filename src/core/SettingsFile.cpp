// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingsFile.h"

#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "core/WholeFile.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

namespace orvane {
namespace {

namespace fs = std::filesystem;

// The Windows program reads every value through a profile read with a fixed buffer, and such a
// read returns at most one character less than the buffer holds (the last place takes the
// terminating NUL). So a path keeps at most 249 characters, a font setting 149 and everything else
// 14; "0000000000000123" reads as "00000000000001", which is 1.
constexpr size_t kPathBuffer = 250;
constexpr size_t kFontBuffer = 150;
constexpr size_t kOtherBuffer = 15;

// Anything larger is not a settings file; reading it would only cost memory.
constexpr std::uintmax_t kLargestSettingsFile = 64u << 20;

bool IsCBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The C library's decimal conversion as the Windows program used it: leading blanks, an optional
// sign, the leading digits; no digits give 0. Out-of-range values stop at the 32-bit limits, as
// the conversion to a 32-bit long does.
int32_t ParseNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
    }
    if (negative) {
        return static_cast<int32_t>(-magnitude);
    }
    return static_cast<int32_t>(std::min(magnitude, kLimit - 1));
}

bool ParseFlag(std::string_view text) {
    return text.size() == 3 && (text[0] == 'Y' || text[0] == 'y') &&
           (text[1] == 'E' || text[1] == 'e') && (text[2] == 'S' || text[2] == 's');
}

class Reader {
public:
    explicit Reader(const IniFile& file) : file_(file) {}

    void Flag(std::string_view section, std::string_view key, bool& value, size_t buffer) {
        if (const std::optional<std::string> text = Read(section, key, buffer)) {
            value = ParseFlag(*text);
        }
    }
    void Number(std::string_view section, std::string_view key, int32_t& value, size_t buffer) {
        if (const std::optional<std::string> text = Read(section, key, buffer)) {
            value = ParseNumber(*text);
        }
    }
    // 16-bit settings keep the low 16 bits of the converted number, as storing it in a 16-bit
    // field did.
    void Number(std::string_view section, std::string_view key, uint16_t& value, size_t buffer) {
        if (const std::optional<std::string> text = Read(section, key, buffer)) {
            value = static_cast<uint16_t>(static_cast<uint32_t>(ParseNumber(*text)));
        }
    }
    void Text(std::string_view section, std::string_view key, std::string& value, size_t buffer,
              size_t capacity) {
        if (const std::optional<std::string> text = Read(section, key, buffer)) {
            value = text->substr(0, capacity);
        }
    }

private:
    std::optional<std::string> Read(std::string_view section, std::string_view key,
                                    size_t buffer) const {
        std::optional<std::string> text = file_.Value(section, key);
        if (text && text->size() > buffer - 1) {
            text->resize(buffer - 1);
        }
        return text;
    }

    const IniFile& file_;
};

class Writer {
public:
    explicit Writer(IniFile& file) : file_(file) {}

    void Flag(std::string_view section, std::string_view key, bool value, size_t) {
        file_.SetValue(section, key, value ? "Yes" : "No");
    }
    void Number(std::string_view section, std::string_view key, int64_t value, size_t) {
        file_.SetValue(section, key, std::to_string(value));
    }
    void Text(std::string_view section, std::string_view key, const std::string& value, size_t,
              size_t capacity) {
        file_.SetValue(section, key, std::string_view(value).substr(0, capacity));
    }

private:
    IniFile& file_;
};

template <typename Font, typename Visitor>
void VisitFont(Visitor& visitor, std::string_view section, Font& font, bool allStyles) {
    visitor.Number(section, "Color", font.Color, kFontBuffer);
    visitor.Text(section, "Font Name", font.Name, kFontBuffer, kFontNameCapacity);
    visitor.Number(section, "Size", font.Size, kFontBuffer);
    visitor.Flag(section, "Bold", font.Bold, kFontBuffer);
    visitor.Flag(section, "Italic", font.Italic, kFontBuffer);
    if (allStyles) {
        visitor.Flag(section, "Underline", font.Underline, kFontBuffer);
        visitor.Flag(section, "Strikeout", font.Strikeout, kFontBuffer);
    }
}

template <typename Bounds, typename Visitor>
void VisitBounds(Visitor& visitor, std::string_view section, Bounds& bounds) {
    visitor.Number(section, "Width", bounds.Width, kOtherBuffer);
    visitor.Number(section, "Height", bounds.Height, kOtherBuffer);
    visitor.Number(section, "Left", bounds.Left, kOtherBuffer);
    visitor.Number(section, "Top", bounds.Top, kOtherBuffer);
}

// Every setting, in the order of the Windows program's file. Loading and saving both walk this one
// list, so they cannot disagree about a key, its buffer or its order.
template <typename Block, typename Visitor> void VisitSettings(Visitor& v, Block& s) {
    constexpr size_t kOther = kOtherBuffer;

    constexpr std::string_view misc = "Misc";
    v.Number(misc, "System Menu", s.SystemMenu, kOther);
    v.Flag(misc, "Sort Header", s.SortHeader, kOther);
    v.Text(misc, "Primary Sort", s.PrimarySort, kOther, kSortOrderCapacity);
    v.Text(misc, "Activation Sort", s.ActivationSort, kOther, kSortOrderCapacity);
    v.Text(misc, "Scope Sort", s.ScopeSort, kOther, kScopeSortCapacity);
    v.Number(misc, "Last Date Format", s.LastDateFormat, kOther);
    v.Number(misc, "Last Time Format", s.LastTimeFormat, kOther);
    v.Flag(misc, "Suppress Zeros In Date", s.SuppressZerosInDate, kOther);
    v.Flag(misc, "Suppress Zeros In Time", s.SuppressZerosInTime, kOther);
    v.Flag(misc, "Show Date", s.ShowDate, kOther);
    v.Flag(misc, "Use Tray", s.UseTray, kOther);
    v.Flag(misc, "Disable Screen Saver", s.DisableScreenSaver, kOther);
    v.Text(misc, "Current File", s.CurrentFile, kPathBuffer, kPathCapacity);
    for (size_t i = 0; i < kRecentFileCount; ++i) {
        v.Text(misc, "Last File " + std::to_string(i + 1), s.LastFiles[i], kPathBuffer,
               kPathCapacity);
    }

    constexpr std::string_view capture = "Capture";
    v.Flag(capture, "Double Alt", s.CaptureDoubleAlt, kOther);
    v.Flag(capture, "Keys", s.CaptureKeys, kOther);
    v.Flag(capture, "Mouse", s.CaptureMouse, kOther);
    v.Flag(capture, "Relative To Screen", s.CaptureRelativeToScreen, kOther);
    v.Flag(capture, "Time", s.CaptureTime, kOther);
    v.Flag(capture, "Prompt", s.CapturePrompt, kOther);
    v.Flag(capture, "Window Size", s.CaptureWindowSize, kOther);
    v.Flag(capture, "Global", s.CaptureGlobal, kOther);
    v.Number(capture, "Speed", s.CaptureSpeed, kOther);

    constexpr std::string_view shortKeys = "ShortKeys";
    v.Flag(shortKeys, "Solitary Usage", s.SolitaryUsage, kOther);
    v.Flag(shortKeys, "Case Sensative", s.CaseSensitive, kOther); // the file's spelling
    v.Flag(shortKeys, "Use Suffix", s.UseSuffix, kOther);
    v.Text(shortKeys, "Prefix Keys", s.PrefixKeys, kPathBuffer, kPrefixKeysCapacity);
    v.Flag(shortKeys, "Undo By Backspace", s.UndoByBackspace, kOther);
    v.Flag(shortKeys, "Follow Case", s.FollowCase, kOther);
    v.Flag(shortKeys, "Paste Long Texts", s.PasteLongTexts, kOther);
    v.Number(shortKeys, "Paste Above", s.PasteAbove, kOther);

    constexpr std::string_view mainWindow = "Main Window";
    VisitBounds(v, mainWindow, s.MainWindow);
    v.Number(mainWindow, "Col 1 Width", s.Col1Width, kOther);
    v.Number(mainWindow, "Col 2 Width", s.Col2Width, kOther);
    v.Number(mainWindow, "Col 3 Width", s.Col3Width, kOther);
    v.Flag(mainWindow, "Use Speed", s.UseSpeed, kOther);

    VisitFont(v, "Grid Title Font", s.GridTitleFont, true);
    VisitFont(v, "Grid Font", s.GridFont, true);
    VisitBounds(v, "Script Page", s.ScriptPage);

    constexpr std::string_view network = "Network";
    v.Flag(network, "Network Mode", s.NetworkMode, kOther);
    v.Flag(network, "Auto Sync", s.AutoSync, kOther);
    v.Number(network, "Sync Minutes", s.SyncMinutes, kOther);

    VisitFont(v, "Print List Font", s.PrintListFont, false);

    constexpr std::string_view scheduler = "Scheduler";
    v.Flag(scheduler, "Use Wave File", s.UseWaveFile, kOther);
    v.Flag(scheduler, "Wave File Wait", s.WaveFileWait, kOther);
    v.Text(scheduler, "Wave File", s.WaveFile, kPathBuffer, kPathCapacity);
    v.Number(scheduler, "Timer Seconds", s.TimerSeconds, kOther);
}

bool MacroFileExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error) && !fs::is_directory(path, error);
}

enum class ReadResult { Read, Missing, Unreadable };

ReadResult ReadSettingsFile(const fs::path& path, std::string& contents) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        return ReadResult::Missing;
    }
    if (error || status.type() != fs::file_type::regular) {
        return ReadResult::Unreadable;
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size > kLargestSettingsFile) {
        return ReadResult::Unreadable;
    }
    std::optional<std::string> read = ReadWholeFile(path);
    if (!read) {
        return ReadResult::Unreadable;
    }
    contents = std::move(*read);
    return ReadResult::Read;
}

} // namespace

SettingsBlock LoadSettings(const IniFile& file, const SettingsContext& context) {
    SettingsBlock settings;
    Reader reader(file);
    VisitSettings(reader, settings);

    if (settings.TimerSeconds == 0 || settings.TimerSeconds > 60) {
        settings.TimerSeconds = 10;
    }
    // Not among the keys written back: a settings file the program saves stays as it was.
    std::int32_t heartbeat = 30;
    reader.Number("Network", "Heartbeat Seconds", heartbeat, kOtherBuffer);
    settings.HeartbeatSeconds =
        heartbeat >= 1 && heartbeat <= 30 ? static_cast<uint16_t>(heartbeat) : 30;
    const auto exists = context.FileExists ? context.FileExists : MacroFileExists;
    if (settings.CurrentFile.empty() || !exists(PathFromStored(settings.CurrentFile))) {
        settings.CurrentFile = StoredFromPath(DefaultMacroFile(context.DataFolder));
    }
    return settings;
}

SettingsBlock LoadSettings(const fs::path& settingsFile, const SettingsContext& context) {
    std::string contents;
    if (ReadSettingsFile(settingsFile, contents) != ReadResult::Read) {
        contents.clear();
    }
    return LoadSettings(IniFile::Parse(contents), context);
}

void SaveSettings(const SettingsBlock& settings, IniFile& file) {
    Writer writer(file);
    VisitSettings(writer, settings);
}

bool SaveSettings(const SettingsBlock& settings, const fs::path& settingsFile) {
    // A settings file kept elsewhere through a symbolic link (as dotfile managers do) is rewritten
    // where it lives, so the link survives.
    std::error_code error;
    fs::path target = settingsFile;
    if (fs::symlink_status(settingsFile, error).type() == fs::file_type::symlink) {
        target = fs::weakly_canonical(settingsFile, error);
        if (error) {
            return false;
        }
    }
    if (target.has_parent_path() && !CreateFolderIfMissing(target.parent_path())) {
        return false;
    }
    std::string contents;
    if (ReadSettingsFile(target, contents) == ReadResult::Unreadable) {
        return false;
    }
    IniFile file = IniFile::Parse(contents);
    SaveSettings(settings, file);
    return WriteFileAtomically(target, file.Serialise(), 0600);
}

} // namespace orvane
