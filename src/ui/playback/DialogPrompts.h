// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompts.h"

#include <QPointer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace orvane {

class MessageSink;
class TPauseMacro;
class WindowFinder;

// The run-time prompts as Qt dialogs, with what the program does around them: while a prompt is
// up the main window is out of the way (unless the program lives in the tray, where it has
// none on screen), and afterwards the keyboard focus goes back where it was.
class DialogPrompts final : public Prompts {
public:
    struct Services {
        // The main window; null where there is none (`orvane play`).
        QWidget* MainWindow = nullptr;
        // The setting "Use Tray", read at each prompt.
        std::function<bool()> UseTray;
        // Finds windows and brings them forward; must outlive the prompts.
        WindowFinder* Finder = nullptr;
        // Shows the repeat prompt's refusal; must outlive the prompts.
        MessageSink* Messages = nullptr;
    };

    explicit DialogPrompts(Services services);
    ~DialogPrompts() override;

    void SetPlayingMacro(std::string_view nickname,
                         std::optional<std::uint32_t> activationCode) override;

    PauseResult DoPause(int top, int left, std::string_view message, WindowId target) override;
    std::uint16_t DoRepPrompt() override;
    void DoAMessage(std::string_view title, std::string_view text) override;
    void RestoreAfterPause(WindowId target, bool minimizeAgain) override;
    bool PauseActive() const override { return !pause_.isNull(); }
    void ResumePause() override;

    bool MessageOpen() const { return messageOpen_; }
    bool PromptOpen() const { return promptOpen_; }

private:
    // What the presentation changed before a prompt, to be undone after it.
    struct Presented {
        WindowId Foreground = NoWindow;
        bool MainHidden = false;
        bool Restored = false; // the main window was restored from minimised
    };
    bool UseTray() const;
    Presented Before(bool remember);
    void After(const Presented& presented);
    void BringToFront(WindowId window);

    Services services_;
    std::string nickname_;
    std::optional<std::uint32_t> activationCode_;
    QPointer<TPauseMacro> pause_;
    bool messageOpen_ = false;
    bool promptOpen_ = false;
    // The main window was hidden for a pause: the end of playback shows it again.
    bool hiddenForPause_ = false;
};

} // namespace orvane
