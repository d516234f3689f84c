// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/CaptureOptions.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QRadioButton;

namespace orvane {

// The capture options as "Capture Macro" and "Capture Defaults" show them, with their enabling
// rules kept as the user changes them. "Capture Defaults" also shows "P&rompt on Capture"; it
// has no "&Start Capture" button, so its screen choice takes S for its mnemonic.
class CaptureOptionsPanel : public QWidget {
    Q_OBJECT
public:
    enum class Use { CaptureMacro, Defaults };
    CaptureOptionsPanel(Use use, const CaptureOptions& options, bool programScope,
                        QWidget* parent = nullptr);

    CaptureOptions Options() const;
    bool ProgramScope() const;
    // "&Global" cannot be chosen: the macro's key is a global macro's.
    void ForbidGlobal();

    QCheckBox* Keys() const { return keys_; }
    QCheckBox* Mouse() const { return mouse_; }
    QRadioButton* Screen() const { return screen_; }
    QRadioButton* Window() const { return window_; }
    QCheckBox* WindowSize() const { return windowSize_; }
    QCheckBox* DoubleAlt() const { return doubleAlt_; }
    QCheckBox* Time() const { return time_; }
    QRadioButton* Speed(int speed) const { return speeds_[static_cast<std::size_t>(speed - 1)]; }
    QRadioButton* Global() const { return global_; }
    QRadioButton* Program() const { return program_; }
    QCheckBox* Prompt() const { return prompt_; }

private:
    void Enable();

    QCheckBox* keys_ = nullptr;
    QCheckBox* mouse_ = nullptr;
    QRadioButton* screen_ = nullptr;
    QRadioButton* window_ = nullptr;
    QCheckBox* windowSize_ = nullptr;
    QCheckBox* doubleAlt_ = nullptr;
    QCheckBox* time_ = nullptr;
    std::array<QRadioButton*, 4> speeds_{};
    QRadioButton* global_ = nullptr;
    QRadioButton* program_ = nullptr;
    QCheckBox* prompt_ = nullptr;
};

} // namespace orvane
