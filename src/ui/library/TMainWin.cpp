// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/TMainWin.h"

#include "activation/MainWindowCommands.h"
#include "core/CodePage.h"
#include "library/SortOrder.h"
#include "ui/activation/MessageBoxSink.h"
#include "ui/activation/SetScheduleDialog.h"
#include "ui/activation/ShortKeyOptionsDialog.h"
#include "ui/library/SortOrderDialog.h"
#include "ui/library/StartAtLogin.h"
#include "widgets/MacroGrid.h"
#include "widgets/TrayIcons.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr int ButtonBarHeight = 33;
constexpr int LetterPanelWidth = 159;

// Commands whose work this version does. Every other command is shown, and disabled, so the
// window already has its final shape.
bool IsBuilt(MainCommand command) {
    switch (command) {
    case MainCommand::Hide:
    case MainCommand::Terminate:
    case MainCommand::PlaceInSystemTray:
    case MainCommand::Sort:
    case MainCommand::Help:
    case MainCommand::About:
    case MainCommand::ShortKeys:
    case MainCommand::ScreenSaver:
    case MainCommand::ActivateMacro:
    case MainCommand::RestoreKeyboardHooks:
    case MainCommand::RestoreMouseHooks:
        return true;
    default:
        return false;
    }
}

QFont FontFrom(const FontSettings& settings) {
    QFont font(QString::fromStdString(Windows1252ToUtf8(settings.Name)));
    font.setPointSize(settings.Size > 0 ? settings.Size : 10);
    font.setBold(settings.Bold);
    font.setItalic(settings.Italic);
    font.setUnderline(settings.Underline);
    font.setStrikeOut(settings.Strikeout);
    return font;
}

// Colours are stored as 0x00BBGGRR.
QColor ColorFrom(std::int32_t stored) {
    const auto value = static_cast<std::uint32_t>(stored);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/orvane/icons/orvane-%1.png").arg(size));
    }
    return icon;
}

QIcon RecordingIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/orvane/icons/recording-%1.png").arg(size));
    }
    return icon;
}

} // namespace

TMainWin::TMainWin(Services services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), settings_(*services_.Settings) {
    setObjectName(QStringLiteral("TMainWin"));
    setWindowIcon(ProgramIcon());
    setWindowTitle(CaptionFor(QString()));

    client_ = new QWidget(this);
    client_->installEventFilter(this);
    setCentralWidget(client_);
    grid_ = new MacroGrid(client_);
    grid_->SetFonts(FontFrom(settings_.GridFont), FontFrom(settings_.GridTitleFont),
                    ColorFrom(settings_.GridTitleFont.Color));
    grid_->SetColumnWidths({settings_.Col1Width, settings_.Col2Width, settings_.Col3Width});
    connect(grid_, &MacroGrid::ColumnWidthChanged, this, [this](int column, int width) {
        (column == 1   ? settings_.Col1Width
         : column == 2 ? settings_.Col2Width
                       : settings_.Col3Width) = width;
    });
    connect(grid_, &MacroGrid::HeaderRightClicked, this, &TMainWin::HeaderSort);
    connect(grid_, &MacroGrid::RowClicked, this, [this](int) { UpdateCommandStates(); });
    connect(grid_, &MacroGrid::RowDoubleClicked, this, [this](int) { ScriptingEditorClick(); });

    tray_ = new TrayIcons(ProgramIcon(), RecordingIcon(), this);
    trayMenu_ = new QMenu(this);
    trayMenu_->addAction(QStringLiteral("&Open"), this, &TMainWin::OpenFromTray);
    trayMenu_->addAction(QStringLiteral("&Terminate and Unload"), this, &TMainWin::TerminateClick);
    connect(tray_, &TrayIcons::MainClicked, this, &TMainWin::OpenFromTray);
    connect(tray_, &TrayIcons::MainRightClicked, this, [this](const QPoint& at) {
        raise();
        trayMenu_->popup(at);
    });

    BuildMenus();
    BuildButtonBar();
    BuildLetterPanel();

    // Without a notification area the tray cannot be used: the setting is forced off for this
    // run and the command that would turn it on is disabled.
    if (!TrayIcons::Available()) {
        settings_.UseTray = false;
        Action(MainCommand::PlaceInSystemTray)->setEnabled(false);
    }
    Action(MainCommand::PlaceInSystemTray)->setChecked(settings_.UseTray);
    tray_->ShowMain(settings_.UseTray);

    resize(std::max(200, settings_.MainWindow.Width), std::max(150, settings_.MainWindow.Height));
    move(settings_.MainWindow.Left, settings_.MainWindow.Top);
    ShowButtonBar(settings_.UseSpeed);
    UpdateCommandStates();
}

