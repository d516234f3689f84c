// SPDX-License-Identifier: GPL-3.0-or-later
// A capture from the main window's side: starting it (from the dialog or by the system hot key),
// what the hook backend is told, the capture file, and where the captured text ends up.
#include "capture/CaptureSession.h"
#include "activation/MacroFileFixture.h"
#include "core/SettingsBlock.h"

#include <fstream>
#include <sys/stat.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

class FakeCaptureHost : public CaptureHost {
public:
    void CaptureStarted() override { Calls.push_back("started"); }
    void RecordingStopped() override { Calls.push_back("stopped"); }
    std::string TopProgram() override { return Program; }
    bool CaptureComplete(MacroRecord& record, std::string_view program) override {
        Calls.push_back("complete " + std::string(program));
        if (CompleteWith) {
            CompleteWith(record);
        }
        return static_cast<bool>(CompleteWith);
    }
    void ListChanged(int record) override { Calls.push_back("list " + std::to_string(record)); }
    void CaptureStored(int record) override { Calls.push_back("stored " + std::to_string(record)); }
    bool BrowseMode() override { return Browsing; }
    bool HoldFile() override {
        Holds.push_back(FileInUse ? "refused" : "hold");
        return !FileInUse;
    }
    void ReleaseFile(bool changed) override {
        Holds.push_back(changed ? "release changed" : "release");
    }

    std::vector<std::string> Calls;
    // The shared file's lock as the session takes and lets go of it.
    std::vector<std::string> Holds;
    bool FileInUse = false;
    std::string Program = "GEDIT";
    std::function<void(MacroRecord&)> CompleteWith;
    bool Browsing = false;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned ModeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 0777) : 0;
}

class CaptureSessionTest : public MacroFileFixture {
protected:
    void SetUp() override {
        Load({HotKeyMacro("Ctrl+Alt+Shift+G", ScopeGlobal, "old text", {}, "greeting"),
              ShortKeyMacro("sig", "old signature")});
        runtime = file.parent_path() / "run";
        data = file.parent_path() / "data";
        fs::create_directories(runtime);
        fs::create_directories(data);
        hook.SetReceiver(&session());
        hook.KeepTables = true;
    }

    CaptureSession& session() {
        if (!session_) {
            session_ =
                std::make_unique<CaptureSession>(store, settings, host, messages, runtime, data);
        }
        return *session_;
    }

    void Send(std::string_view text) {
        for (const char c : text) {
            hook.Post({HookMessageId::UM_CAPTURECHAR, 1, static_cast<unsigned char>(c)});
        }
    }
    void Done(int macro) {
        hook.Post({HookMessageId::UM_CAPTUREDONE, static_cast<unsigned>(macro)});
    }

    MacroRecord Stored(int i) {
        MacroRecord record;
        EXPECT_TRUE(store.ReadMacro(i, record));
        return record;
    }

    SettingsBlock settings;
    FakeCaptureHost host;
    fs::path runtime;
    fs::path data;

private:
    std::unique_ptr<CaptureSession> session_;
};

