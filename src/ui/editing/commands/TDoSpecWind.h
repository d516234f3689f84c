// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/ScopeForm.h"
#include "ui/editing/commands/CommandDialog.h"

#include <QStringList>

class QButtonGroup;
class QLineEdit;
class QListWidget;

namespace orvane {

// "Set Title" / "Set Program": the window title or program a macro belongs to, picked from the
// windows or programs running now or typed, and whether the macro plays only while it is on
// top.
class TDoSpecWind : public CommandDialog {
    Q_OBJECT
public:
    TDoSpecWind(const CommandDialogServices& services, const ScopeForm& form,
                QWidget* parent = nullptr);
    ScopeForm Form() const;
    // The name chosen by "&Ok" (Windows-1252).
    const std::string& Name() const { return ResultTag(); }
    bool TopMost() const { return Form().OnTop; }
    QListWidget* ProgList() const { return list_; }

    // The entries of the list: window titles, or programs that own a titled window first.
    static QStringList Entries(const CommandDialogServices& services, bool programs);

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }
    bool MakesCommand() const override { return false; }
    bool Answered(const Refusal& question, bool yes) override;

private:
    bool program_ = false;
    QLineEdit* name_ = nullptr;
    QListWidget* list_ = nullptr;
    QButtonGroup* when_ = nullptr;
};

} // namespace orvane