TMainWin::~TMainWin() = default;

QString TMainWin::CaptionFor(const QString& path) {
    QString name = QFileInfo(path).fileName();
    // The extension (".ORV") is left out; a name without one is shown whole.
    if (name.size() > 4 && name.at(name.size() - 4) == QLatin1Char('.')) {
        name.chop(4);
    }
    return QStringLiteral("Orvane 98 (%1)").arg(name);
}

QAction* TMainWin::AddCommand(QMenu* menu, MainCommand command, const QString& caption,
                              const QKeySequence& shortcut) {
    auto* action = menu->addAction(caption);
    action->setShortcut(shortcut);
    actions_[command] = action;
    if (!IsBuilt(command)) {
        action->setEnabled(false);
        action->setStatusTip(QStringLiteral("Not available in this version yet"));
    }
    return action;
}

void TMainWin::SetMacroEditors(const MacroEditors& editors) {
    editors_ = editors;
    EnableScriptingEditor();
    emit MacroEditorsChanged();
}

void TMainWin::SetScriptingCommand(std::function<void(int)> open) {
    openScripting_ = std::move(open);
    EnableScriptingEditor();
}

void TMainWin::EnableScriptingEditor() {
    const bool on = editors_.Scripting != nullptr && openScripting_ && restriction_ == 0;
    Action(MainCommand::ScriptingEditor)->setEnabled(on);
    Action(MainCommand::ScriptingEditor)->setStatusTip(QString());
    for (QWidget* bar : {buttonBar_, letterPanel_}) {
        for (QToolButton* button : bar->findChildren<QToolButton*>()) {
            if (button->property("command").toInt() ==
                static_cast<int>(MainCommand::ScriptingEditor)) {
                button->setEnabled(on);
            }
        }
    }
}

void TMainWin::ScriptingEditorClick() {
    if (restriction_ > 0 || editors_.Scripting == nullptr || !openScripting_) {
        return;
    }
    if (grid_->Model().rowCount() == 0) {
        QMessageBox::critical(this, QStringLiteral("Error"),
                              QStringLiteral("No hot keys have been added yet.  Please add one "
                                             "first."));
        return;
    }
    const int record = grid_->SelectedRecord();
    if (record <= 0) {
        QMessageBox::critical(this, QStringLiteral("Error"),
                              QStringLiteral("No hot key selected.  Please select one."));
        return;
    }
    openScripting_(record);
}

