// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/TMainWin.h"

#include "capture/CaptureSession.h"
#include "core/HotKeyTable.h"
#include "core/MacroStore.h"
#include "core/Paths.h"
#include "library/MacroListSource.h"
#include "library/RecentFiles.h"
#include "library/SortOrder.h"
#include "ui/MacroIcons.h"
#include "ui/MainCommandTable.h"
#include "ui/Prompter.h"
#include "ui/library/FileCommands.h"
#include "ui/library/MacroCommands.h"
#include "ui/library/NetworkCommands.h"
#include "ui/library/SettingsFonts.h"
#include "widgets/MacroGrid.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLocale>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr int ButtonBarHeight = 33;
constexpr int LetterPanelWidth = 159;

} // namespace

TMainWin::TMainWin(Services services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), settings_(*services_.Settings) {
    setObjectName(QStringLiteral("TMainWin"));
    setWindowIcon(ProgramIcon());
    setWindowTitle(CaptionFor(QString()));
    if (services_.Messages == nullptr) {
        prompter_ = std::make_unique<Prompter>();
    }

    client_ = new QWidget(this);
    client_->installEventFilter(this);
    setCentralWidget(client_);
    grid_ = new MacroGrid(client_);
    grid_->setAccessibleName(QStringLiteral("Macros"));
    grid_->SetFonts(QFontFrom(settings_.GridFont), QFontFrom(settings_.GridTitleFont),
                    QColorFrom(settings_.GridTitleFont.Color));
    FitDefaultSizesToFont();
    grid_->SetColumnWidths({settings_.Col1Width, settings_.Col2Width, settings_.Col3Width});
    connect(grid_, &MacroGrid::ColumnWidthChanged, this, [this](int column, int width) {
        (column == 1   ? settings_.Col1Width
         : column == 2 ? settings_.Col2Width
                       : settings_.Col3Width) = width;
    });
    connect(grid_, &MacroGrid::HeaderRightClicked, this, &TMainWin::HeaderSort);

    BuildTray();

    buttonBar_ = new QWidget(client_);
    buttonBar_->setObjectName(QStringLiteral("buttonBar"));
    buttonBar_->installEventFilter(this);
    letterPanel_ = new QWidget(client_);
    letterPanel_->setObjectName(QStringLiteral("letterPanel"));
    commands_ = new MainCommandTable(*menuBar(), *buttonBar_, *letterPanel_, this);
}

void TMainWin::AttachCommandGroups(const CommandGroups& groups) {
    files_ = groups.Files;
    macros_ = groups.Macros;
    network_ = groups.Network;

    AttachTray();

    ShowButtonBar(settings_.UseSpeed);
    // Sized to what its contents need before it is placed: growing a placed window at its first
    // show moves its frame off the screen's top.
    resize(
        QSize(std::max(200, settings_.MainWindow.Width), std::max(150, settings_.MainWindow.Height))
            .expandedTo(minimumSizeHint()));
    move(settings_.MainWindow.Left, settings_.MainWindow.Top);
}

TMainWin::~TMainWin() = default;

void TMainWin::SetMacroButtons() {
    if (macros_ != nullptr) {
        macros_->SetButtons();
    }
}

void TMainWin::FitDefaultSizesToFont() {
    // The stored defaults were measured for a smaller font than a Linux desktop's: while the user
    // has not changed them, the columns take what their longest usual texts need and the window
    // what the columns need, so nothing is cut at the first start.
    const SettingsBlock defaults;
    if (settings_.Col1Width != defaults.Col1Width || settings_.Col2Width != defaults.Col2Width ||
        settings_.Col3Width != defaults.Col3Width ||
        settings_.MainWindow.Width != defaults.MainWindow.Width ||
        settings_.MainWindow.Height != defaults.MainWindow.Height) {
        return;
    }
    const QFontMetrics metrics(grid_->font());
    const auto fit = [&metrics](const char* text, int stored) {
        return std::max(stored, metrics.horizontalAdvance(QString::fromLatin1(text)) + 16);
    };
    settings_.Col1Width = fit("Ctrl+Alt+Shift+W", defaults.Col1Width);
    settings_.Col2Width = fit("Menu of Macros for Top Most Window", defaults.Col2Width);
    settings_.Col3Width = fit("Window: Untitled Document", defaults.Col3Width);
    const int listWidth = settings_.Col1Width + settings_.Col2Width + settings_.Col3Width +
                          metrics.horizontalAdvance(QStringLiteral("0000")) +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12;
    settings_.MainWindow.Width = std::max(defaults.MainWindow.Width, listWidth + LetterPanelWidth);
    settings_.MainWindow.Height = std::max(defaults.MainWindow.Height, metrics.height() * 28);
}

