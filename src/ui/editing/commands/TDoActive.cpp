// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/TDoActive.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

TDoActive::TDoActive(const CommandDialogServices& services, const ActivateForm& form,
                     QWidget* parent)
    : CommandDialog(services, QStringLiteral("Activate/Launch Program"), parent) {
    auto* layout = new QVBoxLayout;
    auto* action = new QGroupBox(QStringLiteral("Action"), this);
    auto* actions = new QVBoxLayout(action);
    kind_ = new QButtonGroup(this);
    actions->addWidget(Radio(kind_, ActivateForm::ActiveOnly, "ActiveOnly",
                             QStringLiteral("&Activate Window Only")));
    actions->addWidget(Radio(kind_, ActivateForm::LaunchOnly, "LaunchOnly",
                             QStringLiteral("&Launch Program Only")));
    actions->addWidget(Radio(kind_, ActivateForm::LaunchAct, "LaunchAct",
                             QStringLiteral("La&unch Program and Activate Window")));
    actions->addWidget(
        Radio(kind_, ActivateForm::ActiveLaunch, "ActiveLaunch",
              QStringLiteral("Activate &Window if Running Otherwise Launch Program and Activate "
                             "Window")));
    layout->addWidget(action);

    window_ = new QGroupBox(QStringLiteral("Activate Window"), this);
    auto* windowFields = new QFormLayout(window_);
    title_ = Edit("WinTitle", 100, QStringLiteral("Window Title"));
    title_->setMinimumWidth(title_->fontMetrics().averageCharWidth() * 45);
    windowFields->addRow(Label(QStringLiteral("Window &Title"), title_), title_);
    windowFields->addRow(QString(), new QLabel(QStringLiteral("(May be partial title)"), this));
    layout->addWidget(window_);

    program_ = new QGroupBox(QStringLiteral("Launch Program"), this);
    auto* programFields = new QFormLayout(program_);
    path_ = Edit("ProgPath", 255, QStringLiteral("Program Path/Name"));
    auto* browse = new QPushButton(QStringLiteral("&Browse"), this);
    browse->setObjectName(QStringLiteral("BrowseButton"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &TDoActive::BrowseClick);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browse);
    programFields->addRow(Label(QStringLiteral("&Program Path/Name"), path_), pathRow);
    parameters_ = Edit("Params", 255, QStringLiteral("Program Parameters"));
    programFields->addRow(Label(QStringLiteral("Program Para&meters"), parameters_), parameters_);
    delay_ = Edit("DelaySecs", 2, QStringLiteral("Delay (in seconds)"));
    delay_->setFixedWidth(delay_->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    programFields->addRow(Label(QStringLiteral("&Delay (in seconds)"), delay_), delay_);
    auto* note = new QLabel(QStringLiteral("Note: If you need to specify a default "
                                           "directory/folder, then use the \"Change "
                                           "Directory/Folder\" macro command prior to this macro "
                                           "command."),
                            this);
    note->setWordWrap(true);
    programFields->addRow(note);
    layout->addWidget(program_);

    CheckButton(kind_, form.Kind);
    title_->setText(BoxText(form.Title));
    path_->setText(BoxText(form.Path));
    parameters_->setText(BoxText(form.Parameters));
    delay_->setText(BoxText(form.Delay));
    connect(kind_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            ShowPanels();
        }
    });
    ShowPanels();
    Finish(layout, "Activating Windows");
    (kind_->checkedId() == ActivateForm::LaunchOnly ? path_ : title_)->setFocus();
}

void TDoActive::ShowPanels() {
    const int kind = kind_->checkedId();
    window_->setVisible(kind != ActivateForm::LaunchOnly);
    program_->setVisible(kind != ActivateForm::ActiveOnly);
    delay_->setEnabled(kind == ActivateForm::LaunchAct || kind == ActivateForm::ActiveLaunch);
}

void TDoActive::BrowseClick() {
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Select Program"), path_->text(), QStringLiteral("All Files (*)"));
    if (!chosen.isEmpty()) {
        path_->setText(chosen);
    }
}

ActivateForm TDoActive::Form() const {
    return ActivateForm{kind_->checkedId(), FormText(title_), FormText(path_),
                        FormText(parameters_), FormText(delay_)};
}

} // namespace orvane
