// SPDX-License-Identifier: GPL-3.0-or-later
// Macro files end to end: several programs, each on a display and with folders of its own,
// share one macro file and add macros to it through the Copy Macro dialog, in turn and all at
// once; a lock holder that is killed is taken over; a damaged sync file stops the command; and
// a hot key macro switches the running program to another macro file ("<SWAP:").
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "PlayEnds.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "WidgetMap.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "core/MacroStore.h"
#include "support/MacroFiles.h"

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

MacroRecord Macro(std::string_view key, std::string_view text) {
    return HotKeyMacro(key, ScopeGlobal, text);
}

// `macros`, then the four system macros, as the program stores them.
void WriteStoredFile(const fs::path& path, const std::vector<MacroRecord>& macros) {
    WriteMacroFile(path, WithDefaultSystemMacros(macros));
}

// The ShortKeys of a macro file's records, each with how often it occurs.
std::map<std::string, int> ShortKeysIn(const fs::path& path) {
    const std::string bytes = Slurp(path);
    std::map<std::string, int> names;
    for (std::size_t at = 0; at + MacroRecordSize <= bytes.size(); at += MacroRecordSize) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
        const MacroRecord record = MacroRecord::FromBytes(
            std::span<const std::uint8_t, MacroRecordSize>(data, MacroRecordSize));
        if (record.HotKey == HotKeyShortKey) {
            ++names[std::string(record.ShortKey.View())];
        }
    }
    return names;
}

