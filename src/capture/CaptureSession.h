// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/CaptureOptions.h"
#include "core/HookLibrary.h"
#include "core/MacroRecord.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

class MacroStore;
class MessageSink;
struct MacroRecord;
struct SettingsBlock;

// What a capture asks of the program around it. Texts are Windows-1252.
class CaptureHost {
public:
    virtual ~CaptureHost() = default;
    // The capture has started: the program steps aside (to the tray, or minimised) with the
    // last window of another program in front, and the recording icon is shown.
    virtual void CaptureStarted() = 0;
    // The recording has stopped: the recording icon goes.
    virtual void RecordingStopped() = 0;
    // The upper-case executable name of the program in front.
    virtual std::string TopProgram() = 0;
    // "Capture Complete" for a capture started by the system hot key, in front of everything.
    // It may change the record's activation, nickname and scope; true for "&Ok".
    virtual bool CaptureComplete(MacroRecord& record, std::string_view program) = 0;
    // The macro list changed: it is refilled and `record` selected (0: none in particular).
    virtual void ListChanged(int record) = 0;
    // The capture is stored: the program is shown again, in front, with `record` selected.
    virtual void CaptureStored(int record) = 0;
    // The program browses a shared macro file and may not change it.
    virtual bool BrowseMode() { return false; }
    // A capture started by the system hot key is about to add its macro: the shared macro file
    // is held (its lock taken) until ReleaseFile. False when the file may not be changed now
    // (the host has said why); the capture does not start.
    virtual bool HoldFile() { return true; }
    // The end of a capture, or of a start that failed after the file was held: the shared
    // macro file is let go, as changed or not.
    virtual void ReleaseFile(bool changed) { static_cast<void>(changed); }
};

// The capture of a macro, the main window's side: it starts a capture (from "Capture Macro" or
// by the system hot key), publishes the capture parameters to the hook backend, writes the
// script text the backend sends (UM_CAPTURECHAR) to the capture file, and when the backend
// reports the end (UM_CAPTUREDONE, or "&End Capture") moves the text into the macro, or into an
// overflow text file the macro plays with "<TFILE:" when it is longer than a macro holds.
//
// idle -> capturing (CaptureOn published; text appended) -> ending (CaptureOn cleared; late text
// dropped; the recording is being stored) -> idle. Only one capture runs at a time. Busy() from
// the start until the recording is stored: meanwhile the macro file must not be changed or
// switched under it (the host refuses such commands), as the recording goes into the macro the
// capture started on. Should that macro be gone all the same when the capture ends (the file was
// changed by someone else), the recording is kept as a new macro rather than lost.

//
// The capture file holds what the user typed: it is created readable by its owner only, in the
// runtime folder, and removed when the capture ends, when this object goes, and at the next
// start after a crash (construction).
class CaptureSession final : public HookMessageReceiver {
public:
    static constexpr std::string_view CaptureFileName = "TempCap.Txt";
    // Overflow files: this prefix, a number from 0, ".TXT", in the data folder.
    static constexpr std::string_view OverflowPrefix = "CP";

    static constexpr std::string_view ErrorCaption = "Error";
    static constexpr std::string_view BrowseModeText = "Capture not allowed in Browse Mode.";
    static constexpr std::string_view InProgressText =
        "A capture is currently in progress.  Capture not allowed.";
    static constexpr std::string_view MaximumText =
        "Maximum number of macros has been reached.  Capture not allowed.";
    static constexpr std::string_view StartCaption = "Start Capture";
    static constexpr std::string_view DoneCaption = "Capture";
    static constexpr std::string_view FileBusyText =
        "A capture is currently in progress.  The macro file cannot be changed or switched "
        "until the capture has ended.";
    static constexpr std::string_view TargetGoneText =
        "The macro being captured no longer exists.  The recording is kept as a new macro.";

    // None is owned; all outlive the session.
    CaptureSession(MacroStore& store, SettingsBlock& settings, CaptureHost& host,
                   MessageSink& messages, std::filesystem::path runtimeFolder,
                   std::filesystem::path dataFolder);
    ~CaptureSession() override;
    CaptureSession(const CaptureSession&) = delete;
    CaptureSession& operator=(const CaptureSession&) = delete;

    bool Capturing() const { return capturing_; }
    bool Busy() const { return capturing_ || ending_; }
    int Target() const { return target_; }
    std::filesystem::path CaptureFile() const { return runtimeFolder_ / CaptureFileName; }

    // "&Start Capture" of "Capture Macro" for macro `record` (already in the file: a recapture,
    // or a new macro the caller has just stored). False when the capture file cannot be made
    // (reported) or a capture runs already.
    bool StartCapture(int record, const CaptureOptions& options, bool programScope);
    // The "Start / Stop Capture" system hot key: a new macro "Capture" (ShortKey "capture"),
    // recorded with the default options.
    void StartACapture();
    // "&End Capture": ends the running capture as the stop key would.
    void EndCapture();

    void Receive(const HookMessage& message) override;

    // The hot key of the "Start / Stop Capture" system macro (0 without one).
    std::uint16_t StopKeyCode() const;
    // The name of the key that stops a capture, and of the key of macro `record` that also
    // stops it (empty for a macro without a hot key of its own).
    std::string StopKeyName() const;
    std::string OwnKeyName(int record) const;

    // "Orvane 98 macro capture will now start." and how to stop it (caption "Start Capture").
    std::string StartPromptText() const;

private:
    bool OpenCaptureFile();
    void CloseCaptureFile(bool remove);
    void Publish(int record, const CaptureOptions& options);
    void Begin(const CaptureOptions& options);
    void Done(int macro);
    // Reads the record the capture started on into `record`; false when it is gone (the number
    // is past the file's end, or another macro has taken its place).
    bool ReadTarget(int macro, MacroRecord& record);
    // A new macro for a recording whose macro is gone ("Capture", ShortKey "capture"), appended;
    // false when it cannot be added (reported).
    bool AppendCaptureMacro(MacroRecord& record, int& macro);
    // The captured text as the macro's script: itself, or "<TFILE:" naming the overflow file it
    // was moved to. False when the text could not be read or moved (reported).
    bool TakeText(std::string& script);
    // Writes `text` to the next free overflow file; `script` is then "<TFILE:" naming it. False
    // when it could not be written (reported).
    bool SaveOverflow(const std::string& text, std::string& script);
    void RememberTarget(int record);
    void Report(std::string_view text);

    MacroStore& store_;
    SettingsBlock& settings_;
    CaptureHost& host_;
    MessageSink& messages_;
    std::filesystem::path runtimeFolder_;
    std::filesystem::path dataFolder_;
    int fd_ = -1;
    bool writeFailed_ = false;
    bool capturing_ = false;
    bool ending_ = false;
    bool bySystemKey_ = false;
    // The activation of the macro being recorded into, as it was when the capture started.
    std::uint16_t targetHotKey_ = 0;
    std::string targetShortKey_;
    bool programScope_ = false;
    int target_ = 0;
};

// The macro a capture by the system hot key starts with: "Capture", ShortKey "capture", Global,
// only when on top, active.
MacroRecord CaptureMacroRecord();

} // namespace orvane
