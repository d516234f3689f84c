// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/ActivateForm.h"
#include "ui/editing/commands/CommandDialog.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;

namespace orvane {

// "Activate/Launch Program": the window panel for activating, the program panel for launching,
// both for the commands that do both.
class TDoActive : public CommandDialog {
    Q_OBJECT
public:
    TDoActive(const CommandDialogServices& services, const ActivateForm& form,
              QWidget* parent = nullptr);
    ActivateForm Form() const;

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form(), Paths()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    void ShowPanels();
    void BrowseClick();

    QButtonGroup* kind_ = nullptr;
    QGroupBox* window_ = nullptr;
    QGroupBox* program_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLineEdit* path_ = nullptr;
    QLineEdit* parameters_ = nullptr;
    QLineEdit* delay_ = nullptr;
};

} // namespace orvane