QAction* TMainWin::Action(MainCommand command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void TMainWin::BuildMenus() {
    using enum MainCommand;
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(file, NewFile, QStringLiteral("&New File..."), QKeySequence(Qt::CTRL | Qt::Key_N));
    AddCommand(file, OpenFile, QStringLiteral("&Open File..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addSeparator();
    AddCommand(file, ImportMacros, QStringLiteral("&Import Macros..."));
    AddCommand(file, ExportMacros, QStringLiteral("&Export Macros..."));
    file->addSeparator();
    AddCommand(file, PrintMacroList, QStringLiteral("&Print Macro List..."),
               QKeySequence(Qt::CTRL | Qt::Key_P));
    AddCommand(file, PrinterSetup, QStringLiteral("Printer &Setup..."));
    AddCommand(file, PrinterFont, QStringLiteral("Printer &Font..."));
    AddCommand(file, OutputMacroInformation, QStringLiteral("O&utput Macro Information..."));
    file->addSeparator();
    AddCommand(file, Network, QStringLiteral("Net&work..."));
    QAction* recentSeparator = file->addSeparator();
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        const std::string& path = settings_.LastFiles[i];
        auto* entry = file->addAction(QStringLiteral("&%1   %2")
                                          .arg(i + 1)
                                          .arg(QString::fromStdString(Windows1252ToUtf8(path))));
        entry->setVisible(!path.empty());
        entry->setEnabled(false);
        recentFiles_.push_back(entry);
    }
    recentSeparator->setVisible(std::any_of(settings_.LastFiles.begin(), settings_.LastFiles.end(),
                                            [](const std::string& p) { return !p.empty(); }));
    file->addSeparator();
    connect(AddCommand(file, Hide, QStringLiteral("&Hide Orvane 98")), &QAction::triggered, this,
            &TMainWin::HideClick);
    connect(AddCommand(file, Terminate, QStringLiteral("&Terminate Orvane 98")),
            &QAction::triggered, this, &TMainWin::TerminateClick);

    QMenu* macro = menuBar()->addMenu(QStringLiteral("&Macro"));
    AddCommand(macro, AddMacro, QStringLiteral("&Add Macro..."), QKeySequence(Qt::Key_Insert));
    connect(AddCommand(macro, ScriptingEditor, QStringLiteral("&Scripting Editor...")),
            &QAction::triggered, this, &TMainWin::ScriptingEditorClick);
    AddCommand(macro, ModifyDirectly, QStringLiteral("&Modify Directly..."));
    AddCommand(macro, RecaptureMacro, QStringLiteral("Re&capture Macro"));
    AddCommand(macro, RenameMacro, QStringLiteral("&Rename Macro..."));
    AddCommand(macro, CopyMacro, QStringLiteral("C&opy Macro..."));
    connect(AddCommand(macro, ActivateMacro, QStringLiteral("Acti&vate Macro")),
            &QAction::triggered, this, [this] {
                if (activation_.ToggleActive) {
                    activation_.ToggleActive(grid_->SelectedRecord());
                }
            });
    AddCommand(macro, RemoveMacro, QStringLiteral("R&emove Macro"), QKeySequence(Qt::Key_Delete));
    macro->addSeparator();
    AddCommand(macro, QuickInfo, QStringLiteral("&Quick Info"));
    connect(AddCommand(macro, Sort, QStringLiteral("Sor&t Order...")), &QAction::triggered, this,
            &TMainWin::SortOrderClick);

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    AddCommand(options, Appearance, QStringLiteral("A&ppearance..."));
    connect(AddCommand(options, ShortKeys, QStringLiteral("Short&Keys...")), &QAction::triggered,
            this, &TMainWin::ShortKeysClick);
    AddCommand(options, Capture, QStringLiteral("&Capture..."));
    AddCommand(options, Remap, QStringLiteral("&Remap..."));
    options->addSeparator();
    QAction* tray = AddCommand(options, PlaceInSystemTray, QStringLiteral("Place in System &Tray"));
    tray->setCheckable(true);
    connect(tray, &QAction::triggered, this, &TMainWin::PlaceInTrayClick);
    AddStartAtLogin(options, this);
    QAction* screenSaver =
        AddCommand(options, ScreenSaver, QStringLiteral("&Disable if using Timed Macros"));
    screenSaver->setCheckable(true);
    screenSaver->setChecked(settings_.DisableScreenSaver);
    connect(screenSaver, &QAction::triggered, this, [this](bool on) {
        settings_.DisableScreenSaver = on;
        services_.SaveSettings();
        emit SchedulerSettingsChanged();
    });
    options->addSeparator();
    const auto askThen = [this](const QString& caption, std::string_view question,
                                const std::function<void()>& then) {
        if (then && QMessageBox::question(
                        this, caption,
                        QString::fromLatin1(question.data(), static_cast<int>(question.size())),
                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
            then();
        }
    };
    connect(AddCommand(options, RestoreKeyboardHooks, QStringLiteral("Restore &Keyboard Hooks")),
            &QAction::triggered, this, [this, askThen] {
                askThen(QStringLiteral("Keyboard Hooks"), KeyboardHooksQuestion,
                        activation_.RestoreKeyboardHooks);
            });
    connect(AddCommand(options, RestoreMouseHooks, QStringLiteral("Restore &Mouse Hooks")),
            &QAction::triggered, this, [this, askThen] {
                askThen(QStringLiteral("Mouse Hooks"), MouseHooksQuestion,
                        activation_.RestoreMouseHooks);
            });
    AddCommand(options, EndCapture, QStringLiteral("&End Capture"));

    QMenu* scheduler = menuBar()->addMenu(QStringLiteral("&Scheduler"));
    actions_[Scheduler] = scheduler->menuAction();
    showDate_ = scheduler->addAction(QStringLiteral("&Show Date && Time"));
    showDate_->setCheckable(true);
    showDate_->setChecked(settings_.ShowDate);
    connect(showDate_, &QAction::triggered, this, &TMainWin::ShowDateClick);
    // The alarm's sound dialog comes with the command dialogs.
    QAction* alarm = scheduler->addAction(QStringLiteral("&Alarm..."));
    alarm->setEnabled(false);
    alarm->setStatusTip(QStringLiteral("Not available in this version yet"));
    connect(scheduler->addAction(QStringLiteral("&Timer Interval...")), &QAction::triggered, this,
            &TMainWin::TimerIntervalClick);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(AddCommand(help, Help, QStringLiteral("&Contents"), QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &TMainWin::ShowHelp);
    connect(AddCommand(help, About, QStringLiteral("&About Orvane 98")), &QAction::triggered, this,
            &TMainWin::ShowAbout);
}

void TMainWin::BuildButtonBar() {
    using enum MainCommand;
    buttonBar_ = new QWidget(client_);
    buttonBar_->setObjectName(QStringLiteral("buttonBar"));
    auto* layout = new QHBoxLayout(buttonBar_);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    const std::pair<MainCommand, const char*> buttons[] = {
        {NewFile, "New"},          {OpenFile, "Open"},         {AddMacro, "Add"},
        {ScriptingEditor, "Edit"}, {ModifyDirectly, "Direct"}, {RecaptureMacro, "Recapture"},
        {RenameMacro, "Rename"},   {CopyMacro, "Copy"},        {ActivateMacro, "Activate"},
        {RemoveMacro, "Delete"},   {ImportMacros, "Import"},   {ExportMacros, "Export"},
        {PrintMacroList, "Print"}, {Appearance, "Look"},       {Sort, "Sort"}};
    for (const auto& [command, caption] : buttons) {
        // A button of its own (not the menu's action) so a restriction level can disable the
        // button while the menu entry stays, as level 1 does for opening and printing.
        auto* button = new QToolButton(buttonBar_);
        button->setText(QString::fromLatin1(caption));
        button->setObjectName(QStringLiteral("speed") + QString::fromLatin1(caption));
        button->setToolTip(
            Action(command)->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")));
        button->setAutoRaise(true);
        button->setProperty("command", static_cast<int>(command));
        button->setEnabled(Action(command)->isEnabled());
        connect(button, &QToolButton::clicked, Action(command), &QAction::trigger);
        layout->addWidget(button);
    }
    layout->addStretch(1);
}

void TMainWin::BuildLetterPanel() {
    using enum MainCommand;
    letterPanel_ = new QWidget(client_);
    letterPanel_->setObjectName(QStringLiteral("letterPanel"));
    auto* layout = new QVBoxLayout(letterPanel_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    const std::pair<MainCommand, const char*> buttons[] = {{AddMacro, "&Add Macro"},
                                                           {ScriptingEditor, "Scripting &Editor"},
                                                           {ModifyDirectly, "Modify &Directly"},
                                                           {RecaptureMacro, "Re&capture Macro"},
                                                           {RenameMacro, "&Rename Macro"},
                                                           {CopyMacro, "C&opy Macro"},
                                                           {ActivateMacro, "Acti&vate Macro"},
                                                           {RemoveMacro, "Re&move Macro"},
                                                           {QuickInfo, "&Quick Info"},
                                                           {Sort, "Sor&t Order"}};
    for (const auto& [command, caption] : buttons) {
        auto* button = new QToolButton(letterPanel_);
        button->setText(QString::fromLatin1(caption));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(26);
        button->setProperty("command", static_cast<int>(command));
        button->setEnabled(Action(command)->isEnabled());
        connect(button, &QToolButton::clicked, Action(command), &QAction::trigger);
        layout->addWidget(button);
    }
    layout->addStretch(1);
}

void TMainWin::ShowButtonBar(bool on) {
    buttonBar_->setVisible(on);
    letterPanel_->setVisible(!on);
    LayoutClient();
}

void TMainWin::LayoutClient() {
    if (closing_) {
        return;
    }
    const int width = client_->width();
    const int height = client_->height();
    if (buttonBar_->isVisibleTo(this)) {
        buttonBar_->setGeometry(0, 0, width, ButtonBarHeight);
        grid_->setGeometry(2, 35, std::max(0, width - 4), std::max(0, height - 40));
    } else {
        const int gridWidth = std::max(0, width - 4 - LetterPanelWidth);
        grid_->setGeometry(2, 4, gridWidth, std::max(0, height - 9));
        letterPanel_->setGeometry(gridWidth + 8, 4, LetterPanelWidth - 10, std::max(0, height - 9));
    }
}

bool TMainWin::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        LayoutClient();
    }
    return QMainWindow::eventFilter(watched, event);
}

ListSortOrder TMainWin::SortOrder() const {
    return ListSortOrder{settings_.PrimarySort, settings_.ActivationSort, settings_.ScopeSort};
}

void TMainWin::SetMacroFile(const QString& path, std::vector<ListMacro> macros) {
    filePath_ = path;
    DoCaption();
    const int selected = grid_->SelectedRecord();
    grid_->Model().SetMacros(std::move(macros), SortOrder());
    if (!grid_->SelectRecord(selected)) {
        grid_->SelectRow(1);
    }
    UpdateCommandStates();
}

void TMainWin::FillList() {
    const int selected = grid_->SelectedRecord();
    grid_->Model().SetSortOrder(SortOrder());
    if (!grid_->SelectRecord(selected)) {
        grid_->SelectRow(1);
    }
}

void TMainWin::UpdateCommandStates() {
    // A restriction level freezes the commands; clicks change nothing then.
    if (restriction_ > 0) {
        return;
    }
    const QModelIndex current = grid_->currentIndex();
    const bool active = !current.isValid() || current.data(MacroGridModel::ActiveRole).toBool();
    Action(MainCommand::ActivateMacro)
        ->setText(active ? QStringLiteral("Deacti&vate Macro") : QStringLiteral("Acti&vate Macro"));
    Action(MainCommand::Hide)->setEnabled(settings_.UseTray);
}

void TMainWin::ApplyRestriction(int level) {
    restriction_ = RestrictionLevelOf(level);
    const Restriction restriction = RestrictionFor(restriction_);
    for (const MainCommand command : restriction.MenuEntries) {
        if (command == MainCommand::RecentFiles) {
            for (QAction* entry : recentFiles_) {
                entry->setEnabled(false);
            }
        } else if (QAction* action = Action(command)) {
            action->setEnabled(false);
        }
    }
    for (QToolButton* button : buttonBar_->findChildren<QToolButton*>()) {
        const auto command = static_cast<MainCommand>(button->property("command").toInt());
        if (std::find(restriction.Buttons.begin(), restriction.Buttons.end(), command) !=
                restriction.Buttons.end() ||
            !Action(command)->isEnabled()) {
            button->setEnabled(false);
        }
    }
    if (restriction.LetterPanel) {
        letterPanel_->setEnabled(false);
    }
    for (QToolButton* button : letterPanel_->findChildren<QToolButton*>()) {
        const auto command = static_cast<MainCommand>(button->property("command").toInt());
        button->setEnabled(Action(command)->isEnabled());
    }
}

void TMainWin::HeaderSort(int column) {
    if (!settings_.SortHeader) {
        return;
    }
    const auto result = HeaderSortClick(column, settings_.PrimarySort);
    if (!result) {
        return;
    }
    settings_.PrimarySort = result->Primary;
    if (result->Rebuild) {
        FillList();
        services_.SaveSettings();
    }
}

void TMainWin::SortOrderClick() {
    SortOrderDialog dialog(SortOrderFormFrom(SortOrder(), settings_.SortHeader), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const SortOrderForm form = dialog.Form();
    const ListSortOrder order = SortOrderFromForm(form);
    settings_.PrimarySort = order.Primary;
    settings_.ActivationSort = order.Activation;
    settings_.ScopeSort = order.Scope;
    settings_.SortHeader = form.SortHeader;
    services_.SaveSettings();
    FillList();
}

void TMainWin::DoCaption() {
    QString caption = CaptionFor(filePath_);
    if (settings_.ShowDate) {
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale = QLocale::system();
        caption += QStringLiteral("     ") + locale.toString(now.date(), QLocale::ShortFormat) +
                   QStringLiteral("  ") + locale.toString(now.time(), QLocale::ShortFormat);
    }
    if (windowTitle() != caption) {
        setWindowTitle(caption);
    }
}

void TMainWin::ShowDateClick() {
    settings_.ShowDate = !settings_.ShowDate;
    showDate_->setChecked(settings_.ShowDate);
    DoCaption();
    services_.SaveSettings();
    emit SchedulerSettingsChanged();
}

void TMainWin::TimerIntervalClick() {
    MessageBoxSink messages;
    TimerIntervalDialog dialog(settings_.TimerSeconds, messages, this);
    messages.SetParent(&dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    settings_.TimerSeconds = dialog.Seconds();
    services_.SaveSettings();
    emit SchedulerSettingsChanged();
}

void TMainWin::ShortKeysClick() {
    MessageBoxSink messages;
    ShortKeyOptionsDialog dialog(ShortKeyOptionsFormFrom(settings_), messages, this);
    messages.SetParent(&dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    ApplyShortKeyOptions(dialog.Form(), settings_);
    services_.SaveSettings();
}

void TMainWin::HideClick() {
    if (settings_.UseTray) {
        hide();
    }
}

void TMainWin::TerminateClick() {
    close();
}

void TMainWin::PlaceInTrayClick() {
    if (!TrayIcons::Available()) {
        Action(MainCommand::PlaceInSystemTray)->setChecked(false);
        return;
    }
    settings_.UseTray = !settings_.UseTray;
    Action(MainCommand::PlaceInSystemTray)->setChecked(settings_.UseTray);
    tray_->ShowMain(settings_.UseTray);
    Action(MainCommand::Hide)->setEnabled(settings_.UseTray && restriction_ < 2);
    services_.SaveSettings();
}

void TMainWin::OpenFromTray() {
    if (settings_.UseTray) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
                dialog->reject();
            }
        }
    }
    ShowInFront();
}

void TMainWin::ShowInFront() {
    // Only the minimised state goes: a maximised window comes back maximised.
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    if (!isVisible()) {
        show();
    }
    raise();
    activateWindow();
    grid_->setFocus();
}

void TMainWin::ShowHelp() {
    if (services_.ManualPath.isEmpty() || !QFileInfo::exists(services_.ManualPath)) {
        QMessageBox::warning(this, QStringLiteral("Error"),
                             QStringLiteral("The manual is not installed."));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(services_.ManualPath));
}

void TMainWin::ShowAbout() {
    QMessageBox::about(this, QStringLiteral("About Orvane 98"),
                       QStringLiteral("<b>Orvane 98</b> %1<br>Keyboard and mouse macros for the "
                                      "Linux desktop.<br>Licensed under the GNU GPL, version 3 "
                                      "or later.")
                           .arg(QApplication::applicationVersion()));
}

void TMainWin::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (hideAfterShow_) {
        hideAfterShow_ = false;
        QTimer::singleShot(0, this, &QWidget::hide);
    }
}

void TMainWin::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Minimising while the tray is in use puts the program in the tray instead.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) &&
        settings_.UseTray && QApplication::activeModalWidget() == nullptr) {
        QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            hide();
        });
    }
}

void TMainWin::closeEvent(QCloseEvent* event) {
    closing_ = true;
    settings_.MainWindow = WindowBounds{width(), height(), x(), y()};
    event->accept();
    QMainWindow::closeEvent(event);
    emit Closed();
}

} // namespace orvane
