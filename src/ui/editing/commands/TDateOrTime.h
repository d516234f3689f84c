// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/DateTimeForm.h"
#include "ui/editing/commands/CommandDialog.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QTreeWidget;

namespace orvane {

// "Dates" / "Times": the formats, each beside its example, and for a date the days into the
// future or the past. "&Ok" keeps the chosen format for the next new line.
class TDateOrTime : public CommandDialog {
    Q_OBJECT
public:
    TDateOrTime(const CommandDialogServices& services, const DateTimeForm& form,
                QWidget* parent = nullptr);
    DateTimeForm Form() const;
    QTreeWidget* FormatList() const { return formats_; }

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }
    void Commit() override;

private:
    bool time_ = false;
    QTreeWidget* formats_ = nullptr;
    QCheckBox* suppress_ = nullptr;
    QLineEdit* days_ = nullptr;
    QButtonGroup* direction_ = nullptr;
};

} // namespace orvane
