// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/MouseForm.h"
#include "ui/editing/commands/CommandDialog.h"

#include <QPoint>
#include <functional>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace orvane {

// "Mouse Commands": the fifteen mouse actions; a move takes a place on the screen or in the
// foreground window, which "&Pick" lets the user point at.
class TDoMouse : public CommandDialog {
    Q_OBJECT
public:
    // Where the user clicked, in screen pixels; nothing when cancelled.
    using Picker = std::function<std::optional<QPoint>()>;

    TDoMouse(const CommandDialogServices& services, const MouseForm& form,
             QWidget* parent = nullptr);
    MouseForm Form() const;

    // "&Pick": the program's windows step aside while the user clicks the place; X and Y are
    // filled, counted from the top-left corner of the window there when "Relative To Window"
    // is chosen (from the screen when no window is there).
    void PickClick();
    // Tests pick without a screen.
    void SetPicker(Picker picker) { picker_ = std::move(picker); }

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    void Enable();
    QButtonGroup* action_ = nullptr;
    QButtonGroup* relative_ = nullptr;
    QLineEdit* x_ = nullptr;
    QLineEdit* y_ = nullptr;
    QLineEdit* clicks_ = nullptr;
    QPushButton* pick_ = nullptr;
    Picker picker_;
};

} // namespace orvane
