// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/TDoBuildMenu.h"

#include "core/DayCount.h"
#include "core/HotKeyTable.h"
#include "core/MacroStore.h"
#include "core/MessageSink.h"
#include "core/Paths.h"
#include "library/QuickInfo.h"
#include "ui/MacroIcons.h"
#include "ui/QtText.h"
#include "ui/library/QuickInfoDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr int MacroRole = Qt::UserRole;

QTreeWidget* MakeMacroList(const QString& accessibleName, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(3);
    list->setHeaderLabels(
        {QStringLiteral("Activation"), QStringLiteral("NickName"), QStringLiteral("Scope")});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAccessibleName(accessibleName);
    list->header()->resizeSection(0, 120);
    list->header()->resizeSection(1, 130);
    list->setMinimumSize(330, 260);
    return list;
}

int SelectedIn(const QTreeWidget* list) {
    QTreeWidgetItem* item = list->currentItem();
    return item != nullptr && item->isSelected() ? list->indexOfTopLevelItem(item) : -1;
}

} // namespace

TDoBuildMenu::TDoBuildMenu(const MacroStore& store, const MacroRecord& record, Setup setup,
                           MessageSink& messages, QWidget* parent)
    : QDialog(parent), store_(store), record_(record), setup_(std::move(setup)),
      messages_(messages),
      build_(store, setup_.RecordNumber,
             setup_.NewMenu ? std::vector<std::uint16_t>{} : record.PopupMembers()) {
    setObjectName(QStringLiteral("TDoBuildMenu"));
    QString caption = Latin(BuildMacroMenuCaption);
    if (!setup_.ActivationText.isEmpty()) {
        caption += QStringLiteral(" (") + setup_.ActivationText + QLatin1Char(')');
    }
    setWindowTitle(caption);

    std::error_code ignored;
    const std::filesystem::path stored = setup_.IconFolder / PathFromStored(record.Icon.View());
    const BuildMenuForm form = BuildMenuFormFrom(
        record, setup_.NewMenu,
        !record.Icon.View().empty() && std::filesystem::is_regular_file(stored, ignored));
    icon_ = form.Icon;

    nickname_ = new QLineEdit(FieldText(form.Nickname), this);
    nickname_->setObjectName(QStringLiteral("Nickname"));
    nickname_->setMaxLength(50);
    auto* nicknameLabel = new QLabel(QStringLiteral("Nic&kname"), this);
    nicknameLabel->setBuddy(nickname_);

    iconButton_ = new QToolButton(this);
    iconButton_->setObjectName(QStringLiteral("IconButton"));
    iconButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    iconButton_->setIconSize(QSize(32, 32));
    iconButton_->setAccessibleName(QStringLiteral("Icon"));
    iconButton_->setToolTip(QStringLiteral("Choose the menu's icon"));
    auto* iconLabel = new QLabel(QStringLiteral("&Load Icon"), this);
    iconLabel->setBuddy(iconButton_);
    connect(iconButton_, &QToolButton::clicked, this, [this] {
        if (const auto name = LoadInIcon(this, setup_.IconFolder, messages_)) {
            icon_ = *name;
            ShowIcon();
        }
    });
    ShowIcon();

    available_ = MakeMacroList(QStringLiteral("Available Macros"), this);
    available_->setObjectName(QStringLiteral("AvailableList"));
    auto* availableLabel = new QLabel(QStringLiteral("A&vailable Macros"), this);
    availableLabel->setBuddy(available_);
    members_ = MakeMacroList(QStringLiteral("Macros in Menu"), this);
    members_->setObjectName(QStringLiteral("MenuList"));
    auto* membersLabel = new QLabel(QStringLiteral("Macros in &Menu"), this);
    membersLabel->setBuddy(members_);
    // A click on a line shows that macro's Quick Info once the double-click time has passed
    // without a second click, so a double click on an available macro still just adds it.
    quickInfoTimer_.setSingleShot(true);
    quickInfoTimer_.setInterval(QApplication::doubleClickInterval());
    connect(&quickInfoTimer_, &QTimer::timeout, this, [this] { ShowQuickInfo(quickInfoMacro_); });
    for (QTreeWidget* list : {available_, members_}) {
        connect(list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
            if (sinceDoubleClick_.isValid() &&
                sinceDoubleClick_.elapsed() < QApplication::doubleClickInterval()) {
                return; // the release that ends a double click
            }
            quickInfoMacro_ = item->data(0, MacroRole).toInt();
            quickInfoTimer_.start();
        });
        connect(list, &QTreeWidget::itemDoubleClicked, this, [this] {
            quickInfoTimer_.stop();
            sinceDoubleClick_.start();
        });
    }
    connect(available_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem*, int) { AddButtonClick(); });
    connect(available_, &QTreeWidget::itemSelectionChanged, this, &TDoBuildMenu::EnableDisable);
    connect(members_, &QTreeWidget::itemSelectionChanged, this, &TDoBuildMenu::EnableDisable);

    auto* add = new QPushButton(QStringLiteral("&Add"), this);
    auto* insertAfter = new QPushButton(QStringLiteral("&Insert"), this);
    insertAfter->setToolTip(QStringLiteral("Insert after the selected menu line"));
    auto* insertBefore = new QPushButton(QStringLiteral("I&nsert"), this);
    insertBefore->setToolTip(QStringLiteral("Insert before the selected menu line"));
    insertBefore->setAccessibleName(QStringLiteral("Insert before"));
    up_ = new QPushButton(QStringLiteral("&Up"), this);
    down_ = new QPushButton(QStringLiteral("&Down"), this);
    auto* remove = new QPushButton(QStringLiteral("&Remove"), this);
    connect(add, &QPushButton::clicked, this, &TDoBuildMenu::AddButtonClick);
    connect(insertAfter, &QPushButton::clicked, this, &TDoBuildMenu::InsertAfterClick);
    connect(insertBefore, &QPushButton::clicked, this, &TDoBuildMenu::InsertBeforeClick);
    connect(up_, &QPushButton::clicked, this, &TDoBuildMenu::UpClick);
    connect(down_, &QPushButton::clicked, this, &TDoBuildMenu::DownClick);
    connect(remove, &QPushButton::clicked, this, &TDoBuildMenu::RemoveClick);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* button : {add, insertAfter, insertBefore, up_, down_, remove}) {
        button->setAutoDefault(false);
        moves->addWidget(button);
    }
    moves->addStretch();

    tray_ = new QCheckBox(QStringLiteral("&Place in System Tray"), this);
    tray_->setObjectName(QStringLiteral("TrayBox"));
    tray_->setChecked(form.Options.InTray);
    auto* shows = new QGroupBox(QStringLiteral("What To Show On Popup Menu"), this);
    nicknameAndScope_ = new QRadioButton(QStringLiteral("Nickname and Scop&e"), shows);
    firstPart_ = new QRadioButton(QStringLiteral("&First Part of Macro"), shows);
    icons_ = new QRadioButton(QStringLiteral("Icon&s"), shows);
    auto* showsLayout = new QVBoxLayout(shows);
    showsLayout->addWidget(nicknameAndScope_);
    showsLayout->addWidget(firstPart_);
    showsLayout->addWidget(icons_);
    ShowsButton(form.Options.Shows)->setChecked(true);
    iconSize_ = new QComboBox(this);
    iconSize_->setObjectName(QStringLiteral("IconSize"));
    for (const int size : MenuIconSizes) {
        iconSize_->addItem(QStringLiteral("%1 x %1").arg(size));
    }
    iconSize_->setCurrentIndex(form.Options.IconSizeIndex);
    auto* sizeLabel = new QLabel(QStringLiteral("Icon Si&ze"), this);
    sizeLabel->setBuddy(iconSize_);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setEnabled(static_cast<bool>(setup_.ShowHelp));
    connect(ok, &QPushButton::clicked, this, &TDoBuildMenu::OkButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { setup_.ShowHelp(); });

    auto* grid = new QGridLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(nicknameLabel);
    top->addWidget(nickname_, 1);
    top->addSpacing(16);
    top->addWidget(iconLabel);
    top->addWidget(iconButton_);
    grid->addLayout(top, 0, 0, 1, 3);
    grid->addWidget(availableLabel, 1, 0);
    grid->addWidget(membersLabel, 1, 2);
    grid->addWidget(available_, 2, 0);
    grid->addLayout(moves, 2, 1);
    grid->addWidget(members_, 2, 2);
    auto* options = new QHBoxLayout;
    auto* sizeColumn = new QVBoxLayout;
    sizeColumn->addWidget(tray_);
    sizeColumn->addWidget(sizeLabel);
    sizeColumn->addWidget(iconSize_);
    sizeColumn->addStretch();
    options->addLayout(sizeColumn);
    options->addWidget(shows);
    options->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    options->addLayout(buttons);
    grid->addLayout(options, 3, 0, 1, 3);

    setTabOrder(nickname_, iconButton_);
    setTabOrder(iconButton_, available_);
    setTabOrder(available_, add);
    setTabOrder(add, insertAfter);
    setTabOrder(insertAfter, insertBefore);
    setTabOrder(insertBefore, up_);
    setTabOrder(up_, down_);
    setTabOrder(down_, remove);
    setTabOrder(remove, members_);
    setTabOrder(members_, tray_);
    setTabOrder(tray_, iconSize_);
    setTabOrder(iconSize_, nicknameAndScope_);
    setTabOrder(nicknameAndScope_, firstPart_);
    setTabOrder(firstPart_, icons_);
    setTabOrder(icons_, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, help);

    Refill(std::nullopt, std::nullopt);
    nickname_->setFocus();
}