// One running program on a display of its own, with its own settings, sharing `file`.
class Instance {
public:
    Instance(const fs::path& file, const std::string& settings,
             std::vector<std::string> extraArguments = {"/N"}, const fs::path& cwd = {})
        : caption_("Orvane 98 (" + file.stem().string() + ")") {
        const fs::path config = fs::path(display_.Env().at("XDG_CONFIG_HOME")) / "orvane";
        fs::create_directories(config);
        std::ofstream(config / "ORVAN.INI") << settings;
        log_ = display_.Folder() / "orvane.log";
        const int fd = ::open(log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        SpawnOptions options;
        options.argv = {ORVANE_PROGRAM};
        options.argv.insert(options.argv.end(), extraArguments.begin(), extraArguments.end());
        options.argv.insert(options.argv.end(), {"/F", file.string()});
        options.env = display_.Env();
        options.env["ORVANE_HOOK_TRACE"] = "1"; // tells when each ShortKey's play has ended
        options.env.insert(map_.EnvEntry());
        options.stderrFd = fd;
        options.cwd = cwd.string();
        program_ = std::make_unique<ChildProcess>(options);
        ::close(fd);
    }
    ~Instance() {
        if (program_ && program_->Running()) {
            ::kill(program_->Pid(), SIGTERM);
            program_->WaitForExit(kDefaultTimeout);
        }
    }

    bool Started() {
        return WaitFor([&] { return Shown(caption_); });
    }
    bool Shown(const std::string& title) const {
        const CommandResult found =
            Xdotool(display_, {"search", "--onlyvisible", "--name", ExactTitlePattern(title)}, 5s);
        return found.Succeeded() && !found.out.empty();
    }
    std::string Log() const { return Slurp(log_); }
    // The messages the program has shown ("Caption: text"), in order.
    std::vector<std::string> Messages() const {
        std::vector<std::string> messages;
        std::istringstream lines(Log());
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("orvane: ", 0) == 0) {
                messages.push_back(line.substr(8));
            }
        }
        return messages;
    }
    int Count(const std::string& message) const {
        int n = 0;
        for (const std::string& shown : Messages()) {
            n += shown == message ? 1 : 0;
        }
        return n;
    }

    // Closes the message box titled `caption` with Enter.
    ::testing::AssertionResult Dismiss(const std::string& caption) {
        if (!WaitFor([&] { return Shown(caption); })) {
            return ::testing::AssertionFailure() << "no \"" << caption << "\" box";
        }
        if (auto active = ActivateWindowByTitle(display_, caption); !active) {
            return active;
        }
        if (auto pressed = PressKeys(display_, {"Return"}); !pressed) {
            return pressed;
        }
        if (!WaitFor([&] { return !Shown(caption); })) {
            return ::testing::AssertionFailure() << "the \"" << caption << "\" box stays";
        }
        return ::testing::AssertionSuccess();
    }

    // "Copy Macro" from the Macro menu, and what came of it: the dialog, or a message box.
    enum class Opened { Dialog, Message, Nothing };
    Opened OpenCopy(std::string& message) {
        const std::size_t before = Messages().size();
        if (!ActivateWindowByTitle(display_, caption_) || !PressKeys(display_, {"alt+m", "o"})) {
            return Opened::Nothing;
        }
        Opened opened = Opened::Nothing;
        WaitFor([&] {
            const std::vector<std::string> messages = Messages();
            if (messages.size() > before) {
                message = messages[before];
                opened = Opened::Message;
            } else if (Shown("Copy Hot Key")) {
                opened = Opened::Dialog;
            }
            return opened != Opened::Nothing;
        });
        return opened;
    }

    // Copies the selected macro to the ShortKey `name` as a user of a shared file does: a
    // message that the file is in use or has changed is closed and the command tried again,
    // until the dialog opens.
    ::testing::AssertionResult CopyToShortKey(const std::string& name, int* refusals = nullptr) {
        const Deadline deadline(90s);
        while (!deadline.Passed()) {
            std::string message;
            switch (OpenCopy(message)) {
            case Opened::Nothing:
                return ::testing::AssertionFailure() << "Copy Macro did nothing\n" << Log();
            case Opened::Message: {
                const std::string caption = message.substr(0, message.find(':'));
                if (caption != "Error" && caption != "Notice") {
                    return ::testing::AssertionFailure() << "unexpected: " << message;
                }
                if (refusals != nullptr) {
                    ++*refusals;
                }
                if (auto closed = Dismiss(caption); !closed) {
                    return closed;
                }
                if (message.find("in use") != std::string::npos) {
                    std::this_thread::sleep_for(200ms); // the user waits a moment
                }
                continue;
            }
            case Opened::Dialog:
                break;
            }
            return FillCopy(name);
        }
        return ::testing::AssertionFailure() << "never got the file\n" << Log();
    }

    // In the open "Copy Hot Key" dialog: the ShortKey `name`, then Enter.
    ::testing::AssertionResult FillCopy(const std::string& name) {
        // Out of the key field (which keeps every combination to itself), then the name.
        for (const auto& step : std::vector<std::function<::testing::AssertionResult()>>{
                 [&] { return ActivateWindowByTitle(display_, "Copy Hot Key"); },
                 [&] {
                     return PressKeys(display_, {"Tab", "alt+s", "alt+n"});
                 },
                 [&] { return TypeText(display_, name); },
                 [&] { return PressKeys(display_, {"Return"}); }}) {
            if (auto done = step(); !done) {
                return done;
            }
        }
        if (!WaitFor([&] { return !Shown("Copy Hot Key"); })) {
            return ::testing::AssertionFailure() << "the dialog stays\n" << Log();
        }
        return ::testing::AssertionSuccess();
    }

    // Catches up with the shared file the way a user does: starts a command that changes it,
    // which reloads a file changed elsewhere, and gives the command up.
    ::testing::AssertionResult CatchUp() {
        std::string message;
        switch (OpenCopy(message)) {
        case Opened::Nothing:
            return ::testing::AssertionFailure() << "Copy Macro did nothing\n" << Log();
        case Opened::Message:
            if (message.rfind("Notice: ", 0) != 0) {
                return ::testing::AssertionFailure() << "unexpected: " << message;
            }
            return Dismiss("Notice");
        case Opened::Dialog:
            if (auto escaped = PressKeys(display_, {"Escape"}); !escaped) {
                return escaped;
            }
            if (!WaitFor([&] { return !Shown("Copy Hot Key"); })) {
                return ::testing::AssertionFailure() << "the dialog stays";
            }
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure();
    }

    VirtualDisplay& Display() { return display_; }
    // Where the program's controls are, for the tests that click them.
    const WidgetMap& Controls() const { return map_; }
    // The caption's file name, after a switch made elsewhere than through the constructor.
    std::string Caption() const { return caption_.substr(11, caption_.size() - 12); }
    void SetCaption(const std::string& name) { caption_ = "Orvane 98 (" + name + ")"; }
    ChildProcess& Program() { return *program_; }

private:
    VirtualDisplay display_;
    WidgetMap map_{display_.Folder() / "widgets.txt"};
    std::string caption_;
    fs::path log_;
    std::unique_ptr<ChildProcess> program_;
};

