// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/TDoWizard.h"

#include "core/MessageSink.h"
#include "editing/WizardTasks.h"
#include "ui/QtText.h"
#include "ui/editing/ClickAtOnce.h"
#include "ui/editing/TDoScripting.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcutEvent>
#include <QVBoxLayout>

namespace orvane {

TDoWizard::TDoWizard(TDoScripting& editor, MessageSink& messages, std::function<void()> showHelp)
    : QDialog(&editor), editor_(editor), messages_(messages) {
    setObjectName(QStringLiteral("TDoWizard"));
    setProperty("orvaneHelpSection", QStringLiteral("scripting-wizard"));
    setWindowTitle(QStringLiteral("Scripting Wizard"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* question = new QLabel(QStringLiteral("What would you like to do?"), this);
    QFont bold = question->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    question->setFont(bold);

    // Two columns of tasks, read down the first and then the second.
    auto* tasks = new QGridLayout;
    const int rows = static_cast<int>(WizardTasks.size() + 1) / 2;
    int index = 0;
    QList<QWidget*> order;
    for (const WizardTask& task : WizardTasks) {
        auto* button = new QPushButton(Latin(task.Caption), this);
        button->setObjectName(Latin(task.Name));
        button->setAutoDefault(false);
        button->installEventFilter(this);
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 10px;"));
        const CommandCode code = task.Code;
        connect(button, &QPushButton::clicked, this, [this, code] { TaskClick(code); });
        tasks->addWidget(button, index % rows, index / rows);
        order << button;
        ++index;
    }

    auto* exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("ExitButton"));
    exit->setAutoDefault(false);
    exit->installEventFilter(this);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("HelpButton"));
    help->setAutoDefault(false);
    help->installEventFilter(this);
    help->setEnabled(static_cast<bool>(showHelp));
    connect(help, &QPushButton::clicked, this, [showHelp] {
        if (showHelp) {
            showHelp();
        }
    });
    order << exit << help;
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(exit);
    bottom->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addSpacing(6);
    layout->addLayout(tasks);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    order.front()->setFocus();

    adjustSize();
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

QPushButton* TDoWizard::Button(std::string_view name) const {
    return findChild<QPushButton*>(Latin(name));
}

void TDoWizard::TaskClick(CommandCode code) {
    if (!editor_.AddCommand(code, Placement::Append, this)) {
        return;
    }
    if (!messages_.Ask(WizardAddedCaption, WizardAddedText)) {
        accept();
    }
}

bool TDoWizard::eventFilter(QObject* watched, QEvent* event) {
    // An Alt key runs its task at once, so keys typed next go to the task's dialog.
    return ClickAtOnce(watched, event) || QDialog::eventFilter(watched, event);
}

} // namespace orvane
