// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/TDoScripting.h"

#include "core/DayCount.h"
#include "core/MessageSink.h"
#include "ui/QtText.h"
#include "ui/editing/ClickAtOnce.h"
#include "ui/editing/CommandDialogs.h"
#include "ui/editing/MacroFieldsPanel.h"
#include "ui/editing/TDoWizard.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcutEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace orvane {
namespace {

constexpr int CodeRole = Qt::UserRole;

// A line as the list shows it: line breaks inside Text lines as a visible mark.
QString ShownText(const std::string& text) {
    QString shown = FieldText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\u21b5"));
    shown.replace(QLatin1Char('\r'), QStringLiteral("\u21b5"));
    shown.replace(QLatin1Char('\n'), QStringLiteral("\u21b5"));
    return shown;
}

} // namespace

TDoScripting::TDoScripting(const MacroRecord& record, Setup setup, const CommandDialogs& dialogs,
                           MessageSink& messages, QWidget* parent)
    : QDialog(parent), record_(record), setup_(std::move(setup)), dialogs_(dialogs),
      messages_(messages) {
    setObjectName(QStringLiteral("TDoScripting"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildWindow();
    FormShow();
}

QLineEdit* TDoScripting::NickName() const {
    return fields_->NickName();
}
QLineEdit* TDoScripting::ShortKeyName() const {
    return fields_->ShortKeyName();
}
QRadioButton* TDoScripting::Global() const {
    return fields_->Global();
}
QRadioButton* TDoScripting::Specific() const {
    return fields_->Specific();
}
QRadioButton* TDoScripting::ProgExe() const {
    return fields_->ProgExe();
}

QPushButton* TDoScripting::Button(const char* objectName) const {
    return findChild<QPushButton*>(QString::fromLatin1(objectName));
}

QPushButton* TDoScripting::MakeButton(const char* name, const QString& caption,
                                      void (TDoScripting::*slot)()) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->installEventFilter(this);
    if (slot != nullptr) {
        connect(b, &QPushButton::clicked, this, slot);
    }
    return b;
}

void TDoScripting::BuildWindow() {
    BuildFields();
    QLabel* commandsLabel = BuildCommandList();
    QLabel* scriptLabel = BuildScriptList();
    QVBoxLayout* addButtons = BuildAddButtons();
    QVBoxLayout* lineButtons = BuildLineButtons();

    auto* grid = new QGridLayout;
    grid->addWidget(commandsLabel, 0, 0);
    grid->addWidget(optionBox_, 1, 0);
    grid->addLayout(addButtons, 1, 1);
    grid->addWidget(scriptLabel, 0, 2);
    grid->addWidget(script_, 1, 2);
    grid->addLayout(lineButtons, 1, 3);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(2, 5);
    grid->setRowStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields_);
    layout->addLayout(grid, 1);

    ChainTabOrder();
    setMinimumWidth(320);
}

void TDoScripting::BuildFields() {
    MacroFieldsPanel::Setup fields = MacroFieldsPanel::SetupFrom(setup_);
    fields_ = new MacroFieldsPanel(record_, std::move(fields), dialogs_.Scope(), messages_, this);
    connect(fields_, &MacroFieldsPanel::ScopeChanged, this, &TDoScripting::DoCaption);
    // Alt+S belongs to the script list, as it always has; "Select" is reached with Tab.
    fields_->ChooseWinProg()->setText(QStringLiteral("&Select"));
    fields_->ChooseWinProg()->setShortcut(QKeySequence());
    for (QPushButton* fieldButton : fields_->findChildren<QPushButton*>()) {
        fieldButton->installEventFilter(this);
    }
}

