// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/TDoSpecWind.h"

#include "platform/Processes.h"
#include "platform/WindowSystem.h"
#include "ui/QtText.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>
#include <map>

namespace orvane {

QStringList TDoSpecWind::Entries(const CommandDialogServices& services, bool programs) {
    std::vector<std::string> names;
    std::vector<std::string> running;
    std::map<int, std::string> byProcess;
    if (programs && services.Running != nullptr) {
        for (const RunningProcess& process : services.Running->Running()) {
            byProcess[process.Pid] = process.Executable;
            running.push_back(process.Executable);
        }
    }
    if (services.Windows != nullptr) {
        for (const WindowId window : services.Windows->TopLevelWindows()) {
            const std::string title = services.Windows->Title(window);
            if (title.empty()) {
                continue;
            }
            if (!programs) {
                names.push_back(title);
            } else if (const std::optional<int> pid = services.Windows->ProcessOf(window)) {
                if (const auto found = byProcess.find(*pid); found != byProcess.end()) {
                    names.push_back(found->second);
                }
            }
        }
    }
    QStringList entries;
    for (const std::string& name :
         programs ? ProgramList(std::move(names), std::move(running)) : WindowTitleList(names)) {
        entries << QString::fromStdString(name);
    }
    return entries;
}

TDoSpecWind::TDoSpecWind(const CommandDialogServices& services, const ScopeForm& form,
                         QWidget* parent)
    : CommandDialog(services,
                    form.Program ? QStringLiteral("Set Program") : QStringLiteral("Set Title"),
                    parent),
      program_(form.Program) {
    auto* layout = new QVBoxLayout;
    const QString kind = program_ ? QStringLiteral("Program") : QStringLiteral("Window");
    name_ = Edit("TheTitle", 20,
                 program_ ? QStringLiteral("Program Name") : QStringLiteral("Window Title"));
    layout->addWidget(Label(program_ ? QStringLiteral("Program &Name (may be partial name)")
                                     : QStringLiteral("Window &Title (may be partial title)"),
                            name_));
    layout->addWidget(name_);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ProgList"));
    list_->setAccessibleName(QStringLiteral("List of %1s currently running").arg(kind));
    list_->addItems(Entries(services, program_));
    list_->setMinimumSize(list_->fontMetrics().averageCharWidth() * 50,
                          list_->fontMetrics().height() * 12);
    layout->addWidget(Label(QStringLiteral("&List of %1s currently running").arg(kind), list_));
    layout->addWidget(list_);
    layout->addWidget(new QLabel(QStringLiteral("(Double Click on one to select)"), this));
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        name_->setText(item->text());
        name_->setFocus();
    });
    when_ = new QButtonGroup(this);
    layout->addWidget(
        Radio(when_, 1, "OnTop", QStringLiteral("Run Macro If %1 On To&p").arg(kind)));
    layout->addWidget(
        Radio(when_, 0, "Running", QStringLiteral("Run Macro If %1 &Running").arg(kind)));
    name_->setText(BoxText(form.Name));
    CheckButton(when_, form.OnTop ? 1 : 0);
    list_->setCurrentRow(-1);
    Finish(layout, program_ ? "Set Program Name" : "Set Window Title");
    name_->setFocus();
}

ScopeForm TDoSpecWind::Form() const {
    ScopeForm form;
    form.Program = program_;
    form.Name = FormText(name_);
    const QListWidgetItem* item = list_->currentItem();
    if (item != nullptr && item->isSelected()) {
        form.Highlighted = StoredText(item->text());
    }
    form.OnTop = when_->checkedId() == 1;
    return form;
}

bool TDoSpecWind::Answered(const Refusal&, bool yes) {
    if (!yes || list_->currentItem() == nullptr) {
        return false;
    }
    // The whole entry is kept, also where it is longer than the box shows.
    name_->setMaxLength(255);
    name_->setText(list_->currentItem()->text());
    return true;
}

} // namespace orvane