MessageSink& TMainWin::Messages() const {
    return services_.Messages != nullptr ? *services_.Messages : *prompter_;
}

QString TMainWin::CaptionFor(const QString& path) {
    QString name = QFileInfo(path).fileName();
    // The extension (".ORV") is left out; a name without one is shown whole.
    if (name.size() > 4 && name.at(name.size() - 4) == QLatin1Char('.')) {
        name.chop(4);
    }
    return QStringLiteral("Orvane 98 (%1)").arg(name);
}

void TMainWin::SetMacroEditors(const MacroEditors& editors) {
    editors_ = editors;
    emit MacroEditorsChanged();
}

QAction* TMainWin::Action(MainCommand command) const {
    return commands_->Action(command);
}

void TMainWin::ShowButtonBar(bool on) {
    buttonBar_->setVisible(on);
    letterPanel_->setVisible(!on);
    FitClientToBar();
    LayoutClient();
}

void TMainWin::FitClientToBar() {
    // The bar's buttons are laid out by hand, not by the window's layout: without this the window
    // could be narrower than the bar and clip its captions ("Deactivate" showing as "ctivate").
    const int needed = buttonBar_->isVisibleTo(this) ? buttonBar_->minimumSizeHint().width() : 0;
    if (client_->minimumWidth() != needed) {
        client_->setMinimumWidth(needed);
    }
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
    } else if (watched == buttonBar_ && event->type() == QEvent::LayoutRequest) {
        FitClientToBar(); // a caption changed its width ("Activate" and "Deactivate")
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
    if (services_.UnavailableKeys) {
        grid_->Model().SetUnavailable(services_.UnavailableKeys());
    }
    if (!grid_->SelectRecord(selected)) {
        grid_->SelectRow(1);
    }
    SetMacroButtons();
}

void TMainWin::RefreshFromStore(int record) {
    if (services_.Store == nullptr) {
        return;
    }
    SetMacroFile(QString::fromStdString(services_.Store->CurrentPath().string()),
                 ListMacrosFrom(*services_.Store));
    if (record > 0) {
        grid_->SelectRecord(record);
        SetMacroButtons();
    }
    DoMenuTaskIcon();
}

void TMainWin::FillList() {
    const int selected = grid_->SelectedRecord();
    grid_->Model().SetSortOrder(SortOrder());
    if (!grid_->SelectRecord(selected)) {
        grid_->SelectRow(1);
    }
    SetMacroButtons();
}

