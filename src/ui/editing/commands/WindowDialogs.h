// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/WindowForms.h"
#include "ui/editing/commands/CommandDialog.h"

class QButtonGroup;
class QLabel;
class QLineEdit;

namespace orvane {

// "Size or Position a Window".
class TDoSizeIt : public CommandDialog {
    Q_OBJECT
public:
    TDoSizeIt(const CommandDialogServices& services, const SizeForm& form,
              QWidget* parent = nullptr);
    SizeForm Form() const;

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    void Changed();
    QButtonGroup* which_ = nullptr;
    QButtonGroup* kind_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLabel* firstLabel_ = nullptr;
    QLabel* secondLabel_ = nullptr;
    QLineEdit* first_ = nullptr;
    QLineEdit* second_ = nullptr;
};

// "System Commands".
class TDoSystemCommand : public CommandDialog {
    Q_OBJECT
public:
    TDoSystemCommand(const CommandDialogServices& services, const SystemForm& form,
                     QWidget* parent = nullptr);
    SystemForm Form() const;

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    QButtonGroup* action_ = nullptr;
    QButtonGroup* which_ = nullptr;
    QLineEdit* title_ = nullptr;
};

// The "Current &Window" / "Speci&fic Window" choice with its title box, as both dialogs show it.
QLayout* WindowChoice(CommandDialog* dialog, QButtonGroup*& which, QLineEdit*& title);

} // namespace orvane
