// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playback/DialogPrompts.h"

#include "core/CodePage.h"
#include "playback/PromptRules.h"
#include "playback/WindowFinder.h"
#include "ui/playback/PromptDialogs.h"

#include <QWidget>

namespace orvane {
namespace {

QString FromMacroText(std::string_view text) {
    return QString::fromStdString(Windows1252ToUtf8(text));
}

} // namespace

DialogPrompts::DialogPrompts(Services services) : services_(std::move(services)) {}

DialogPrompts::~DialogPrompts() = default;

void DialogPrompts::SetPlayingMacro(std::string_view nickname,
                                    std::optional<std::uint32_t> activationCode) {
    nickname_ = std::string(nickname);
    activationCode_ = activationCode;
}

bool DialogPrompts::UseTray() const {
    return services_.UseTray && services_.UseTray();
}

void DialogPrompts::BringToFront(WindowId window) {
    if (services_.Finder != nullptr && window != NoWindow) {
        services_.Finder->BringToFront(window);
    }
}

DialogPrompts::Presented DialogPrompts::Before(bool remember) {
    Presented presented;
    // In the tray the program has no window on screen to move out of the way.
    if (UseTray()) {
        return presented;
    }
    if (remember && services_.Finder != nullptr) {
        presented.Foreground = services_.Finder->Windows().Foreground();
    }
    QWidget* main = services_.MainWindow;
    if (main == nullptr) {
        return presented;
    }
    if (main->isMinimized()) {
        main->showNormal();
        presented.Restored = true;
    }
    if (main->isVisible()) {
        main->hide();
        presented.MainHidden = true;
    }
    return presented;
}

void DialogPrompts::After(const Presented& presented) {
    if (UseTray()) {
        return;
    }
    // Only a window that was on screen comes back: a main window hidden by the user stays so.
    if (presented.MainHidden && services_.MainWindow != nullptr) {
        services_.MainWindow->show();
    }
    BringToFront(presented.Foreground);
}

PauseResult DialogPrompts::DoPause(int top, int left, std::string_view message, WindowId target) {
    const Presented presented = Before(false);
    hiddenForPause_ = hiddenForPause_ || presented.MainHidden;
    TPauseMacro dialog(QString::fromStdString(PauseCaption(activationCode_)),
                       FromMacroText(nickname_), FromMacroText(message), left, top);
    // A timed macro may play, and pause, while another macro waits in its pause dialog.
    const QPointer<TPauseMacro> outer = pause_;
    pause_ = &dialog;
    QObject::connect(&dialog, &TPauseMacro::Shown, &dialog,
                     [this, target] { BringToFront(target); });
    dialog.exec();
    const bool resume = dialog.Resumed();
    pause_ = outer;
    if (!UseTray()) {
        BringToFront(target);
    }
    return PauseResult{resume, presented.Restored};
}

void DialogPrompts::ResumePause() {
    if (pause_) {
        pause_->Resume();
    }
}

void DialogPrompts::RestoreAfterPause(WindowId target, bool minimizeAgain) {
    if (!UseTray()) {
        QWidget* main = services_.MainWindow;
        if (main != nullptr && hiddenForPause_) {
            if (minimizeAgain) {
                main->showMinimized();
            } else {
                main->show();
            }
        }
        if (services_.Finder != nullptr) {
            BringToFront(services_.Finder->MakeSureItsAParent(target));
        }
    }
    hiddenForPause_ = false;
}

std::uint16_t DialogPrompts::DoRepPrompt() {
    const Presented presented = Before(true);
    std::uint16_t count = 0;
    {
        promptOpen_ = true;
        TRepeatPrompt dialog(*services_.Messages);
        QObject::connect(&dialog, &TRepeatPrompt::Shown, &dialog,
                         [this, &dialog] { BringToFront(static_cast<WindowId>(dialog.winId())); });
        dialog.exec();
        count = dialog.Count();
        promptOpen_ = false;
    }
    After(presented);
    return count;
}

void DialogPrompts::DoAMessage(std::string_view title, std::string_view text) {
    if (messageOpen_) {
        return;
    }
    const Presented presented = Before(true);
    {
        messageOpen_ = true;
        TOnTopMessage dialog(FromMacroText(title), FromMacroText(text));
        QObject::connect(&dialog, &TOnTopMessage::Shown, &dialog,
                         [this, &dialog] { BringToFront(static_cast<WindowId>(dialog.winId())); });
        dialog.exec();
        messageOpen_ = false;
    }
    After(presented);
}

} // namespace orvane
