// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/MacroInformation.h"
#include "ui/FormDialog.h"

class QCheckBox;

namespace orvane {

// "Output Macros To File": which details the macro information file holds, all ticked when it
// opens. "&Ok" refuses when none of Hot Key, Name, Window and Text is ticked (the focus goes to
// "Hot Key").
class OutputMacrosDialog : public FormDialog {
    Q_OBJECT
public:
    explicit OutputMacrosDialog(MessageSink& messages, QWidget* parent = nullptr);

    InformationOptions Options() const;

    QCheckBox* HotKeyBox() const { return hotKey_; }
    QCheckBox* NameBox() const { return name_; }
    QCheckBox* WindowBox() const { return window_; }
    QCheckBox* TextBox() const { return text_; }
    QCheckBox* ScheduleBox() const { return schedule_; }
    QCheckBox* IconBox() const { return icon_; }

protected:
    std::optional<Refusal> CheckForm() override;

private:
    QCheckBox* hotKey_ = nullptr;
    QCheckBox* name_ = nullptr;
    QCheckBox* window_ = nullptr;
    QCheckBox* text_ = nullptr;
    QCheckBox* schedule_ = nullptr;
    QCheckBox* icon_ = nullptr;
};

} // namespace orvane