QRadioButton* TDoBuildMenu::ShowsButton(MenuShows shows) const {
    switch (shows) {
    case MenuShows::FirstPartOfMacro:
        return firstPart_;
    case MenuShows::Icons:
        return icons_;
    case MenuShows::NicknameAndScope:
        break;
    }
    return nicknameAndScope_;
}

void TDoBuildMenu::ShowIcon() {
    iconButton_->setIcon(MacroIconFor(icon_, true, setup_.IconFolder));
    iconButton_->setText(FieldText(icon_));
}

void TDoBuildMenu::Refill(std::optional<int> available, std::optional<int> member) {
    const auto fill = [this](QTreeWidget* list, const std::vector<int>& macros,
                             std::optional<int> selected) {
        list->clear();
        for (const int macro : macros) {
            const BuilderLine line = build_.LineOf(macro);
            auto* item =
                new QTreeWidgetItem(list, {FieldText(line.Activation), FieldText(line.Nickname),
                                           FieldText(line.Scope)});
            item->setData(0, MacroRole, macro);
        }
        if (selected && *selected >= 0 && *selected < list->topLevelItemCount()) {
            list->setCurrentItem(list->topLevelItem(*selected));
        } else {
            list->setCurrentItem(nullptr);
        }
    };
    fill(available_, build_.Available(), available);
    fill(members_, build_.Members(), member);
    EnableDisable();
}

