// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/TimingDialogs.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

TDoDelay2::TDoDelay2(const CommandDialogServices& services, const DelayForm& form, QWidget* parent)
    : CommandDialog(services, QStringLiteral("Set Delay"), parent) {
    auto* layout = new QVBoxLayout;
    seconds_ = Edit("Seconds", 5, QStringLiteral("Delay Time"));
    auto* row = new QFormLayout;
    row->addRow(Label(QStringLiteral("Delay &Time"), seconds_), seconds_);
    layout->addLayout(row);
    unit_ = new QButtonGroup(this);
    layout->addWidget(Radio(unit_, 0, "DelSecs", QStringLiteral("Delay in &Seconds")));
    layout->addWidget(Radio(unit_, 1, "DelMilli", QStringLiteral("Delay in &Milliseconds")));
    CheckButton(unit_, form.Milliseconds ? 1 : 0);
    seconds_->setText(BoxText(form.Seconds));
    Finish(layout, "Set Delay");
    seconds_->setFocus();
}

DelayForm TDoDelay2::Form() const {
    return DelayForm{unit_->checkedId() == 1, FormText(seconds_)};
}

TDoPausePos::TDoPausePos(const CommandDialogServices& services, const PauseForm& form,
                         QWidget* parent)
    : CommandDialog(services, QStringLiteral("Pause Window"), parent) {
    auto* layout = new QVBoxLayout;
    kind_ = new QButtonGroup(this);
    layout->addWidget(Radio(kind_, 1, "BasicPause", QStringLiteral("&Basic Pause")));
    layout->addWidget(Radio(kind_, 2, "ComplexPause", QStringLiteral("Complex &Pause")));
    complex_ = new QWidget(this);
    auto* fields = new QFormLayout(complex_);
    top_ = Edit("TopCoord", 3, QStringLiteral("Top Coordinate"));
    left_ = Edit("LeftCoord", 3, QStringLiteral("Left Coordinate"));
    message_ = Edit("PauseMessage", 180, QStringLiteral("Message"));
    message_->setMinimumWidth(message_->fontMetrics().averageCharWidth() * 40);
    fields->addRow(Label(QStringLiteral("&Top Coordinate"), top_), top_);
    fields->addRow(Label(QStringLiteral("&Left Coordinate"), left_), left_);
    fields->addRow(Label(QStringLiteral("&Message"), message_), message_);
    layout->addWidget(complex_);
    connect(kind_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) {
            complex_->setVisible(id == 2);
        }
    });
    CheckButton(kind_, form.Complex ? 2 : 1);
    complex_->setVisible(form.Complex);
    top_->setText(BoxText(form.Top));
    left_->setText(BoxText(form.Left));
    message_->setText(BoxText(form.Message));
    Finish(layout, "Macro Pause");
}

PauseForm TDoPausePos::Form() const {
    return PauseForm{kind_->checkedId() == 2, FormText(top_), FormText(left_), FormText(message_)};
}

TDoRepeat::TDoRepeat(const CommandDialogServices& services, const RepeatForm& form, QWidget* parent)
    : CommandDialog(services, QStringLiteral("Repeat Options"), parent) {
    auto* layout = new QVBoxLayout;
    kind_ = new QButtonGroup(this);
    layout->addWidget(
        Radio(kind_, RepeatForm::Start, "StartRepeat", QStringLiteral("&Start Repeat")));
    layout->addWidget(Radio(kind_, RepeatForm::End, "EndRepeat", QStringLiteral("&End Repeat")));
    layout->addWidget(
        Radio(kind_, RepeatForm::Counter, "RepeatCounter", QStringLiteral("&Incremental Counter")));
    layout->addWidget(Radio(kind_, RepeatForm::Prompt, "PromptRepeat",
                            QStringLiteral("Start Repeat with &Prompt")));
    count_ = Edit("Count", 4, QStringLiteral("Repeat Count"));
    countLabel_ = Label(QStringLiteral("Repeat Co&unt"), count_);
    auto* row = new QFormLayout;
    row->addRow(countLabel_, count_);
    layout->addLayout(row);
    CheckButton(kind_, form.Kind);
    count_->setText(BoxText(form.Count));
    connect(kind_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            KindChanged();
        }
    });
    KindChanged();
    Finish(layout, "Repeat Options");
}

void TDoRepeat::KindChanged() {
    const int kind = kind_->checkedId();
    const bool counter = kind == RepeatForm::Counter;
    countLabel_->setText(counter ? QStringLiteral("Counter &Width")
                                 : QStringLiteral("Repeat Co&unt"));
    count_->setAccessibleName(counter ? QStringLiteral("Counter Width")
                                      : QStringLiteral("Repeat Count"));
    count_->setEnabled(kind == RepeatForm::Start || counter);
}

RepeatForm TDoRepeat::Form() const {
    return RepeatForm{kind_->checkedId(), FormText(count_)};
}

TDoSpeed::TDoSpeed(const CommandDialogServices& services, const SpeedForm& form, QWidget* parent)
    : CommandDialog(services, QStringLiteral("Speed"), parent) {
    auto* layout = new QVBoxLayout;
    kind_ = new QButtonGroup(this);
    layout->addWidget(
        Radio(kind_, SpeedForm::Keyboard, "KeyboardSpeed", QStringLiteral("&Keyboard Speed")));
    layout->addWidget(Radio(kind_, SpeedForm::Mouse, "MouseSpeed", QStringLiteral("&Mouse Speed")));
    layout->addWidget(Radio(kind_, SpeedForm::Macro, "MacroSpeed", QStringLiteral("M&acro Speed")));
    count_ = Edit("Count", 4, QString());
    countLabel_ = Label(QString(), count_);
    auto* row = new QFormLayout;
    row->addRow(countLabel_, count_);
    layout->addLayout(row);
    const auto labels = [this](int kind) {
        const bool macro = kind == SpeedForm::Macro;
        countLabel_->setText(macro ? QStringLiteral("Playback &Factor")
                                   : QStringLiteral("&Delay in Milliseconds"));
        count_->setAccessibleName(macro ? QStringLiteral("Playback Factor")
                                        : QStringLiteral("Delay in Milliseconds"));
    };
    connect(kind_, &QButtonGroup::idToggled, this, [labels](int id, bool on) {
        if (on) {
            labels(id);
        }
    });
    CheckButton(kind_, form.Kind);
    labels(form.Kind);
    count_->setText(BoxText(form.Count));
    Finish(layout, "Keyboard and Mouse Speed");
}

SpeedForm TDoSpeed::Form() const {
    return SpeedForm{kind_->checkedId(), FormText(count_)};
}

} // namespace orvane