TEST_F(CaptureSessionTest, CaptureFromTheDialogPublishesItsParametersAndStoresTheText) {
    CaptureOptions options;
    options.Speed = 3;
    options.RelativeToScreen = false;
    ASSERT_TRUE(session().StartCapture(1, options, false));

    const fs::path captureFile = runtime / "TempCap.Txt";
    EXPECT_EQ(ReadFile(captureFile), "<SPEED:00.50>");
    EXPECT_EQ(ModeOf(captureFile), 0600u);
    ASSERT_EQ(hook.Calls, (std::vector<std::string>{"OrvUpCapture", "OrvUpCaptureOn"}));
    const MacroTable& published = hook.Tables[0];
    EXPECT_EQ(published.CaptureTarget(), 1);
    EXPECT_TRUE(published.CaptureKeys() && published.CaptureMouse() && published.CaptureTiming());
    EXPECT_FALSE(published.CaptureToScreen());
    EXPECT_TRUE(published.CaptureWindowSize());
    EXPECT_EQ(published.Byte(MacroTableOffset::CaptureFlag791), 1);
    EXPECT_EQ(published.Byte(MacroTableOffset::CaptureFlag790), 1);
    EXPECT_EQ(published.StopKey(), KeyValues::Of(DecipherKey(263)));
    EXPECT_TRUE(published.CaptureOwnKey());
    EXPECT_EQ(published.OwnKey(), KeyValues::Of(DecipherKey(*HotKeyCodeOf("Ctrl+Alt+Shift+G"))));
    EXPECT_FALSE(published.CaptureOn());
    EXPECT_TRUE(hook.Tables[1].CaptureOn());
    EXPECT_EQ(host.Calls, (std::vector<std::string>{"started"}));
    EXPECT_TRUE(session().Capturing());

    Send("hi<ENTER>");
    EXPECT_EQ(ReadFile(captureFile), "<SPEED:00.50>hi<ENTER>"); // written as it comes
    Done(1);
    EXPECT_EQ(Stored(1).Text(), "<SPEED:00.50>hi<ENTER>");
    EXPECT_EQ(Stored(1).Nickname.View(), "greeting");
    EXPECT_FALSE(fs::exists(captureFile));
    EXPECT_FALSE(store.Table().CaptureOn());
    // The macro is published and the hot keys recomputed.
    EXPECT_EQ(std::vector<std::string>(hook.Calls.end() - 3, hook.Calls.end()),
              (std::vector<std::string>{"OrvUpItem 1", "OrvUpKeys", "OrvUpShort"}));
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Caption, "Capture");
    EXPECT_EQ(messages.Shown[0].Text, "Orvane 98 capture is complete for Ctrl+Alt+Shift+G.");
    EXPECT_EQ(host.Calls, (std::vector<std::string>{"started", "stopped", "stored 1"}));

    // Late text and a second end notice change nothing.
    Send("late");
    Done(1);
    EXPECT_EQ(Stored(1).Text(), "<SPEED:00.50>hi<ENTER>");
    EXPECT_FALSE(fs::exists(captureFile));
    EXPECT_EQ(messages.Shown.size(), 1u);
}

TEST_F(CaptureSessionTest, OptionsDecideTheSpeedTagTheScopeAndTheOwnKey) {
    CaptureOptions untimed;
    untimed.Time = false;
    untimed.Mouse = false;
    untimed.RelativeToScreen = false;
    ASSERT_TRUE(session().StartCapture(2, untimed, true));
    EXPECT_EQ(ReadFile(session().CaptureFile()), "");
    EXPECT_FALSE(hook.Tables[0].CaptureOwnKey());     // a ShortKey macro has no key of its own
    EXPECT_FALSE(hook.Tables[0].CaptureWindowSize()); // only with the mouse recorded
    Send("abc");
    host.Program = "A-PROGRAM-WITH-A-VERY-LONG-FILE-NAME";
    session().EndCapture(); // "&End Capture" ends it as the stop key would
    const MacroRecord record = Stored(2);
    EXPECT_EQ(record.Text(), "abc");
    EXPECT_EQ(record.Scope, ScopeSpecificProgram);
    EXPECT_EQ(record.ScopeTarget.View(), "A-PROGRAM-WITH-A-VERY-LONG-FIL");
    EXPECT_EQ(record.TopMostOnly, 1);
    EXPECT_EQ(messages.Shown.back().Text, "Orvane 98 capture is complete for ShortKey: sig.");
}