QLabel* TDoScripting::BuildCommandList() {
    optionBox_ = new QListWidget(this);
    optionBox_->setObjectName(QStringLiteral("OptionBox"));
    optionBox_->setAccessibleName(QStringLiteral("Commands"));
    for (const CommandRow& command : Commands) {
        auto* item = new QListWidgetItem(Latin(command.Name));
        item->setData(CodeRole, static_cast<int>(command.Code));
        optionBox_->addItem(item);
    }
    optionBox_->sortItems();
    // Every command's name reads whole beside the scroll bar ("Clipboard End Copy").
    int widest = 0;
    for (int row = 0; row < optionBox_->count(); ++row) {
        widest = std::max(
            widest, optionBox_->fontMetrics().horizontalAdvance(optionBox_->item(row)->text()));
    }
    optionBox_->setMinimumWidth(widest + 2 * optionBox_->frameWidth() +
                                optionBox_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12);
    connect(optionBox_, &QListWidget::itemActivated, this, &TDoScripting::AddButtonClick);
    auto* commandsLabel = new QLabel(QStringLiteral("Co&mmands"), this);
    commandsLabel->setBuddy(optionBox_);
    return commandsLabel;
}

QLabel* TDoScripting::BuildScriptList() {
    script_ = new QListWidget(this);
    script_->setObjectName(QStringLiteral("Script"));
    script_->setAccessibleName(QStringLiteral("Macro Script"));
    connect(script_, &QListWidget::itemActivated, this, &TDoScripting::DoEditClick);
    // A mouse press makes the row current before it selects it, the keyboard the other way round:
    // the buttons follow both, so they read the line the list shows selected.
    connect(script_, &QListWidget::currentRowChanged, this, [this] { EnableDisable(); });
    connect(script_, &QListWidget::itemSelectionChanged, this, [this] { EnableDisable(); });
    auto* scriptLabel = new QLabel(QStringLiteral("Macro &Script"), this);
    scriptLabel->setBuddy(script_);
    return scriptLabel;
}

QVBoxLayout* TDoScripting::BuildAddButtons() {
    auto* wizard =
        MakeButton("Wizard", QStringLiteral("Command\nWi&zard"), &TDoScripting::WizardClick);
    wizard->setAccessibleName(QStringLiteral("Command Wizard"));
    auto* addButtons = new QVBoxLayout;
    addButtons->addWidget(wizard);
    addButtons->addSpacing(12);
    addButtons->addWidget(
        MakeButton("InsertBefore", QStringLiteral("I&nsert"), &TDoScripting::InsertBeforeClick));
    addButtons->addWidget(
        MakeButton("InsertAfter", QStringLiteral("&Insert"), &TDoScripting::InsertAfterClick));
    addButtons->addWidget(
        MakeButton("AddButton", QStringLiteral("&Add"), &TDoScripting::AddButtonClick));
    addButtons->addStretch(1);
    // The two captions differ only in their mnemonic; the arrow and the second line tell at a
    // glance which one goes above the selected line and which below.
    Button("InsertBefore")->setText(QStringLiteral("I&nsert\nabove"));
    Button("InsertAfter")->setText(QStringLiteral("&Insert\nbelow"));
    Button("InsertBefore")->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    Button("InsertAfter")->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    Button("InsertBefore")->setToolTip(QStringLiteral("Insert above the selected line"));
    Button("InsertAfter")->setToolTip(QStringLiteral("Insert below the selected line"));
    Button("InsertBefore")->setAccessibleName(QStringLiteral("Insert above"));
    Button("InsertAfter")->setAccessibleName(QStringLiteral("Insert below"));
    return addButtons;
}