void TMainWin::ApplyRestriction(int level) {
    restriction_ = RestrictionLevelOf(level);
    const Restriction restriction = RestrictionFor(restriction_);
    commands_->SetRestriction(restriction);
    if (restriction.LetterPanel) {
        letterPanel_->setEnabled(false);
    }
    SetMacroButtons();
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

void TMainWin::DoCaption() {
    QString caption = CaptionFor(filePath_);
    if (settings_.ShowDate) {
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale = QLocale::system();
        // The caption turns once a minute, so it shows no seconds that would stand still.
        QString time = locale.timeFormat(QLocale::ShortFormat);
        time.remove(QRegularExpression(QStringLiteral("[^a-zA-Z]?s+")));
        caption += QStringLiteral("     ") + locale.toString(now.date(), QLocale::ShortFormat) +
                   QStringLiteral("  ") + locale.toString(now.time(), time);
        if (!clock_) {
            clock_ = new QTimer(this);
            clock_->setSingleShot(true);
            clock_->setTimerType(Qt::PreciseTimer);
            connect(clock_, &QTimer::timeout, this, &TMainWin::DoCaption);
        }
        const int second = now.time().second() * 1000 + now.time().msec();
        clock_->start(60000 - second + 20);
    } else if (clock_) {
        clock_->stop();
    }
    if (windowTitle() != caption) {
        setWindowTitle(caption);
    }
}

void TMainWin::TerminateClick() {
    close();
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

void TMainWin::SwitchMacroFile(std::string_view file) {
    if (services_.Store == nullptr || RefusedWhileCapturing()) {
        return;
    }
    SwapMacroFile(file, *services_.Store, settings_, *this);
    services_.SaveSettings();
}

void TMainWin::ReloadChangedFile() {
    MacroStore* store = services_.Store;
    if (store == nullptr) {
        return;
    }
    if (captureBusy_ && captureBusy_()) {
        reloadWaiting_ = true;
        return;
    }
    reloadWaiting_ = false;
    const QModelIndex current = grid_->currentIndex();
    const int row = current.isValid() ? current.row() + 1 : 1;
    const QStringList chosen = grid_->CurrentRowTexts();
    ClearMenuTaskIcon();
    store->ReloadMacroFile();
    GetSwapFile();
    store->SetHotKeys();
    RefreshFromStore();
    // The macro the user chose stays chosen wherever the others' changes moved it, so the
    // command they start next acts on it and not on whatever took its place; when it is gone,
    // the place it had.
    const int rows = grid_->Model().rowCount();
    if (rows > 0 && !grid_->SelectRowShowing(chosen)) {
        grid_->SelectRow(std::min(row, rows));
    }
    SetMacroButtons();
    CheckAndSetTime();
    DoMenuTaskIcon();
}

bool TMainWin::FileInUse() {
    return RefusedWhileCapturing() || (network_ != nullptr && network_->Sync().FileInUse());
}

void TMainWin::ReportUnavailableKeys(std::optional<std::uint16_t> code) {
    if (!services_.UnavailableKeys) {
        return;
    }
    grid_->Model().SetUnavailable(services_.UnavailableKeys());
    std::string names;
    for (const std::uint16_t held : services_.UnavailableKeys()) {
        if (!code || *code == held) {
            names += (names.empty() ? "\"" : ", \"") + std::string(HotKeyName(held).value_or("?")) +
                     "\"";
        }
    }
    if (!names.empty()) {
        Messages().Show("Warning", "Another program holds the hot key " + names +
                                       ".  Its macro cannot be started by it until that program "
                                       "lets it go.");
    }
}

bool TMainWin::RefusedWhileCapturing() {
    if (!captureBusy_ || !captureBusy_()) {
        return false;
    }
    Messages().Show(CaptureSession::ErrorCaption, CaptureSession::FileBusyText);
    return true;
}

void TMainWin::CaptureEnded() {
    if (reloadWaiting_) {
        ReloadChangedFile();
    }
}

void TMainWin::ReleaseSyncFile(bool changed) {
    if (network_ != nullptr) {
        network_->Sync().ReleaseSyncFile(changed ? 1 : 0);
    }
}

void TMainWin::ShowMacroFile(const std::filesystem::path& path) {
    if (services_.Store == nullptr) {
        return;
    }
    SetMacroFile(QString::fromStdString(path.string()), ListMacrosFrom(*services_.Store));
    grid_->SelectRow(1);
    SetMacroButtons();
}

void TMainWin::CheckAndSetTime() {
    if (services_.ScheduleChanged) {
        services_.ScheduleChanged();
    }
}

void TMainWin::DoLastFiles(std::string_view oldName, std::string_view newName) {
    UpdateRecentFiles(settings_.LastFiles, oldName, newName);
    if (files_ != nullptr) {
        files_->ShowRecentFiles();
    }
}

void TMainWin::GetSwapFile() {
    emit SwapFileDue();
}

void TMainWin::RenewSyncFile() {
    if (network_ != nullptr) {
        network_->Sync().RenewSyncFile();
    }
}

void TMainWin::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (hideAfterShow_) {
        hideAfterShow_ = false;
        QTimer::singleShot(0, this, &QWidget::hide);
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