// A folder outside every display's own, for the file the programs share.
class SharedFolder {
public:
    explicit SharedFolder(const std::string& name)
        : path_(fs::path(::testing::TempDir()) /
                ("orvane-" + name + "-" + std::to_string(::getpid()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~SharedFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

const std::string InUse = "Error: Macro File in use by another user.  Please try again later.";
const std::string Notice = "Notice: Macro File has changed by another user.  Changed macro file "
                           "will be reloaded after clicking \"ok\".";
// A short heartbeat, so a vanished lock holder is taken over after 4 seconds, not a minute.
const std::string SharingSettings = "[Network]\nAuto Sync=No\nHeartbeat Seconds=2\n";

TEST(Sharing, InstancesAddingInTurnAndAtOnceLeaveEveryMacroInTheFileOnce) {
    const SharedFolder files("shared");
    const fs::path& folder = files.Path();
    const fs::path shared = folder / "Shared.ORV";
    WriteStoredFile(shared, {Macro("Ctrl+Alt+Shift+G", "hi")});
    std::vector<std::unique_ptr<Instance>> instances;
    for (int i = 0; i < 3; ++i) {
        instances.push_back(std::make_unique<Instance>(shared, SharingSettings));
    }
    for (auto& instance : instances) {
        ASSERT_TRUE(instance->Started()) << instance->Log();
    }

    // In turn: each one after the next finds the file changed, reloads, and goes on.
    std::vector<std::string> names;
    for (int i = 0; i < 3; ++i) {
        names.push_back("ka" + std::to_string(i));
        ASSERT_TRUE(instances[i]->CopyToShortKey(names.back()));
    }
    EXPECT_EQ(instances[1]->Count(Notice), 1);
    EXPECT_EQ(instances[2]->Count(Notice), 1);

    // All at once: while the last one to change the file holds it (its dialog is open), the
    // two others try to add theirs and are told the file is in use; once it is done they race
    // for the lock, and each adds another.
    std::string message;
    ASSERT_EQ(instances[2]->OpenCopy(message), Instance::Opened::Dialog) << message;
    std::vector<::testing::AssertionResult> results(3, ::testing::AssertionSuccess());
    std::vector<std::thread> threads;
    for (int i = 0; i < 2; ++i) {
        threads.emplace_back([&, i] {
            results[i] = instances[i]->CopyToShortKey("kb" + std::to_string(i));
            if (results[i]) {
                results[i] = instances[i]->CopyToShortKey("kc" + std::to_string(i));
            }
        });
    }
    threads.emplace_back([&] {
        if (!WaitFor(
                [&] { return instances[0]->Count(InUse) > 0 && instances[1]->Count(InUse) > 0; })) {
            results[2] = ::testing::AssertionFailure() << "nobody was refused";
        }
        if (results[2]) {
            results[2] = instances[2]->FillCopy("kb2");
        }
        if (results[2]) {
            results[2] = instances[2]->CopyToShortKey("kc2");
        }
    });
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const auto& result : results) {
        EXPECT_TRUE(result);
    }
    for (int i = 0; i < 3; ++i) {
        names.push_back("kb" + std::to_string(i));
        names.push_back("kc" + std::to_string(i));
    }

    std::map<std::string, int> expected;
    for (const std::string& name : names) {
        expected[name] = 1;
    }
    EXPECT_EQ(ShortKeysIn(shared), expected);
    const std::string sync = Slurp(folder / "Shared.MAS");
    ASSERT_EQ(sync.size(), 14u);
    EXPECT_EQ(static_cast<unsigned char>(sync[0]), 1 + names.size()) << "one count per change";
    EXPECT_EQ(sync[4], '\2') << "free";

    // After catching up, each program knows every ShortKey: typed, each becomes "hi".
    for (auto& instance : instances) {
        ASSERT_TRUE(instance->CatchUp());
        Probe probe(instance->Display(), "Target");
        ASSERT_TRUE(probe.WaitForReady());
        std::string text;
        int plays = 0;
        for (const std::string& name : names) {
            ASSERT_TRUE(TypeText(instance->Display(), name));
            text += "hi";
            ASSERT_TRUE(probe.WaitForText(text)) << name << "\n" << instance->Log();
            // The next ShortKey typed before this play's end would be the macro's own keys.
            ASSERT_TRUE(WaitForPlayEnds(instance->Display(), ++plays));
        }
    }
}

// The records of a macro file.
std::vector<MacroRecord> RecordsIn(const fs::path& path) {
    const std::string bytes = Slurp(path);
    std::vector<MacroRecord> records;
    for (std::size_t at = 0; at + MacroRecordSize <= bytes.size(); at += MacroRecordSize) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
        records.push_back(MacroRecord::FromBytes(
            std::span<const std::uint8_t, MacroRecordSize>(data, MacroRecordSize)));
    }
    return records;
}

// "Re&capture Macro" of the macro on Ctrl+Alt+Shift+G, as a user of a shared file does it: a
// notice that the file changed is closed and the command tried again. `typed` is typed into a
// window of the instance's desktop while it records, and the macro's own key ends the capture.
::testing::AssertionResult Recapture(Instance& instance, const std::string& typed,
                                     const std::function<void()>& whileRecording) {
    Probe probe(instance.Display(), "Target");
    if (!probe.WaitForReady()) {
        return ::testing::AssertionFailure() << "no probe";
    }
    const std::string caption = "Orvane 98 (" + instance.Caption() + ")";
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::size_t before = instance.Messages().size();
        if (!ActivateWindowByTitle(instance.Display(), caption) ||
            !TypeText(instance.Display(), "Ctrl+Alt+Shift+G") ||
            !PressKeys(instance.Display(), {"alt+m", "c"})) {
            return ::testing::AssertionFailure() << "no command";
        }
        if (!WaitFor([&] {
                return instance.Shown("Capture Macro") || instance.Messages().size() > before;
            })) {
            return ::testing::AssertionFailure() << "nothing came\n" << instance.Log();
        }
        if (instance.Shown("Capture Macro")) {
            break;
        }
        const std::string message = instance.Messages()[before];
        if (message != Notice) {
            return ::testing::AssertionFailure() << "unexpected: " << message;
        }
        if (auto closed = instance.Dismiss("Notice"); !closed) {
            return closed;
        }
    }
    for (const auto& step : std::vector<std::function<::testing::AssertionResult()>>{
             [&] { return ActivateWindowByTitle(instance.Display(), "Capture Macro"); },
             [&] { return PressKeys(instance.Display(), {"Return"}); },
             [&] {
                 return WaitFor([&] { return !instance.Shown("Capture Macro"); })
                            ? ::testing::AssertionSuccess()
                            : ::testing::AssertionFailure() << "the dialog stays";
             },
             [&] { return probe.Activate(); }, [&] { return TypeText(instance.Display(), typed); },
             [&] { return probe.WaitForText(typed); },
             [&] {
                 whileRecording();
                 return ::testing::AssertionSuccess();
             },
             [&] { return probe.Activate(); },
             [&] { return PressKeys(instance.Display(), {"ctrl+alt+shift+g"}); },
             [&] { return instance.Dismiss("Capture"); }}) {
        if (auto done = step(); !done) {
            return done << "\n" << instance.Log();
        }
    }
    return ::testing::AssertionSuccess();
}

// Two programs recapture and edit one macro of a shared file in turn: a capture holds the file
// from its start to its end (the other is told it is in use meanwhile), every change reaches
// the other, and the file keeps every change.
TEST(Sharing, RecapturesAndEditsInTurnKeepEveryChange) {
    const SharedFolder files("recapture");
    const fs::path shared = files.Path() / "Shared.ORV";
    WriteStoredFile(shared, {Macro("Ctrl+Alt+Shift+G", "hi")});
    // Untimed recordings: the macros hold just what was typed.
    const std::string settings = SharingSettings + "[Capture]\nTime=No\n";
    Instance first(shared, settings);
    Instance second(shared, settings);
    ASSERT_TRUE(first.Started()) << first.Log();
    ASSERT_TRUE(second.Started()) << second.Log();

    ASSERT_TRUE(Recapture(first, "one", [&] {
        std::string message;
        EXPECT_EQ(second.OpenCopy(message), Instance::Opened::Message);
        EXPECT_EQ(message, InUse) << "the capture holds the file";
        EXPECT_TRUE(second.Dismiss("Error"));
    }));
    ASSERT_TRUE(Recapture(second, "two", [] {}));
    ASSERT_TRUE(first.CopyToShortKey("copied"));

    const std::vector<MacroRecord> records = RecordsIn(shared);
    ASSERT_EQ(Slurp(shared).size() % MacroRecordSize, 0u);
    ASSERT_EQ(records.size(), 6u) << "the macro, the system macros and the copy";
    EXPECT_EQ(records[0].HotKey, *HotKeyCodeOf("Ctrl+Alt+Shift+G"));
    EXPECT_EQ(records[0].Text(), "two");
    EXPECT_EQ(records[5].ShortKey.View(), "copied");
    EXPECT_EQ(records[5].Text(), "two") << "the copy was made from the second recording";
    const std::string sync = Slurp(files.Path() / "Shared.MAS");
    ASSERT_EQ(sync.size(), 14u);
    EXPECT_EQ(static_cast<unsigned char>(sync[0]), 1 + 3) << "one count per change";
    EXPECT_EQ(sync[4], '\2') << "free";
}

TEST(Sharing, AKilledLockHolderIsTakenOverAfterItsHeartbeatStops) {
    const SharedFolder files("stale");
    const fs::path& folder = files.Path();
    const fs::path shared = folder / "Shared.ORV";
    WriteStoredFile(shared, {Macro("Ctrl+Alt+Shift+G", "hi")});
    Instance holder(shared, SharingSettings);
    Instance other(shared, SharingSettings);
    ASSERT_TRUE(holder.Started());
    ASSERT_TRUE(other.Started());
    std::string message;
    ASSERT_EQ(holder.OpenCopy(message), Instance::Opened::Dialog) << message;
    ASSERT_EQ(Slurp(folder / "Shared.MAS")[4], '\1') << "held";
    ::kill(holder.Program().Pid(), SIGKILL);
    ASSERT_TRUE(holder.Program().WaitForExit(kDefaultTimeout));

    int refusals = 0;
    ASSERT_TRUE(other.CopyToShortKey("kz", &refusals));
    EXPECT_GE(other.Count(InUse), 1);
    EXPECT_EQ(ShortKeysIn(shared), (std::map<std::string, int>{{"kz", 1}}));
    const std::string sync = Slurp(folder / "Shared.MAS");
    EXPECT_EQ(sync[0], '\2');
    EXPECT_EQ(sync[4], '\2');
}

// How the user of the chosen-macro test chooses the macro, starts Remove and closes the
// message boxes: with the keyboard or with the mouse.
struct RemoveSteps {
    std::function<::testing::AssertionResult(Instance&)> ChooseLastRow;
    std::function<::testing::AssertionResult(Instance&)> Remove;
    std::function<::testing::AssertionResult(Instance&, const std::string&, const std::string&)>
        Answer; // closes the box titled by the first text with its button named by the second
};

void TheChosenMacroStaysChosen(const std::string& name, const RemoveSteps& steps) {
    const SharedFolder files(name);
    const fs::path shared = files.Path() / "Shared.ORV";
    MacroRecord chosen = Macro("Ctrl+Alt+Shift+G", "mm");
    chosen.HotKey = HotKeyShortKey;
    chosen.ShortKey.Assign("mm");
    WriteMacroFile(shared, {Macro("Ctrl+Alt+Shift+G", "hi"), chosen});
    Instance user(shared, SharingSettings);
    Instance other(shared, SharingSettings);
    ASSERT_TRUE(user.Started());
    ASSERT_TRUE(other.Started());

    // The user chooses the ShortKey macro (the last row); another instance then adds a
    // ShortKey that sorts before it, so its row moves down one.
    ASSERT_TRUE(steps.ChooseLastRow(user));
    ASSERT_TRUE(other.CopyToShortKey("aa"));

    // Remove: the file has changed, so the command is refused and the file reloaded; tried
    // again, it asks about the macro the user chose, not the one now in its old row.
    ASSERT_TRUE(steps.Remove(user));
    ASSERT_TRUE(WaitFor([&] { return user.Shown("Notice"); })) << user.Log();
    ASSERT_TRUE(steps.Answer(user, "Notice", "OK")) << user.Log();
    ASSERT_TRUE(WaitFor([&] { return !user.Shown("Notice"); })) << user.Log();
    ASSERT_TRUE(steps.Remove(user));
    ASSERT_TRUE(WaitFor([&] { return user.Shown("Delete"); })) << user.Log();
    EXPECT_EQ(user.Messages().back(),
              "Delete: Are you sure you want to remove the ShortKey \"mm\"?");
    ASSERT_TRUE(steps.Answer(user, "Delete", "No"));
    ASSERT_TRUE(WaitFor([&] { return !user.Shown("Delete"); }));
    EXPECT_EQ(ShortKeysIn(shared), (std::map<std::string, int>{{"aa", 1}, {"mm", 1}}));
}

TEST(Sharing, TheChosenMacroStaysChosenWhenAnotherInstanceMovesItsRow) {
    const std::string caption = "Orvane 98 (Shared)";
    TheChosenMacroStaysChosen(
        "chosen-keys",
        {.ChooseLastRow =
             [&](Instance& user) {
                 if (auto active = ActivateWindowByTitle(user.Display(), caption); !active) {
                     return active;
                 }
                 return PressKeys(user.Display(), {"ctrl+End"});
             },
         .Remove =
             [&](Instance& user) {
                 if (auto active = ActivateWindowByTitle(user.Display(), caption); !active) {
                     return active;
                 }
                 return PressKeys(user.Display(), {"alt+m", "e"});
             },
         .Answer =
             [](Instance& user, const std::string& box, const std::string& button) {
                 if (auto active = ActivateWindowByTitle(user.Display(), box); !active) {
                     return active;
                 }
                 return PressKeys(user.Display(), {button == "No" ? "n" : "Return"});
             }});
}

TEST(Sharing, TheChosenMacroStaysChosenForAMouseUser) {
    const std::string caption = "Orvane 98 (Shared)";
    TheChosenMacroStaysChosen(
        "chosen-mouse", {.ChooseLastRow =
                             [&](Instance& user) {
                                 return user.Controls().Click(user.Display(), caption, "Macros:mm");
                             },
                         .Remove =
                             [&](Instance& user) {
                                 return user.Controls().Click(user.Display(), caption,
                                                              "Remove Macro");
                             },
                         .Answer =
                             [](Instance& user, const std::string& box, const std::string& button) {
                                 return user.Controls().Click(user.Display(), box, button);
                             }});
}

TEST(Sharing, ADamagedSyncFileStopsTheCommandAndKeepsEverything) {
    const SharedFolder folder("damaged");
    const fs::path shared = folder.Path() / "Shared.ORV";
    WriteStoredFile(shared, {Macro("Ctrl+Alt+Shift+G", "hi")});
    const std::string damaged("\x03\x00\x00\x00\x02", 5);
    std::ofstream(folder.Path() / "Shared.MAS", std::ios::binary) << damaged;
    const std::string macros = Slurp(shared);
    const std::string text = "Error: The sync file " + (folder.Path() / "Shared.MAS").string() +
                             " is damaged: it holds 5 bytes, and its record takes 14.  Remove it "
                             "to share the macro file again.";

    Instance one(shared, SharingSettings);
    // Reading it at start-up already says so.
    ASSERT_TRUE(WaitFor([&] { return one.Count(text) == 1; })) << one.Log();
    ASSERT_TRUE(one.Dismiss("Error"));
    ASSERT_TRUE(one.Started());
    std::string message;
    ASSERT_EQ(one.OpenCopy(message), Instance::Opened::Message);
    EXPECT_EQ(message, text);
    ASSERT_TRUE(one.Dismiss("Error"));
    EXPECT_FALSE(one.Shown("Copy Hot Key"));
    EXPECT_EQ(Slurp(folder.Path() / "Shared.MAS"), damaged);
    EXPECT_EQ(Slurp(shared), macros);
    EXPECT_TRUE(one.Program().Running());
}

bool SawKey(Probe& probe, std::size_t from, char letter) {
    return probe
        .WaitForLine(
            [letter](const std::string& line) {
                return line.rfind("KEY ", 0) == 0 &&
                       (line.find(std::string(" ") + letter + " ") != std::string::npos ||
                        line.find(std::string(" ") + static_cast<char>(std::toupper(letter)) +
                                  " ") != std::string::npos);
            },
            kDefaultTimeout, from)
        .has_value();
}

TEST(Swap, AHotKeyMacroSwitchesTheProgramToAnotherMacroFile) {
    const SharedFolder folder("swap");
    const fs::path first = folder.Path() / "First.ORV";
    const fs::path other = folder.Path() / "other.ORV";
    const fs::path bad = folder.Path() / "bad.ORV";
    WriteStoredFile(first, {Macro("Ctrl+Alt+Shift+S", "<SWAP:other.ORV>")});
    WriteStoredFile(
        other, {Macro("Ctrl+Alt+Shift+O", "swapped"), Macro("Ctrl+Alt+Shift+B", "<SWAP:bad.ORV>")});
    const std::string notes = "These are notes, not macros. " + std::string(6000, '.');
    std::ofstream(bad, std::ios::binary) << notes;
    // "<SWAP:" names the file relative to the program's current folder.
    Instance program(first, "", {}, folder.Path());
    ASSERT_TRUE(program.Started()) << program.Log();
    VirtualDisplay& display = program.Display();
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());

    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+s"}));
    ASSERT_TRUE(WaitFor([&] { return program.Shown("Orvane 98 (other)"); })) << program.Log();
    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+o"}));
    ASSERT_TRUE(probe.WaitForText("swapped")) << program.Log();
    // The first file's key is no longer the program's.
    const std::size_t from = probe.LineCount();
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+s"}));
    EXPECT_TRUE(SawKey(probe, from, 's'));

