// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/KeystrokeText.h"
#include "ui/editing/commands/CommandDialog.h"

class QLineEdit;
class QTableWidget;

namespace orvane {

// "Alt Keypad Sequence": the digits of an Alt code; the result is its tag.
class TDoDelay : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoDelay(const CommandDialogServices& services, QWidget* parent = nullptr);
    AltKeypadForm Form() const { return AltKeypadForm{FormText(digits_)}; }

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }
    bool MakesCommand() const override { return false; }

private:
    QLineEdit* digits_ = nullptr;
};

// "Insert Symbol": the characters 128 to 255 in a grid; the result is the chosen character
// (Windows-1252), or the tag of an Alt code.
class TDoSpecial : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoSpecial(const CommandDialogServices& services, QWidget* parent = nullptr);
    QTableWidget* SymbolGrid() const { return grid_; }
    void AltKeypadClick();

protected:
    std::optional<FormRefusal> CheckValues() override { return std::nullopt; }
    std::string BuildTag() override;
    bool MakesCommand() const override { return false; }

private:
    QTableWidget* grid_ = nullptr;
    std::string altCode_;
};

} // namespace orvane
