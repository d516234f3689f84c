// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/CaptureSession.h"
#include "ui/activation/HotKeyField.h"
#include "ui/library/MacroEditors.h"

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orvane {

class TMainWin;

// Capturing macros from the main window: "Re&capture Macro", "&Capture..." (the defaults),
// "&End Capture", the "Start / Stop Capture" system hot key and "&Capture Macro" of "Add Macro"
// (Editor()). It keeps the capture session and is its host: it steps the program aside while
// the user records, shows the recording icon, and shows the program again with the captured
// macro selected. Without a macro store nothing is built.
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

private:
    class NewMacroEditor;
    struct PendingStart {
        int Record = 0;
        CaptureOptions Options;
        bool ProgramScope = false;
    };
    void StartWhenStored(const PendingStart& pending);
    void ShowProgram();

    TMainWin& window_;
    Services services_;
    std::unique_ptr<CaptureSession> session_;
    std::unique_ptr<NewMacroEditor> editor_;
};

} // namespace orvane