QVBoxLayout* TDoScripting::BuildLineButtons() {
    auto* lineButtons = new QVBoxLayout;
    lineButtons->addWidget(MakeButton("DoUp", QStringLiteral("&Up"), &TDoScripting::DoUpClick));
    lineButtons->addWidget(
        MakeButton("DoDown", QStringLiteral("&Down"), &TDoScripting::DoDownClick));
    lineButtons->addWidget(
        MakeButton("DoEdit", QStringLiteral("&Edit"), &TDoScripting::DoEditClick));
    lineButtons->addWidget(
        MakeButton("DoCopy", QStringLiteral("Cop&y"), &TDoScripting::DoCopyClick));
    lineButtons->addWidget(
        MakeButton("DoDelete", QStringLiteral("De&lete"), &TDoScripting::DoDeleteClick));
    lineButtons->addStretch(1);
    lineButtons->addWidget(
        MakeButton("OkButton", QStringLiteral("&Ok"), &TDoScripting::OkButtonClick));
    lineButtons->addWidget(MakeButton("CancelButton", QStringLiteral("&Cancel"), nullptr));
    connect(Button("CancelButton"), &QPushButton::clicked, this, &QDialog::reject);
    auto* help = MakeButton("HelpButton", QStringLiteral("&Help"), nullptr);
    help->setEnabled(static_cast<bool>(setup_.ShowHelp));
    connect(help, &QPushButton::clicked, this, [this] { setup_.ShowHelp(); });
    lineButtons->addWidget(help);
    return lineButtons;
}

