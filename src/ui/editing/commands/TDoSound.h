// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/SoundForm.h"
#include "ui/editing/commands/CommandDialog.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace orvane {

// "Set Sound": the beep or a wave file, with a test play. In alarm mode ("Scheduler Alarm")
// the choice is "None" or a wave file, and "&Ok" keeps it in the settings.
class TDoSound : public CommandDialog {
    Q_OBJECT
public:
    enum class Mode { Command, Alarm };

    TDoSound(const CommandDialogServices& services, const SoundForm& form, Mode mode,
             QWidget* parent = nullptr);
    SoundForm Form() const;

    // "&Test": the same check as "&Ok", then the file is played.
    void TestClick();
    QPushButton* TestButton() const { return test_; }

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form(), Paths()); }
    std::string BuildTag() override { return Build(Form()); }
    bool MakesCommand() const override { return mode_ == Mode::Command; }
    void Commit() override;

private:
    void BrowseClick();
    void EnableFile();

    Mode mode_;
    QButtonGroup* kind_ = nullptr;
    QLineEdit* file_ = nullptr;
    QPushButton* browse_ = nullptr;
    QCheckBox* wait_ = nullptr;
    QPushButton* test_ = nullptr;
};

} // namespace orvane