    // A file that is no macro file: the message, and everything stays as it was.
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+b"}));
    ASSERT_TRUE(WaitFor([&] {
        return program.Count("Error: " + NotMacroFileText(fs::absolute(bad))) == 1;
    })) << program.Log();
    ASSERT_TRUE(program.Dismiss("Error"));
    EXPECT_TRUE(program.Shown("Orvane 98 (other)"));
    EXPECT_EQ(Slurp(bad), notes);
    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+o"}));
    ASSERT_TRUE(probe.WaitForText("swappedswapped"));

    // The settings name the new file, and the first one heads the recent files.
    ::kill(program.Program().Pid(), SIGTERM);
    ASSERT_TRUE(program.Program().WaitForExit(kDefaultTimeout));
    const std::string ini =
        Slurp(fs::path(display.Env().at("XDG_CONFIG_HOME")) / "orvane" / "ORVAN.INI");
    EXPECT_NE(ini.find("Current File=" + other.string()), std::string::npos) << ini;
    EXPECT_NE(ini.find("Last File 1=" + first.string()), std::string::npos) << ini;
}

TEST(MacroFiles, OpenAndNewFileFromTheKeyboard) {
    const SharedFolder folder("files");
    const fs::path first = folder.Path() / "First.ORV";
    const fs::path second = folder.Path() / "Second.ORV";
    WriteStoredFile(first, {Macro("Ctrl+Alt+Shift+F", "first")});
    WriteStoredFile(second, {Macro("Ctrl+Alt+Shift+E", "second")});
    Instance program(first, "", {});
    ASSERT_TRUE(program.Started()) << program.Log();
    VirtualDisplay& display = program.Display();
    // Types a full path into the file dialog titled `title`, opened by `keys`.
    const auto choose = [&](const std::string& keys, const std::string& title,
                            const fs::path& path) -> ::testing::AssertionResult {
        for (const auto& step : std::vector<std::function<::testing::AssertionResult()>>{
                 [&] {
                     return ActivateWindowByTitle(display, "Orvane 98 (" + program.Caption() + ")");
                 },
                 [&] { return PressKeys(display, {keys}); },
                 [&] { return ActivateWindowByTitle(display, title); },
                 [&] { return TypeText(display, path.string()); },
                 [&] { return PressKeys(display, {"Return"}); }}) {
            if (auto done = step(); !done) {
                return done;
            }
        }
        return ::testing::AssertionSuccess();
    };

    ASSERT_TRUE(choose("ctrl+o", "Open Orvane File", second));
    ASSERT_TRUE(WaitFor([&] { return program.Shown("Orvane 98 (Second)"); })) << program.Log();
    program.SetCaption("Second");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+e"}));
    ASSERT_TRUE(probe.WaitForText("second"));

    // A new file starts with the four built-in macros.
    const fs::path fresh = folder.Path() / "Fresh.ORV";
    ASSERT_TRUE(choose("ctrl+n", "New Orvane File", fresh));
    ASSERT_TRUE(WaitFor([&] { return program.Shown("Orvane 98 (Fresh)"); })) << program.Log();
    program.SetCaption("Fresh");
    EXPECT_EQ(fs::file_size(fresh), 4 * MacroRecordSize);

    // Only ".ORV" names: anything else is refused and nothing is made.
    ASSERT_TRUE(choose("ctrl+n", "New Orvane File", folder.Path() / "notes.txt"));
    ASSERT_TRUE(WaitFor([&] { return program.Count("Error: Invalid file type selected.") == 1; }))
        << program.Log();
    ASSERT_TRUE(program.Dismiss("Error"));
    EXPECT_FALSE(fs::exists(folder.Path() / "notes.txt"));
    EXPECT_TRUE(program.Shown("Orvane 98 (Fresh)"));

    // The File menu's first recent entry is the file before; Alt+F, 1 opens it.
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Fresh)"));
    ASSERT_TRUE(PressKeys(display, {"alt+f", "1"}));
    ASSERT_TRUE(WaitFor([&] { return program.Shown("Orvane 98 (Second)"); })) << program.Log();
}

} // namespace
} // namespace orvane::e2e
