// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/DelayForm.h"
#include "editing/commands/PauseForm.h"
#include "editing/commands/RepeatForm.h"
#include "editing/commands/SpeedForm.h"
#include "ui/editing/commands/CommandDialog.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QWidget;

namespace orvane {

// "Set Delay".
class TDoDelay2 : public CommandDialog {
    Q_OBJECT
public:
    TDoDelay2(const CommandDialogServices& services, const DelayForm& form,
              QWidget* parent = nullptr);
    DelayForm Form() const;

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    QButtonGroup* unit_ = nullptr;
    QLineEdit* seconds_ = nullptr;
};

// "Pause Window".
class TDoPausePos : public CommandDialog {
    Q_OBJECT
public:
    TDoPausePos(const CommandDialogServices& services, const PauseForm& form,
                QWidget* parent = nullptr);
    PauseForm Form() const;

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    QButtonGroup* kind_ = nullptr;
    QWidget* complex_ = nullptr;
    QLineEdit* top_ = nullptr;
    QLineEdit* left_ = nullptr;
    QLineEdit* message_ = nullptr;
};

// "Repeat Options".
class TDoRepeat : public CommandDialog {
    Q_OBJECT
public:
    TDoRepeat(const CommandDialogServices& services, const RepeatForm& form,
              QWidget* parent = nullptr);
    RepeatForm Form() const;

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    void KindChanged();
    QButtonGroup* kind_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLineEdit* count_ = nullptr;
};

// "Speed".
class TDoSpeed : public CommandDialog {
    Q_OBJECT
public:
    TDoSpeed(const CommandDialogServices& services, const SpeedForm& form,
             QWidget* parent = nullptr);
    SpeedForm Form() const;

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    QButtonGroup* kind_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLineEdit* count_ = nullptr;
};

} // namespace orvane