TEST_F(CaptureSessionTest, TextTooLongForAMacroGoesToAnOverflowFile) {
    CaptureOptions options;
    options.Time = false;
    struct Row {
        std::size_t Length;
        bool Overflow;
    };
    std::ofstream(data / "CP0.TXT") << "someone else's";
    for (const Row row : {Row{5000, false}, Row{5001, true}, Row{7000, true}}) {
        ASSERT_TRUE(session().StartCapture(1, options, false));
        const std::string text(row.Length, 'x');
        Send(text);
        Done(1);
        const std::string script = Stored(1).Text();
        if (!row.Overflow) {
            EXPECT_EQ(script, text);
            continue;
        }
        const fs::path overflow = data / (row.Length == 5001 ? "CP1.TXT" : "CP2.TXT");
        EXPECT_EQ(script, "<TFILE:" + overflow.string() + ">") << row.Length;
        EXPECT_EQ(ReadFile(overflow), text);
        EXPECT_EQ(ModeOf(overflow), 0600u);
    }
    EXPECT_EQ(ReadFile(data / "CP0.TXT"), "someone else's");
    EXPECT_FALSE(fs::exists(session().CaptureFile()));
}

TEST_F(CaptureSessionTest, TheSystemHotKeyCapturesANewMacroAndAsksForItsKeyAfterwards) {
    settings.CaptureTime = false;
    const int before = store.MacroCount();
    session().StartACapture();
    const int macro = before + 1;
    ASSERT_EQ(store.MacroCount(), macro);
    MacroRecord created = Stored(macro);
    EXPECT_EQ(created.Nickname.View(), "Capture");
    EXPECT_EQ(created.ShortKey.View(), "capture");
    EXPECT_EQ(created.HotKey, HotKeyShortKey);
    EXPECT_EQ(created.Scope, ScopeGlobal);
    EXPECT_EQ(created.TopMostOnly, 1);
    EXPECT_EQ(created.Active, 1);
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Caption, "Start Capture");
    // Struck again while its start message was up: refused, no second macro.
    session().StartACapture();
    EXPECT_EQ(store.MacroCount(), macro);
    EXPECT_EQ(messages.Shown.back().Text, CaptureSession::InProgressText);
    messages.Shown.pop_back();
    EXPECT_EQ(messages.Shown[0].Text, "Orvane 98 macro capture will now start.\n\nUse "
                                      "Ctrl+Alt+Shift+X to stop the capture.");
    EXPECT_EQ(host.Calls, (std::vector<std::string>{"list " + std::to_string(macro), "started"}));
    EXPECT_EQ(store.Table().CaptureTarget(), macro);

    // "Capture Complete" closed without "&Ok": the macro keeps what it was created with.
    hook.Post({HookMessageId::UM_CAPTURECHAR, static_cast<unsigned>(macro), 'q'});
    Done(macro);
    EXPECT_EQ(Stored(macro).Text(), "q");
    EXPECT_EQ(Stored(macro).ShortKey.View(), "capture");
    EXPECT_EQ(host.Calls[2], "stopped");
    EXPECT_EQ(host.Calls[3], "complete GEDIT");
    EXPECT_EQ(messages.Shown.size(), 1u); // no "capture is complete" message

    // With "&Ok" the dialog's choice is stored.
    settings.CapturePrompt = false;
    session().StartACapture();
    host.CompleteWith = [](MacroRecord& record) { record.HotKey = 300; };
    Done(macro + 1);
    EXPECT_EQ(Stored(macro + 1).HotKey, 300);
    EXPECT_TRUE(store.Table().KeyInUse(300));
    EXPECT_EQ(messages.Shown.size(), 1u); // no prompt either
}