void TDoScripting::ChainTabOrder() {
    QList<QWidget*> order = fields_->TabOrder();
    order << QList<QWidget*>{optionBox_,
                             Button("Wizard"),
                             Button("InsertBefore"),
                             Button("InsertAfter"),
                             Button("AddButton"),
                             script_,
                             Button("DoUp"),
                             Button("DoDown"),
                             Button("DoEdit"),
                             Button("DoCopy"),
                             Button("DoDelete"),
                             Button("OkButton"),
                             Button("CancelButton"),
                             Button("HelpButton")};
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void TDoScripting::FormShow() {
    if (!setup_.NewMacro) {
        lines_ = BuildTheScript(record_.Text());
    }
    SetIndents(lines_);
    ShowLines(std::nullopt);
    DoCaption();

    if (setup_.Bounds != nullptr && setup_.Bounds->Width > 0 && setup_.Bounds->Height > 0) {
        resize(std::max(320, setup_.Bounds->Width), setup_.Bounds->Height);
    } else {
        resize(760, 460);
    }
    // Centred on the screen, as every dialog of the program is.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    fields_->NickName()->setFocus();
}

void TDoScripting::ShowLines(std::optional<std::size_t> selected) {
    script_->clear();
    for (const ScriptLine& line : lines_) {
        script_->addItem(ShownText(line.Text));
    }
    if (selected && *selected < lines_.size()) {
        script_->setCurrentRow(static_cast<int>(*selected));
    } else {
        script_->setCurrentRow(-1);
    }
    EnableDisable();
}

std::optional<std::size_t> TDoScripting::Selected() const {
    const int row = script_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= lines_.size() ||
        !script_->item(row)->isSelected()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

void TDoScripting::EnableDisable() {
    const std::optional<std::size_t> selected = Selected();
    const LineButtons buttons = orvane::EnableDisable(lines_.size(), selected);
    Button("DoUp")->setEnabled(buttons.Up);
    Button("DoDown")->setEnabled(buttons.Down);
    const std::optional<CommandCode> code =
        selected ? CommandCodeOf(lines_[*selected].Text) : std::nullopt;
    Button("DoEdit")->setEnabled(buttons.Edit && code && dialogs_.CanEdit(*code));
    Button("DoCopy")->setEnabled(buttons.Copy);
    Button("DoDelete")->setEnabled(buttons.Delete);
}

void TDoScripting::AddButtonClick() {
    AddALine(Placement::Append);
}
void TDoScripting::InsertBeforeClick() {
    AddALine(Placement::InsertBefore);
}
void TDoScripting::InsertAfterClick() {
    AddALine(Placement::InsertAfter);
}

void TDoScripting::AddALine(Placement placement) {
    QListWidgetItem* chosen = optionBox_->currentItem();
    if (chosen == nullptr || !chosen->isSelected()) {
        messages_.Show("Error", NoCommandSelectedText);
        return;
    }
    AddCommand(static_cast<CommandCode>(chosen->data(CodeRole).toInt()), placement, this);
}

bool TDoScripting::AddCommand(CommandCode code, Placement placement, QWidget* parent) {
    const std::size_t remembered = Selected().value_or(0);
    const std::optional<MadeCommand> made = dialogs_.Add(code, parent);
    if (!made) {
        return false;
    }
    const std::size_t at = InsertIndex(placement, remembered, lines_.size());
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  ScriptLine{DialogDisplayText(made->Code, made->Record), made->Record});
    SetIndents(lines_);
    ShowLines(SelectionAfterAdd(placement, remembered, lines_.size()));
    return true;
}

void TDoScripting::WizardClick() {
    TDoWizard wizard(*this, messages_, setup_.ShowHelp);
    wizard.exec();
}

void TDoScripting::DoEditClick() {
    const std::optional<std::size_t> selected = Selected();
    if (!selected) {
        messages_.Show("Error", NoItemSelectedText);
        return;
    }
    const std::optional<CommandCode> code = CommandCodeOf(lines_[*selected].Text);
    if (!code) {
        return;
    }
    const std::optional<MadeCommand> made = dialogs_.Edit(*code, lines_[*selected].Record, this);
    if (!made) {
        return;
    }
    lines_[*selected] = ScriptLine{DialogDisplayText(made->Code, made->Record), made->Record};
    SetIndents(lines_);
    ShowLines(selected);
}

void TDoScripting::DoCopyClick() {
    const std::optional<std::size_t> selected = Selected();
    if (!selected) {
        messages_.Show("Error", NoLineSelectedText);
        return;
    }
    const std::optional<std::size_t> next = CopyLine(lines_, *selected);
    SetIndents(lines_);
    ShowLines(next);
}

void TDoScripting::DoDeleteClick() {
    const std::optional<std::size_t> selected = Selected();
    if (!selected) {
        messages_.Show("Error", NoLineSelectedText);
        return;
    }
    const std::optional<std::size_t> next = DeleteLine(lines_, *selected);
    SetIndents(lines_);
    ShowLines(next);
}

void TDoScripting::DoUpClick() {
    if (const std::optional<std::size_t> selected = Selected()) {
        const std::optional<std::size_t> next = MoveLine(lines_, *selected, true);
        SetIndents(lines_);
        ShowLines(next);
    }
}

void TDoScripting::DoDownClick() {
    if (const std::optional<std::size_t> selected = Selected()) {
        const std::optional<std::size_t> next = MoveLine(lines_, *selected, false);
        SetIndents(lines_);
        ShowLines(next);
    }
}

void TDoScripting::DoCaption() {
    setWindowTitle(fields_->Caption(QStringLiteral("Macro Scripting Editor")));
}

void TDoScripting::ChooseWinProgClick() {
    fields_->ChooseWinProgClick();
}

void TDoScripting::SetScheduleClick() {
    fields_->SetScheduleClick();
}

void TDoScripting::MySpeedClick() {
    fields_->MySpeedClick();
}

void TDoScripting::OkButtonClick() {
    const ScriptEditorForm form = fields_->Form();
    MacroRecord written = record_;
    const double now = setup_.Now ? setup_.Now() : NowAsDays();
    const ScriptSaveOutcome outcome = SaveScript(lines_, form, now, written);
    if (outcome.Refusal) {
        messages_.Show("Error", *outcome.Refusal);
        fields_->ShortKeyName()->setFocus();
        return;
    }
    if (outcome.Truncated) {
        messages_.Show("Error", MacroTooLongText);
    }
    record_ = written;
    saved_ = true;
    accept();
}

bool TDoScripting::eventFilter(QObject* watched, QEvent* event) {
    // "&Up" pressed again moves the same line on.
    return ClickAtOnce(watched, event) || QDialog::eventFilter(watched, event);
}

void TDoScripting::StoreBounds() {
    if (setup_.Bounds != nullptr && !boundsStored_) {
        boundsStored_ = true;
        *setup_.Bounds = WindowBounds{width(), height(), x(), y()};
    }
}

void TDoScripting::done(int result) {
    StoreBounds();
    QDialog::done(result);
}

void TDoScripting::closeEvent(QCloseEvent* event) {
    StoreBounds();
    QDialog::closeEvent(event);
}

} // namespace orvane
