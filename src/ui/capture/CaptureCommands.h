// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/CaptureSession.h"
#include "ui/MacroEditors.h"
#include "ui/library/HotKeyField.h"

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orvane {

class SyncLease;
class TMainWin;

// Capturing macros from the main window: "Re&capture Macro", "&Capture..." (the defaults),
// "&End Capture", the "Start / Stop Capture" system hot key and "&Capture Macro" of "Add Macro"
// (Editor()). It keeps the capture session and is its host: it steps the program aside while
// the user records, shows the recording icon, and shows the program again with the captured
// macro selected. A capture holds the shared macro file from its start until its recording is
// stored, and the main window refuses to change or switch the file meanwhile. Without a macro
// store nothing is built.
class CaptureCommands final : public QObject, public CaptureHost {
    Q_OBJECT
public:
    struct Services {
        std::filesystem::path Runtime; // the capture file's folder
        std::filesystem::path Data;    // overflow files
        KeyPicking Picking;
        // The upper-case executable name (Windows-1252) of the program in front.
        std::function<std::string()> TopProgram;
        // Brings the last window of another program to the front.
        std::function<void()> FrontOtherProgram;
    };
    CaptureCommands(TMainWin& window, Services services);
    ~CaptureCommands() override;

    CaptureSession& Session() { return *session_; }
    // The "&Capture Macro" editor of "Add Macro": shows "Capture Macro" for the new macro; once
    // the caller has stored it, the capture starts.
    MacroEditor& Editor();

    void StartACapture();
    void RecaptureClick();
    void DefaultsClick();
    void EndCaptureClick();

    // CaptureHost
    void CaptureStarted() override;
    void RecordingStopped() override;
    std::string TopProgram() override;
    bool CaptureComplete(MacroRecord& record, std::string_view program) override;
    void ListChanged(int record) override;
    void CaptureStored(int record) override;
    bool HoldFile() override;
    void ReleaseFile(bool changed) override;

private:
    class NewMacroEditor;
    struct PendingStart {
        int Record = 0;
        CaptureOptions Options;
        bool ProgramScope = false;
    };
    // "Add Macro" ended; `record` is the macro it stored (0: none). When that is the macro
    // "&Capture Macro" was confirmed for, its capture starts, holding the shared file on from
    // the command's own hold so no other instance gets in between.
    void NewMacroStored(int record);
    // Takes the shared file's lock for the capture about to start; false when refused.
    bool TakeLease();
    void ShowProgram();

    TMainWin& window_;
    Services services_;
    std::unique_ptr<CaptureSession> session_;
    std::unique_ptr<NewMacroEditor> editor_;
    // "&Capture Macro" was confirmed in "Add Macro"; its capture waits for the macro to be stored.
    std::optional<PendingStart> pending_;
    // The capture's hold on the shared macro file, from its start until it is stored.
    std::unique_ptr<SyncLease> lease_;
};

} // namespace orvane
