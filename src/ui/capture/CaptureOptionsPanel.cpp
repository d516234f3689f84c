// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/capture/CaptureOptionsPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {
namespace {

QCheckBox* Check(const char* text, const char* name, bool on) {
    auto* box = new QCheckBox(QString::fromLatin1(text));
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(on);
    return box;
}

QRadioButton* Radio(const char* text, const char* name) {
    auto* button = new QRadioButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

CaptureOptionsPanel::CaptureOptionsPanel(Use use, const CaptureOptions& options, bool programScope,
                                         QWidget* parent)
    : QWidget(parent) {
    auto* columns = new QGridLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);

    auto* what = new QGroupBox(QStringLiteral("Capture"));
    auto* whatColumn = new QVBoxLayout(what);
    keys_ = Check("Capture &Keystrokes", "keys", options.Keys);
    doubleAlt_ = Check("Capture &Double <ALT> for Menus", "doubleAlt", options.DoubleAlt);
    mouse_ = Check("Capture &Mouse", "mouse", options.Mouse);
    whatColumn->addWidget(keys_);
    whatColumn->addWidget(doubleAlt_);
    whatColumn->addWidget(mouse_);
    auto* relative = new QGroupBox(QStringLiteral("Relative to"));
    auto* relativeColumn = new QVBoxLayout(relative);
    screen_ = Radio(use == Use::Defaults ? "&Screen" : "Sc&reen", "screen");
    window_ = Radio("&Window", "window");
    (options.RelativeToScreen ? screen_ : window_)->setChecked(true);
    windowSize_ = Check("Capture Window Si&ze", "windowSize", options.WindowSize);
    relativeColumn->addWidget(screen_);
    relativeColumn->addWidget(window_);
    relativeColumn->addWidget(windowSize_);
    whatColumn->addWidget(relative);
    columns->addWidget(what, 0, 0, 2, 1);

    auto* timing = new QGroupBox(QStringLiteral("Timing"));
    auto* timingColumn = new QVBoxLayout(timing);
    time_ = Check("Captur&e At", "time", options.Time);
    timingColumn->addWidget(time_);
    const char* speedTexts[] = {"&Actual Speed", "&Half Speed", "Do&uble Speed",
                                "&Quadruple Speed"};
    const char* speedNames[] = {"speed1", "speed2", "speed3", "speed4"};
    auto* speedGroup = new QButtonGroup(this);
    for (std::size_t i = 0; i < speeds_.size(); ++i) {
        speeds_[i] = Radio(speedTexts[i], speedNames[i]);
        speedGroup->addButton(speeds_[i]);
        timingColumn->addWidget(speeds_[i]);
    }
    Speed(options.Speed >= 1 && options.Speed <= 4 ? options.Speed : 1)->setChecked(true);
    columns->addWidget(timing, 0, 1);

    auto* scope = new QGroupBox(QStringLiteral("Scope"));
    auto* scopeColumn = new QVBoxLayout(scope);
    global_ = Radio("&Global", "global");
    program_ = Radio("&Program", "program");
    (programScope ? program_ : global_)->setChecked(true);
    scopeColumn->addWidget(global_);
    scopeColumn->addWidget(program_);
    columns->addWidget(scope, 1, 1);

    if (use == Use::Defaults) {
        prompt_ = Check("P&rompt on Capture", "prompt", options.Prompt);
        columns->addWidget(prompt_, 2, 0, 1, 2);
    }

    for (QCheckBox* box : {keys_, mouse_, time_}) {
        connect(box, &QCheckBox::toggled, this, &CaptureOptionsPanel::Enable);
    }
    connect(screen_, &QRadioButton::toggled, this, &CaptureOptionsPanel::Enable);
    Enable();
}

void CaptureOptionsPanel::Enable() {
    const CaptureEnabling enabling = EnablingOf(Options());
    screen_->setEnabled(enabling.RelativeTo);
    window_->setEnabled(enabling.RelativeTo);
    windowSize_->setEnabled(enabling.WindowSize);
    doubleAlt_->setEnabled(enabling.DoubleAlt);
    for (QRadioButton* speed : speeds_) {
        speed->setEnabled(enabling.Speeds);
    }
}

void CaptureOptionsPanel::ForbidGlobal() {
    program_->setChecked(true);
    global_->setEnabled(false);
}

CaptureOptions CaptureOptionsPanel::Options() const {
    CaptureOptions options;
    options.Keys = keys_->isChecked();
    options.Mouse = mouse_->isChecked();
    options.RelativeToScreen = screen_->isChecked();
    options.WindowSize = windowSize_->isChecked();
    options.DoubleAlt = doubleAlt_->isChecked();
    options.Time = time_->isChecked();
    for (std::size_t i = 0; i < speeds_.size(); ++i) {
        if (speeds_[i]->isChecked()) {
            options.Speed = static_cast<int>(i) + 1;
        }
    }
    options.Global = global_->isChecked();
    options.Prompt = prompt_ == nullptr || prompt_->isChecked();
    return options;
}

bool CaptureOptionsPanel::ProgramScope() const {
    return program_->isChecked();
}

} // namespace orvane