TEST_F(CaptureSessionTest, SystemHotKeyRefusals) {
    struct Row {
        const char* Name;
        std::function<void()> Arrange;
        std::string Expected; // empty: nothing is shown and nothing starts
    };
    const int loaded = store.MacroCount();
    // The plain refusals come first and never touch the shared file's lock; a file in use
    // (its own message shown by the host) starts nothing.
    const Row rows[] = {
        {"browse mode", [this] { host.Browsing = true; }, "Capture not allowed in Browse Mode."},
        {"a capture runs", [this] { session().StartCapture(1, {}, false); },
         "A capture is currently in progress.  Capture not allowed."},
        {"500 macros", [this] { store.SetMacroCount(500); },
         "Maximum number of macros has been reached.  Capture not allowed."},
    };
    for (const Row& row : rows) {
        messages.Shown.clear();
        row.Arrange();
        const int count = store.MacroCount();
        session().StartACapture();
        EXPECT_EQ(store.MacroCount(), count) << row.Name;
        ASSERT_EQ(messages.Shown.size(), 1u) << row.Name;
        EXPECT_EQ(messages.Shown[0].Caption, "Error");
        EXPECT_EQ(messages.Shown[0].Text, row.Expected);
        EXPECT_TRUE(host.Holds.empty()) << row.Name;
        session().EndCapture();
        host = FakeCaptureHost();
    }
    store.SetMacroCount(loaded);
    host.FileInUse = true;
    messages.Shown.clear();
    const int count = store.MacroCount();
    session().StartACapture();
    EXPECT_EQ(store.MacroCount(), count);
    EXPECT_TRUE(messages.Shown.empty());
    EXPECT_FALSE(session().Capturing());
    EXPECT_EQ(host.Holds, std::vector<std::string>{"refused"});
}

// A capture holds the shared file from its start to the end of its storing; while it runs the
// session is busy (the window refuses to change or switch the file).
TEST_F(CaptureSessionTest, TheSystemHotKeysCaptureHoldsTheFileToItsEnd) {
    settings.CapturePrompt = false;
    session().StartACapture();
    EXPECT_EQ(host.Holds, std::vector<std::string>{"hold"});
    EXPECT_TRUE(session().Busy());
    Done(store.MacroCount());
    EXPECT_FALSE(session().Busy());
    EXPECT_EQ(host.Holds, (std::vector<std::string>{"hold", "release changed"}));
}

// The macro a capture records into went away while it ran (the file was changed behind the
// program's back): the recording is kept as a new macro, whose activation the user gives.
TEST_F(CaptureSessionTest, ARecordingWhoseMacroIsGoneBecomesANewMacro) {
    CaptureOptions untimed;
    untimed.Time = false;
    ASSERT_TRUE(session().StartCapture(2, untimed, false));
    Send("kept");
    ASSERT_TRUE(store.DeleteMacro(2));
    ASSERT_TRUE(store.ReloadMacroFile());
    const int count = store.MacroCount();
    host.CompleteWith = [](MacroRecord& record) { record.ShortKey.Assign("keep"); };
    Done(2);
    ASSERT_EQ(store.MacroCount(), count + 1);
    const MacroRecord added = Stored(count + 1);
    EXPECT_EQ(added.Text(), "kept");
    EXPECT_EQ(added.ShortKey.View(), "keep");
    EXPECT_EQ(added.HotKey, HotKeyShortKey);
    EXPECT_EQ(host.Calls.back(), "stored " + std::to_string(count + 1));
    ASSERT_FALSE(messages.Shown.empty());
    EXPECT_EQ(messages.Shown[0].Text, CaptureSession::TargetGoneText);
    // The record now at number 2 kept what it held.
    EXPECT_EQ(Stored(2).Scope, ScopeSystem);
}

TEST_F(CaptureSessionTest, TheCaptureFileNeverOutlivesItsCapture) {
    // Left over by a crash: removed when the program starts again.
    const fs::path captureFile = runtime / "TempCap.Txt";
    std::ofstream(captureFile) << "secret typing";
    {
        CaptureSession restarted(store, settings, host, messages, runtime, data);
        EXPECT_FALSE(fs::exists(captureFile));
    }

    // Text outside a capture is never written anywhere.
    Send("password");
    EXPECT_FALSE(fs::exists(captureFile));

    // A capture running when the program ends leaves nothing behind.
    {
        CaptureSession other(store, settings, host, messages, runtime, data);
        ASSERT_TRUE(other.StartCapture(1, {}, false));
        EXPECT_TRUE(fs::exists(captureFile));
    }
    EXPECT_FALSE(fs::exists(captureFile));
}

} // namespace
} // namespace orvane
