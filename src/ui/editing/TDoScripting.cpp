// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/TDoScripting.h"

#include "activation/LocalMoment.h"
#include "activation/Schedule.h"
#include "core/DayCount.h"
#include "core/MessageSink.h"
#include "core/Paths.h"
#include "ui/activation/QtText.h"
#include "ui/activation/SetScheduleDialog.h"
#include "ui/editing/CommandDialogs.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcutEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

// The program's pictures live in the UI library; a program linking it statically may not have
// registered them yet.
static void InitResources() {
    Q_INIT_RESOURCE(orvane);
}

namespace orvane {
namespace {

constexpr int CodeRole = Qt::UserRole;
constexpr const char* MainIcon = "MAIN";
constexpr std::string_view NotAvailableText =
    "The dialog of this command is not available in this version yet.  Its lines can be "
    "moved, copied and deleted.";

// A line as the list shows it: line breaks inside Text lines as a visible mark.
QString ShownText(const std::string& text) {
    QString shown = FieldText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\u21b5"));
    shown.replace(QLatin1Char('\r'), QStringLiteral("\u21b5"));
    shown.replace(QLatin1Char('\n'), QStringLiteral("\u21b5"));
    return shown;
}

QIcon ProgramIcon() {
    InitResources();
    return QIcon(QStringLiteral(":/orvane/icons/orvane-16.png"));
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

QPushButton* TDoScripting::Button(const char* objectName) const {
    return findChild<QPushButton*>(QString::fromLatin1(objectName));
}

void TDoScripting::BuildWindow() {
    const auto button = [this](const char* name, const QString& caption,
                               void (TDoScripting::*slot)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->installEventFilter(this);
        if (slot != nullptr) {
            connect(b, &QPushButton::clicked, this, slot);
        }
        return b;
    };

    // The activation panel: one of a hot key's name, the schedule, or the ShortKey's name.
    auto* activation = new QHBoxLayout;
    hotKeyLabel_ = new QLabel(this);
    hotKeyLabel_->setObjectName(QStringLiteral("HotKeyLabel"));
    QFont bold = hotKeyLabel_->font();
    bold.setBold(true);
    hotKeyLabel_->setFont(bold);
    timerLabel_ = new QLabel(this);
    timerLabel_->setObjectName(QStringLiteral("TimerLabel"));
    setSchedule_ =
        button("SetSchedule", QStringLiteral("Se&t Schedule"), &TDoScripting::SetScheduleClick);
    shortKeyName_ = new QLineEdit(this);
    shortKeyName_->setObjectName(QStringLiteral("ShortKeyName"));
    shortKeyName_->setMaxLength(10);
    shortKeyName_->setAccessibleName(QStringLiteral("ShortKey"));
    timerLabel_->setBuddy(shortKeyName_);
    activation->addWidget(hotKeyLabel_);
    activation->addWidget(timerLabel_);
    activation->addWidget(shortKeyName_);
    activation->addWidget(setSchedule_);

    nickName_ = new QLineEdit(this);
    nickName_->setObjectName(QStringLiteral("NickName"));
    nickName_->setMaxLength(50);
    auto* nickLabel = new QLabel(QStringLiteral("Nic&kname"), this);
    nickLabel->setBuddy(nickName_);

    mySpeed_ = new QToolButton(this);
    mySpeed_->setObjectName(QStringLiteral("MySpeed"));
    mySpeed_->setIconSize(QSize(16, 16));
    mySpeed_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    mySpeed_->setAccessibleName(QStringLiteral("Icon"));
    mySpeed_->setToolTip(QStringLiteral("Choose the macro's icon; the context menu key or a right "
                                        "click resets it to the program's icon"));
    mySpeed_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mySpeed_, &QToolButton::clicked, this, &TDoScripting::MySpeedClick);
    connect(mySpeed_, &QToolButton::customContextMenuRequested, this, [this] {
        if (QMessageBox::question(this, QString(), QStringLiteral("Reset icon to program default?"),
                                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
            icon_ = MainIcon;
            LoadInIcon();
        }
    });
    auto* iconLabel = new QLabel(QStringLiteral("Icon"), this);
    iconLabel->setBuddy(mySpeed_);

    global_ = new QRadioButton(QStringLiteral("&Global"), this);
    global_->setObjectName(QStringLiteral("Global"));
    specific_ = new QRadioButton(QStringLiteral("&Window"), this);
    specific_->setObjectName(QStringLiteral("Specific"));
    progExe_ = new QRadioButton(QStringLiteral("&Program"), this);
    progExe_->setObjectName(QStringLiteral("ProgExe"));
    for (QRadioButton* scope : {global_, specific_, progExe_}) {
        connect(scope, &QRadioButton::clicked, this, &TDoScripting::ScopeClick);
    }
    chooseWinProg_ =
        button("ChooseWinProg", QStringLiteral("&Select"), &TDoScripting::ChooseWinProgClick);
    // Alt+S belongs to the script list, as it always has; "&Select" is reached with Tab.
    chooseWinProg_->setShortcut(QKeySequence());
    chooseWinProg_->setAccessibleName(QStringLiteral("Select window or program"));

    auto* top = new QHBoxLayout;
    top->addLayout(activation, 2);
    top->addWidget(nickLabel);
    top->addWidget(nickName_, 3);
    top->addWidget(iconLabel);
    top->addWidget(mySpeed_);
    top->addSpacing(8);
    top->addWidget(global_);
    top->addWidget(specific_);
    top->addWidget(progExe_);
    top->addWidget(chooseWinProg_);

    optionBox_ = new QListWidget(this);
    optionBox_->setObjectName(QStringLiteral("OptionBox"));
    optionBox_->setAccessibleName(QStringLiteral("Commands"));
    for (int code = 1; code <= CommandCount; ++code) {
        auto* item = new QListWidgetItem(Latin(CommandNames[static_cast<std::size_t>(code - 1)]));
        item->setData(CodeRole, code);
        optionBox_->addItem(item);
    }
    optionBox_->sortItems();
    connect(optionBox_, &QListWidget::itemActivated, this, &TDoScripting::AddButtonClick);
    auto* commandsLabel = new QLabel(QStringLiteral("Co&mmands"), this);
    commandsLabel->setBuddy(optionBox_);

    script_ = new QListWidget(this);
    script_->setObjectName(QStringLiteral("Script"));
    script_->setAccessibleName(QStringLiteral("Macro Script"));
    connect(script_, &QListWidget::itemActivated, this, &TDoScripting::DoEditClick);
    connect(script_, &QListWidget::currentRowChanged, this, [this] { EnableDisable(); });
    auto* scriptLabel = new QLabel(QStringLiteral("Macro &Script"), this);
    scriptLabel->setBuddy(script_);

    auto* wizard = button("Wizard", QStringLiteral("Command\nWi&zard"), nullptr);
    wizard->setEnabled(false);
    wizard->setToolTip(QStringLiteral("The scripting wizard is not available in this version yet"));
    auto* addButtons = new QVBoxLayout;
    addButtons->addWidget(wizard);
    addButtons->addSpacing(12);
    addButtons->addWidget(
        button("InsertBefore", QStringLiteral("I&nsert"), &TDoScripting::InsertBeforeClick));
    addButtons->addWidget(
        button("InsertAfter", QStringLiteral("&Insert"), &TDoScripting::InsertAfterClick));
    addButtons->addWidget(
        button("AddButton", QStringLiteral("&Add"), &TDoScripting::AddButtonClick));
    addButtons->addStretch(1);
    Button("InsertBefore")->setToolTip(QStringLiteral("Insert above the selected line"));
    Button("InsertAfter")->setToolTip(QStringLiteral("Insert below the selected line"));
    Button("InsertBefore")->setAccessibleName(QStringLiteral("Insert above"));
    Button("InsertAfter")->setAccessibleName(QStringLiteral("Insert below"));

    auto* lineButtons = new QVBoxLayout;
    lineButtons->addWidget(button("DoUp", QStringLiteral("&Up"), &TDoScripting::DoUpClick));
    lineButtons->addWidget(button("DoDown", QStringLiteral("&Down"), &TDoScripting::DoDownClick));
    lineButtons->addWidget(button("DoEdit", QStringLiteral("&Edit"), &TDoScripting::DoEditClick));
    lineButtons->addWidget(button("DoCopy", QStringLiteral("Cop&y"), &TDoScripting::DoCopyClick));
    lineButtons->addWidget(
        button("DoDelete", QStringLiteral("De&lete"), &TDoScripting::DoDeleteClick));
    lineButtons->addStretch(1);
    lineButtons->addWidget(button("OkButton", QStringLiteral("&Ok"), &TDoScripting::OkButtonClick));
    lineButtons->addWidget(button("CancelButton", QStringLiteral("&Cancel"), nullptr));
    connect(Button("CancelButton"), &QPushButton::clicked, this, &QDialog::reject);
    auto* help = button("HelpButton", QStringLiteral("&Help"), nullptr);
    help->setEnabled(static_cast<bool>(setup_.ShowHelp));
    connect(help, &QPushButton::clicked, this, [this] { setup_.ShowHelp(); });
    lineButtons->addWidget(help);

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
    layout->addLayout(top);
    layout->addLayout(grid, 1);

    const QWidget* order[] = {nickName_,
                              shortKeyName_,
                              setSchedule_,
                              mySpeed_,
                              global_,
                              specific_,
                              progExe_,
                              chooseWinProg_,
                              optionBox_,
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
                              help};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    }
    setMinimumWidth(320);
}

void TDoScripting::FormShow() {
    if (setup_.NewMacro) {
        nickName_->clear();
        global_->setChecked(true);
        record_.ScopeTarget.Assign("");
        record_.TopMostOnly = 1;
        DefaultTimer(record_, LocalMoment::Now());
        icon_ = MainIcon;
    } else {
        nickName_->setText(FieldText(record_.Nickname.View()));
        lines_ = BuildTheScript(record_.Text());
        (record_.Scope == ScopeGlobal           ? global_
         : record_.Scope == ScopeSpecificWindow ? specific_
                                                : progExe_)
            ->setChecked(true);
        icon_ = record_.Icon.Str();
    }
    if (icon_ != MainIcon &&
        !std::filesystem::is_regular_file(setup_.IconFolder / PathFromStored(icon_))) {
        icon_ = MainIcon;
    }
    LoadInIcon();
    if (setup_.GlobalForbidden) {
        if (global_->isChecked()) {
            specific_->setChecked(true);
        }
        global_->setEnabled(false);
    }
    hotKeyLabel_->setVisible(setup_.Kind == ActivationKind::HotKey);
    hotKeyLabel_->setText(setup_.HotKeyName);
    timerLabel_->setVisible(setup_.Kind != ActivationKind::HotKey);
    timerLabel_->setText(setup_.Kind == ActivationKind::Timed ? QStringLiteral("Timed Macros")
                                                              : QStringLiteral("Shor&tKey"));
    setSchedule_->setVisible(setup_.Kind == ActivationKind::Timed);
    shortKeyName_->setVisible(setup_.Kind == ActivationKind::ShortKey);
    if (setup_.Kind == ActivationKind::ShortKey) {
        shortKeyName_->setText(FieldText(record_.ShortKey.View()));
    }
    chooseWinProg_->setEnabled(!global_->isChecked());
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
    nickName_->setFocus();
}

void TDoScripting::LoadInIcon() {
    const std::filesystem::path file = setup_.IconFolder / PathFromStored(icon_);
    if (icon_ != MainIcon && std::filesystem::is_regular_file(file)) {
        mySpeed_->setIcon(QIcon(QString::fromStdString(file.string())));
    } else {
        mySpeed_->setIcon(ProgramIcon());
    }
    mySpeed_->setText(FieldText(icon_));
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
    const auto code = static_cast<CommandCode>(chosen->data(CodeRole).toInt());
    if (!dialogs_.CanAdd(code)) {
        messages_.Show("Warning", NotAvailableText);
        return;
    }
    const std::size_t remembered = Selected().value_or(0);
    const std::optional<MadeCommand> made = dialogs_.Add(code, this);
    if (!made) {
        return;
    }
    const std::size_t at = InsertIndex(placement, remembered, lines_.size());
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  ScriptLine{DialogDisplayText(made->Code, made->Record), made->Record});
    SetIndents(lines_);
    ShowLines(SelectionAfterAdd(placement, remembered, lines_.size()));
}

void TDoScripting::DoEditClick() {
    const std::optional<std::size_t> selected = Selected();
    if (!selected) {
        messages_.Show("Error", NoItemSelectedText);
        return;
    }
    const std::optional<CommandCode> code = CommandCodeOf(lines_[*selected].Text);
    if (!code || !dialogs_.CanEdit(*code)) {
        messages_.Show("Warning", NotAvailableText);
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

void TDoScripting::ScopeClick() {
    chooseWinProg_->setEnabled(!global_->isChecked());
    DoCaption();
}

void TDoScripting::DoCaption() {
    const QString target = FieldText(record_.ScopeTarget.View());
    if (progExe_->isChecked()) {
        setWindowTitle(QStringLiteral("Macro Scripting Editor  (Program: %1)").arg(target));
    } else if (specific_->isChecked()) {
        setWindowTitle(QStringLiteral("Macro Scripting Editor  (Window Title: %1)").arg(target));
    } else {
        setWindowTitle(QStringLiteral("Macro Scripting Editor  (GLOBAL)"));
    }
}

void TDoScripting::ChooseWinProgClick() {
    const bool program = progExe_->isChecked();
    if (dialogs_.Scope()) {
        const std::optional<CommandDialogs::ScopeChoice> choice =
            dialogs_.Scope()(program, record_.ScopeTarget.Str(), record_.TopMostOnly != 0, this);
        if (choice && !choice->Name.empty()) {
            record_.ScopeTarget.Assign(std::string_view(choice->Name).substr(0, 30));
            record_.TopMostOnly = choice->TopMost ? 1 : 0;
            DoCaption();
        }
        return;
    }
    // Without the chooser (a test's editor) the name is typed.
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, QStringLiteral("Set Title"),
                              program ? QStringLiteral("&Program name (or part of it):")
                                      : QStringLiteral("&Window title (or part of it):"),
                              QLineEdit::Normal, FieldText(record_.ScopeTarget.View()), &ok);
    if (!ok || name.trimmed().isEmpty()) {
        return;
    }
    const std::string stored = StoredText(name.trimmed());
    record_.ScopeTarget.Assign(std::string_view(stored).substr(0, 30));
    DoCaption();
}

void TDoScripting::SetScheduleClick() {
    SetScheduleDialog dialog(record_, LocalMoment::Now(), messages_, this);
    if (dialog.exec() == QDialog::Accepted) {
        const MacroRecord& scheduled = dialog.Record();
        record_.SchedKind = scheduled.SchedKind;
        record_.SchedDays = scheduled.SchedDays;
        record_.SchedHour = scheduled.SchedHour;
        record_.SchedMinute = scheduled.SchedMinute;
        record_.SchedMonth = scheduled.SchedMonth;
        record_.SchedDay = scheduled.SchedDay;
        record_.SchedPastHour = scheduled.SchedPastHour;
        record_.SchedInterval = scheduled.SchedInterval;
        record_.SchedWeekday = scheduled.SchedWeekday;
        record_.SchedYear = scheduled.SchedYear;
        record_.SchedPM = scheduled.SchedPM;
    }
}

void TDoScripting::MySpeedClick() {
    std::error_code ignored;
    std::filesystem::create_directories(setup_.IconFolder, ignored);
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Load in Icon"), QString::fromStdString(setup_.IconFolder.string()),
        QStringLiteral("Icons (*.ico *.ICO)"));
    if (chosen.isEmpty()) {
        return;
    }
    const QString name = QFileInfo(chosen).fileName();
    if (!name.toUpper().endsWith(QStringLiteral(".ICO"))) {
        messages_.Show("Error", "Invalid file type selected.");
        return;
    }
    const std::string storedName = StoredText(name);
    if (storedName.size() > 12) {
        messages_.Show("Error", "The icon's file name is longer than 12 characters.  Please rename "
                                "it to a shorter name first.");
        return;
    }
    const std::filesystem::path source = chosen.toStdString();
    const std::filesystem::path target = setup_.IconFolder / PathFromStored(storedName);
    if (!std::filesystem::equivalent(source, target, ignored)) {
        if (!std::filesystem::copy_file(source, target, std::filesystem::copy_options::none,
                                        ignored)) {
            messages_.Show("Error",
                           "The selected icon could not be opened.  An icon of this name already "
                           "exists in the default icon folder.  It will be opened instead.");
        }
    }
    if (!std::filesystem::is_regular_file(target)) {
        messages_.Show("Error", "Icon could not be opened.");
        return;
    }
    icon_ = storedName;
    LoadInIcon();
}

void TDoScripting::OkButtonClick() {
    ScriptEditorForm form;
    form.Kind = setup_.Kind;
    form.IsNew = setup_.NewMacro;
    form.Nickname = StoredText(nickName_->text());
    form.Scope = global_->isChecked() ? 1 : specific_->isChecked() ? 2 : 3;
    form.Icon = icon_;
    form.ShortKeyName = StoredText(shortKeyName_->text());
    MacroRecord written = record_;
    const double now = setup_.Now ? setup_.Now() : NowAsDays();
    const ScriptSaveOutcome outcome = SaveScript(lines_, form, now, written);
    if (outcome.Refusal) {
        messages_.Show("Error", *outcome.Refusal);
        shortKeyName_->setFocus();
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
    // A mnemonic clicks its button at once, not after the pressed look Qt shows for a moment,
    // and leaves the focus where it was: keys typed quickly one after the other act in the
    // order they were typed, and "&Up" pressed again moves the same line on.
    if (event->type() == QEvent::Shortcut) {
        auto* pressed = qobject_cast<QPushButton*>(watched);
        if (pressed != nullptr && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            if (pressed->isEnabled()) {
                pressed->click();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
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
