// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/TModText.h"

#include "core/MessageSink.h"
#include "editing/ScriptEditing.h"
#include "editing/commands/KeystrokeText.h"
#include "ui/editing/commands/CommandDialog.h"
#include "ui/editing/commands/KeyPanel.h"
#include "ui/editing/commands/KeystrokeBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

TModText::TModText(const CommandDialogServices& services, const std::string& keys, QWidget* parent)
    : KeystrokeDialog(*services.Messages, services.KeyboardHook, parent), services_(services) {
    setWindowTitle(QStringLiteral("Enter Keystrokes"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    if (services.Ask) {
        SetAsker(services.Ask);
    }
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);

    text_ = new KeystrokeBox(this);
    text_->setObjectName(QStringLiteral("NewFormat"));
    text_->setAccessibleName(QStringLiteral("Keystrokes"));
    text_->SetStored(keys);
    text_->setMinimumSize(text_->fontMetrics().averageCharWidth() * 70,
                          text_->fontMetrics().height() * 8);
    auto* label = new QLabel(QStringLiteral("Keystrokes"), this);
    label->setBuddy(text_);
    layout->addWidget(label);
    layout->addWidget(text_, 1);

    panel_ = new KeyPanel(services_, this);
    connect(panel_, &KeyPanel::Insert, this, &TModText::SetIt);
    layout->addWidget(panel_);

    std::function<void()> help;
    if (services_.ShowHelp) {
        help = [this] { services_.ShowHelp("Enter Keystrokes"); };
    }
    layout->addWidget(AddUpdateButtons(bar, help));
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    connect(edit->addAction(QStringLiteral("Cu&t")), &QAction::triggered, text_,
            &QPlainTextEdit::cut);
    connect(edit->addAction(QStringLiteral("&Copy")), &QAction::triggered, text_,
            &QPlainTextEdit::copy);
    connect(edit->addAction(QStringLiteral("&Paste")), &QAction::triggered, text_,
            &QPlainTextEdit::paste);
    connect(edit->addAction(QStringLiteral("&Delete")), &QAction::triggered, text_,
            [this] { text_->textCursor().removeSelectedText(); });
    panel_->AddMenus(bar);
    CentreOnScreen();
    text_->setFocus();
}

TModText::~TModText() = default;

void TModText::SetIt(const std::string& stored) {
    if (!text_->SetIt(stored)) {
        services_.Messages->Show("Error", TextTooLongText);
    }
}

void TModText::Commit() {
    const UpdatedText updated = UpdateKeystrokes(text_->Stored());
    if (updated.Truncated) {
        services_.Messages->Show("Error", MacroTooLongText);
    }
    keys_ = updated.Text;
}

} // namespace orvane
