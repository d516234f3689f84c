// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/WindowDialogs.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

QLayout* WindowChoice(CommandDialog* dialog, QButtonGroup*& which, QLineEdit*& title) {
    auto* layout = new QVBoxLayout;
    which = new QButtonGroup(dialog);
    auto* current = new QRadioButton(QStringLiteral("Current &Window"), dialog);
    current->setObjectName(QStringLiteral("CurrentWin"));
    auto* specific = new QRadioButton(QStringLiteral("Speci&fic Window"), dialog);
    specific->setObjectName(QStringLiteral("SpecificWin"));
    which->addButton(current, 1);
    which->addButton(specific, 0);
    title = new QLineEdit(dialog);
    title->setObjectName(QStringLiteral("WinTitle"));
    title->setMaxLength(255);
    title->setAccessibleName(QStringLiteral("Window Title"));
    title->setMinimumWidth(title->fontMetrics().averageCharWidth() * 40);
    layout->addWidget(current);
    auto* row = new QHBoxLayout;
    row->addWidget(specific);
    row->addWidget(title, 1);
    layout->addLayout(row);
    QLineEdit* box = title;
    QObject::connect(which, &QButtonGroup::idToggled, dialog, [box](int id, bool on) {
        if (on) {
            box->setEnabled(id == 0);
        }
    });
    return layout;
}

TDoSizeIt::TDoSizeIt(const CommandDialogServices& services, const SizeForm& form, QWidget* parent)
    : CommandDialog(services, QStringLiteral("Size or Position a Window"), parent) {
    auto* layout = new QVBoxLayout;
    layout->addLayout(WindowChoice(this, which_, title_));
    kind_ = new QButtonGroup(this);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(Radio(kind_, 1, "ResizeWin", QStringLiteral("&Resize Window")));
    kinds->addWidget(Radio(kind_, 2, "PositionWin", QStringLiteral("&Position Window")));
    layout->addLayout(kinds);
    first_ = Edit("TheWidth", 4, QString());
    second_ = Edit("TheHeight", 4, QString());
    firstLabel_ = Label(QString(), first_);
    secondLabel_ = Label(QString(), second_);
    auto* numbers = new QFormLayout;
    numbers->addRow(firstLabel_, first_);
    numbers->addRow(secondLabel_, second_);
    layout->addLayout(numbers);

    CheckButton(which_, form.Current ? 1 : 0);
    title_->setText(BoxText(form.Title));
    title_->setEnabled(!form.Current);
    CheckButton(kind_, form.Resize ? 1 : 2);
    first_->setText(BoxText(form.First));
    second_->setText(BoxText(form.Second));
    connect(kind_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            Changed();
        }
    });
    Changed();
    Finish(layout, "Size or Position");
}

void TDoSizeIt::Changed() {
    const bool resize = kind_->checkedId() == 1;
    firstLabel_->setText(resize ? QStringLiteral("Wi&dth") : QStringLiteral("&Left"));
    secondLabel_->setText(resize ? QStringLiteral("H&eight") : QStringLiteral("&Top"));
    first_->setAccessibleName(resize ? QStringLiteral("Width") : QStringLiteral("Left"));
    second_->setAccessibleName(resize ? QStringLiteral("Height") : QStringLiteral("Top"));
}

SizeForm TDoSizeIt::Form() const {
    return SizeForm{which_->checkedId() == 1, FormText(title_), kind_->checkedId() == 1,
                    FormText(first_), FormText(second_)};
}

TDoSystemCommand::TDoSystemCommand(const CommandDialogServices& services, const SystemForm& form,
                                   QWidget* parent)
    : CommandDialog(services, QStringLiteral("System Commands"), parent) {
    auto* layout = new QVBoxLayout;
    action_ = new QButtonGroup(this);
    const std::pair<const char*, const char*> actions[] = {
        {"DoMaximize", "&Maximize Window"},  {"DoMinimize", "M&inimize Window"},
        {"DoRestore", "&Restore Window"},    {"DoClose", "C&lose Window"},
        {"DoHide", "&Hide Window"},          {"DoShow", "&Show Window (unhide)"},
        {"DoShutDown", "Shut Down &Program"}};
    auto* box = new QGroupBox(QStringLiteral("Command"), this);
    auto* column = new QVBoxLayout(box);
    for (int i = 0; i < 7; ++i) {
        column->addWidget(
            Radio(action_, i + 1, actions[i].first, QString::fromLatin1(actions[i].second)));
    }
    layout->addWidget(box);
    layout->addLayout(WindowChoice(this, which_, title_));
    CheckButton(action_, form.Action);
    CheckButton(which_, form.Current ? 1 : 0);
    title_->setText(BoxText(form.Title));
    title_->setEnabled(!form.Current);
    Finish(layout, "System Commands");
}

SystemForm TDoSystemCommand::Form() const {
    return SystemForm{action_->checkedId(), which_->checkedId() == 1, FormText(title_)};
}

} // namespace orvane