void TDoBuildMenu::ShowQuickInfo(int macro) {
    MacroRecord record;
    if (macro <= 0 || !store_.ReadMacro(macro, record)) {
        return;
    }
    const QuickInfo info = QuickInfoOf(record);
    QuickInfoDialog dialog(info, MacroIconFor(info.Icon, false, setup_.IconFolder), this);
    dialog.exec();
}

int TDoBuildMenu::SelectedAvailable() const {
    return SelectedIn(available_);
}

int TDoBuildMenu::SelectedMember() const {
    return SelectedIn(members_);
}

void TDoBuildMenu::EnableDisable() {
    const int member = SelectedMember();
    const int count = members_->topLevelItemCount();
    up_->setEnabled(member > 0);
    down_->setEnabled(member >= 0 && member + 1 < count);
}

bool TDoBuildMenu::NeedsAvailable() {
    if (SelectedAvailable() >= 0) {
        return true;
    }
    messages_.Show("Error", NoMenuMacroSelectedText);
    available_->setFocus();
    return false;
}

void TDoBuildMenu::MoveInto(std::optional<int> member) {
    // The next available macro stays selected, so several can be added in a row.
    const int from = SelectedAvailable();
    const int left = static_cast<int>(build_.Available().size());
    Refill(left > 0 ? std::optional<int>(std::min(from, left - 1)) : std::nullopt, member);
}

