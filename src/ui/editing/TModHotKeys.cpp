// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/TModHotKeys.h"

#include "core/DayCount.h"
#include "core/MessageSink.h"
#include "editing/DirectEditing.h"
#include "editing/commands/KeystrokeText.h"
#include "ui/QtText.h"
#include "ui/editing/MacroFieldsPanel.h"
#include "ui/editing/commands/CommandDialog.h"
#include "ui/editing/commands/CommandDialogRegistry.h"
#include "ui/editing/commands/KeyPanel.h"
#include "ui/editing/commands/KeystrokeBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>

namespace orvane {

TModHotKeys::TModHotKeys(const MacroRecord& record, Setup setup,
                         const CommandDialogServices& services, QWidget* parent)
    : KeystrokeDialog(*services.Messages, services.KeyboardHook, parent), record_(record),
      setup_(std::move(setup)), services_(services) {
    setObjectName(QStringLiteral("TModHotKeys"));
    setProperty("orvaneHelpSection", QStringLiteral("direct-editor"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    if (services_.Ask) {
        SetAsker(services_.Ask);
    }
    BuildWindow();
    FormShow();
}

TModHotKeys::~TModHotKeys() = default;

QPushButton* TModHotKeys::Button(std::string_view name) const {
    return findChild<QPushButton*>(Latin(name));
}

void TModHotKeys::BuildWindow() {
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    BuildFields();
    layout->addWidget(fields_);
    QLabel* textLabel = BuildTextBox();

    // The command buttons, two columns beside the text; "SYMBOLS" first.
    auto* commands = new QGridLayout;
    commands->setSpacing(4);
    QList<QWidget*> commandOrder;
    QMenu* actions = BuildCommandButtons(*bar, *commands, commandOrder);

    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(textLabel);
    textColumn->addWidget(text_, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(textColumn, 1);
    middle->addLayout(commands);
    layout->addLayout(middle, 1);
    layout->addWidget(keys_);

    std::function<void()> help;
    if (setup_.ShowHelp) {
        help = setup_.ShowHelp;
    }
    layout->addWidget(AddUpdateButtons(bar, help));
    EditMenu(bar->addMenu(QStringLiteral("&Edit")));
    keys_->AddMenus(bar);
    // The menus in their usual order: File, Edit, Keys, FKeys, Actions.
    bar->removeAction(actions->menuAction());
    bar->addMenu(actions);

    ChainTabOrder(commandOrder);
}

void TModHotKeys::BuildFields() {
    // The window's own keys take most letters (the key buttons' mnemonics are fixed), so the
    // fields along the top are reached with Tab from the nickname, where the window opens.
    MacroFieldsPanel::Setup fields = MacroFieldsPanel::SetupFrom(setup_);
    fields.Mnemonics = false;
    fields_ =
        new MacroFieldsPanel(record_, std::move(fields), setup_.Scope, *services_.Messages, this);
    connect(fields_, &MacroFieldsPanel::ScopeChanged, this, &TModHotKeys::DoCaption);
}

QLabel* TModHotKeys::BuildTextBox() {
    text_ = new KeystrokeBox(this);
    text_->setObjectName(QStringLiteral("NewFormat"));
    text_->setAccessibleName(QStringLiteral("Macro text"));
    text_->setAccessibleDescription(
        QStringLiteral("The macro's text and tags. Tab types a tab; Ctrl+Tab moves on."));
    text_->setMinimumSize(text_->fontMetrics().averageCharWidth() * 60,
                          text_->fontMetrics().height() * 10);
    auto* textLabel = new QLabel(QStringLiteral("Macro te&xt"), this);
    textLabel->setBuddy(text_);
    return textLabel;
}

QMenu* TModHotKeys::BuildCommandButtons(QMenuBar& bar, QGridLayout& commands,
                                        QList<QWidget*>& commandOrder) {
    keys_ = new KeyPanel(services_, this);
    connect(keys_, &KeyPanel::Insert, this, &TModHotKeys::SetIt);
    keys_->Button("Symbols")->hide();
    keys_->MiscellaneousLabel()->setText(QStringLiteral("Miscellaneous"));
    auto* symbols = new QPushButton(QStringLiteral("SYMBOLS"), this);
    symbols->setObjectName(QStringLiteral("SymbolsButton"));
    symbols->setAutoDefault(false);
    connect(symbols, &QPushButton::clicked, keys_, &KeyPanel::SymbolsClick);
    commands.addWidget(symbols, 0, 0);
    commandOrder << symbols;
    QMenu* actions = bar.addMenu(QStringLiteral("&Actions"));
    connect(actions->addAction(QStringLiteral("S&ymbols...")), &QAction::triggered, keys_,
            &KeyPanel::SymbolsClick);
    int at = 1;
    for (const DirectCommandButton& command : DirectCommandButtons) {
        auto* button = new QPushButton(Latin(command.Caption), this);
        button->setObjectName(Latin(command.Name));
        button->setAutoDefault(false);
        const CommandCode code = command.Code;
        connect(button, &QPushButton::clicked, this, [this, code] { CommandClick(code); });
        connect(actions->addAction(Latin(command.Caption)), &QAction::triggered, this,
                [this, code] { CommandClick(code); });
        commands.addWidget(button, at % 10, at / 10);
        commandOrder << button;
        ++at;
    }
    return actions;
}

void TModHotKeys::ChainTabOrder(const QList<QWidget*>& commandOrder) {
    QList<QWidget*> order = fields_->TabOrder();
    order << text_ << commandOrder;
    for (QPushButton* key : keys_->findChildren<QPushButton*>()) {
        if (key->isVisibleTo(this)) {
            order << key;
        }
    }
    order << keys_->Miscellaneous() << keys_->findChild<QPushButton*>(QStringLiteral("MiscOk"))
          << OkButton() << CancelButton();
    if (HelpButton() != nullptr) {
        order << HelpButton();
    }
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void TModHotKeys::EditMenu(QMenu* menu) {
    // Each acts on the box that has the focus; with the focus elsewhere it does nothing.
    const auto onFocused = [](auto onLine, auto onText) {
        QWidget* focused = QApplication::focusWidget();
        if (auto* line = qobject_cast<QLineEdit*>(focused)) {
            onLine(line);
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(focused)) {
            onText(text);
        }
    };
    QAction* cut = menu->addAction(QStringLiteral("Cu&t"));
    cut->setShortcut(QKeySequence::Cut);
    connect(cut, &QAction::triggered, this, [onFocused] {
        onFocused([](QLineEdit* e) { e->cut(); }, [](QPlainTextEdit* e) { e->cut(); });
    });
    QAction* copy = menu->addAction(QStringLiteral("&Copy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [onFocused] {
        onFocused([](QLineEdit* e) { e->copy(); }, [](QPlainTextEdit* e) { e->copy(); });
    });
    QAction* paste = menu->addAction(QStringLiteral("&Paste"));
    paste->setShortcut(QKeySequence::Paste);
    connect(paste, &QAction::triggered, this, [onFocused] {
        onFocused([](QLineEdit* e) { e->paste(); }, [](QPlainTextEdit* e) { e->paste(); });
    });
    QAction* remove = menu->addAction(QStringLiteral("&Delete"));
    connect(remove, &QAction::triggered, this, [onFocused] {
        onFocused([](QLineEdit* e) { e->del(); },
                  [](QPlainTextEdit* e) { e->textCursor().removeSelectedText(); });
    });
    for (QAction* action : {cut, copy, paste}) {
        // The boxes take these keys themselves; the entries name them and serve the menu.
        action->setShortcutContext(Qt::WidgetShortcut);
    }
}

void TModHotKeys::FormShow() {
    text_->SetStored(setup_.NewMacro ? std::string() : record_.Text());
    DoCaption();
    CentreOnScreen();
    // Room for a few lines of a long macro and a readable nickname, centred again.
    resize(size().expandedTo(QSize(900, 600)));
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    fields_->NickName()->setFocus();
}

void TModHotKeys::DoCaption() {
    setWindowTitle(fields_->Caption(QStringLiteral("Modify Hot Key")));
}

void TModHotKeys::SetIt(const std::string& stored) {
    if (!text_->SetIt(stored)) {
        services_.Messages->Show("Error", TextTooLongText);
    }
}

void TModHotKeys::CommandClick(CommandCode code) {
    const std::unique_ptr<QDialog> dialog = MakeCommandDialog(code, nullptr, services_, this);
    if (!dialog || dialog->exec() != QDialog::Accepted) {
        return;
    }
    const auto* command = dynamic_cast<const CommandDialog*>(dialog.get());
    if (command != nullptr && !command->ResultTag().empty()) {
        SetIt(command->ResultTag());
    }
}

std::optional<FormDialog::Refusal> TModHotKeys::CheckForm() {
    const ScriptEditorForm form = fields_->Form();
    if (form.Kind == ActivationKind::ShortKey) {
        if (const std::optional<std::string_view> refusal = CheckShortKeyName(form.ShortKeyName)) {
            return Refusal{"Error", std::string(*refusal), QStringLiteral("ShortKeyName")};
        }
    }
    if (!unstorableAccepted_) {
        const std::string unstorable = UnstorableCharacters(text_->Typed().toStdString());
        if (!unstorable.empty()) {
            const QString text = Latin(UnstorableText).arg(QString::fromStdString(unstorable));
            return Refusal{"Warning", text.toStdString(), QStringLiteral("NewFormat"), true};
        }
    }
    return std::nullopt;
}

bool TModHotKeys::Answered(const Refusal&, bool yes) {
    if (yes) {
        unstorableAccepted_ = true;
        return true;
    }
    // The first of the characters, selected, so the user sees what to change.
    const QString typed = text_->Typed();
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const char32_t c = typed.at(i).isHighSurrogate() && i + 1 < typed.size()
                               ? QChar::surrogateToUcs4(typed.at(i), typed.at(i + 1))
                               : typed.at(i).unicode();
        if (!UnicodeToWindows1252(c)) {
            QTextCursor cursor = text_->textCursor();
            cursor.setPosition(static_cast<int>(i));
            cursor.setPosition(static_cast<int>(i + (c > 0xFFFF ? 2 : 1)), QTextCursor::KeepAnchor);
            text_->setTextCursor(cursor);
            break;
        }
    }
    return false;
}

void TModHotKeys::Commit() {
    MacroRecord written = record_;
    const double now = setup_.Now ? setup_.Now() : NowAsDays();
    const ScriptSaveOutcome outcome =
        SaveDirectText(text_->Stored(), fields_->Form(), now, written);
    if (outcome.Truncated) {
        services_.Messages->Show("Error", MacroTooLongText);
    }
    record_ = written;
    saved_ = true;
}

} // namespace orvane