void TDoBuildMenu::AddButtonClick() {
    if (NeedsAvailable()) {
        MoveInto(build_.Add(SelectedAvailable()));
    }
}

void TDoBuildMenu::InsertAfterClick() {
    if (NeedsAvailable()) {
        MoveInto(build_.InsertAfter(SelectedAvailable(), SelectedMember()));
    }
}

void TDoBuildMenu::InsertBeforeClick() {
    if (NeedsAvailable()) {
        MoveInto(build_.InsertBefore(SelectedAvailable(), SelectedMember()));
    }
}

void TDoBuildMenu::UpClick() {
    if (const auto moved = build_.Up(SelectedMember())) {
        Refill(SelectedAvailable(), moved);
    }
}

void TDoBuildMenu::DownClick() {
    if (const auto moved = build_.Down(SelectedMember())) {
        Refill(SelectedAvailable(), moved);
    }
}

void TDoBuildMenu::RemoveClick() {
    const int member = SelectedMember();
    if (member < 0) {
        messages_.Show("Error", NoMenuMacroSelectedText);
        members_->setFocus();
        return;
    }
    const std::optional<int> back = build_.Remove(member);
    const int left = static_cast<int>(build_.Members().size());
    Refill(back, left > 0 ? std::optional<int>(std::min(member, left - 1)) : std::nullopt);
}

void TDoBuildMenu::TakeIcon(const QString& file) {
    if (const auto name = TakeIconFile(file, setup_.IconFolder, messages_)) {
        icon_ = *name;
        ShowIcon();
    }
}

void TDoBuildMenu::OkButtonClick() {
    BuildMenuForm form;
    form.Nickname = StoredText(nickname_->text());
    form.Options.InTray = tray_->isChecked();
    form.Options.Shows = firstPart_->isChecked() ? MenuShows::FirstPartOfMacro
                         : icons_->isChecked()   ? MenuShows::Icons
                                                 : MenuShows::NicknameAndScope;
    form.Options.IconSizeIndex = std::max(0, iconSize_->currentIndex());
    form.Icon = icon_;
    const double now = setup_.Now ? setup_.Now() : NowAsDays();
    ApplyBuildMenu(form, build_.MemberNumbers(), setup_.NewMenu, now, record_);
    saved_ = true;
    accept();
}

bool PopupMenuBuilder::Edit(MacroRecord& record, const MacroEditRequest& request, QWidget* parent) {
    if (services_.Store == nullptr || services_.Messages == nullptr) {
        return false;
    }
    TDoBuildMenu::Setup setup;
    setup.NewMenu = request.NewMacro;
    setup.RecordNumber = request.RecordNumber;
    setup.ActivationText = request.ActivationText;
    if (setup.ActivationText.isEmpty()) {
        setup.ActivationText = Latin(HotKeyName(record.HotKey).value_or(""));
    }
    setup.IconFolder = services_.IconFolder;
    setup.ShowHelp = services_.ShowHelp;
    TDoBuildMenu builder(*services_.Store, record, std::move(setup), *services_.Messages, parent);
    if (builder.exec() != QDialog::Accepted || !builder.Saved()) {
        return false;
    }
    record = builder.Record();
    return true;
}

} // namespace orvane
