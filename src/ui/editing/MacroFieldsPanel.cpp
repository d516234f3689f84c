// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/MacroFieldsPanel.h"

#include "core/LocalMoment.h"
#include "core/MessageSink.h"
#include "core/Paths.h"
#include "core/Schedule.h"
#include "ui/MacroIcons.h"
#include "ui/Prompter.h"
#include "ui/QtText.h"
#include "ui/library/SetScheduleDialog.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr const char* MainIcon = "MAIN";

// "&Global" with mnemonics, "Global" without.
QString WithMnemonic(const char* text, bool mnemonics) {
    QString caption = QString::fromLatin1(text);
    if (!mnemonics) {
        caption.remove(QLatin1Char('&'));
    }
    return caption;
}

} // namespace

MacroFieldsPanel::MacroFieldsPanel(MacroRecord& record, Setup setup,
                                   CommandDialogs::ScopeChooser scope, MessageSink& messages,
                                   QWidget* parent)
    : QWidget(parent), record_(record), setup_(std::move(setup)), scope_(std::move(scope)),
      messages_(messages) {
    const bool m = setup_.Mnemonics;
    auto* activation = new QHBoxLayout;
    hotKeyLabel_ = new QLabel(this);
    hotKeyLabel_->setObjectName(QStringLiteral("HotKeyLabel"));
    QFont bold = hotKeyLabel_->font();
    bold.setBold(true);
    hotKeyLabel_->setFont(bold);
    timerLabel_ = new QLabel(this);
    timerLabel_->setObjectName(QStringLiteral("TimerLabel"));
    setSchedule_ = new QPushButton(WithMnemonic("Se&t Schedule", m), this);
    setSchedule_->setObjectName(QStringLiteral("SetSchedule"));
    setSchedule_->setAutoDefault(false);
    connect(setSchedule_, &QPushButton::clicked, this, &MacroFieldsPanel::SetScheduleClick);
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
    nickName_->setAccessibleName(QStringLiteral("Nickname"));
    auto* nickLabel = new QLabel(WithMnemonic("Nic&kname", m), this);
    nickLabel->setBuddy(nickName_);

    mySpeed_ = new QToolButton(this);
    mySpeed_->setObjectName(QStringLiteral("MySpeed"));
    mySpeed_->setIconSize(QSize(16, 16));
    mySpeed_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    mySpeed_->setAccessibleName(QStringLiteral("Icon"));
    mySpeed_->setToolTip(QStringLiteral("Choose the macro's icon; the context menu key or a right "
                                        "click resets it to the program's icon"));
    mySpeed_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mySpeed_, &QToolButton::clicked, this, &MacroFieldsPanel::MySpeedClick);
    connect(mySpeed_, &QToolButton::customContextMenuRequested, this, [this] {
        if (Prompter(this).Ask("", "Reset icon to program default?")) {
            icon_ = MainIcon;
            LoadInIcon();
        }
    });
    auto* iconLabel = new QLabel(QStringLiteral("Icon"), this);
    iconLabel->setBuddy(mySpeed_);

    global_ = new QRadioButton(WithMnemonic("&Global", m), this);
    global_->setObjectName(QStringLiteral("Global"));
    specific_ = new QRadioButton(WithMnemonic("&Window", m), this);
    specific_->setObjectName(QStringLiteral("Specific"));
    progExe_ = new QRadioButton(WithMnemonic("&Program", m), this);
    progExe_->setObjectName(QStringLiteral("ProgExe"));
    for (QRadioButton* button : {global_, specific_, progExe_}) {
        connect(button, &QRadioButton::clicked, this, &MacroFieldsPanel::ScopeClick);
    }
    chooseWinProg_ = new QPushButton(QStringLiteral("Select"), this);
    chooseWinProg_->setObjectName(QStringLiteral("ChooseWinProg"));
    chooseWinProg_->setAutoDefault(false);
    chooseWinProg_->setAccessibleName(QStringLiteral("Select window or program"));
    connect(chooseWinProg_, &QPushButton::clicked, this, &MacroFieldsPanel::ChooseWinProgClick);

    // Two rows, so that every field shows its text at the editor's first size: the activation
    // and the nickname above, the icon and the scope below.
    const int character = nickName_->fontMetrics().averageCharWidth();
    nickName_->setMinimumWidth(character * 24);
    shortKeyName_->setMinimumWidth(character * 12);
    auto* top = new QHBoxLayout;
    top->addLayout(activation);
    top->addSpacing(12);
    top->addWidget(nickLabel);
    top->addWidget(nickName_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(iconLabel);
    bottom->addWidget(mySpeed_);
    bottom->addSpacing(12);
    bottom->addWidget(global_);
    bottom->addWidget(specific_);
    bottom->addWidget(progExe_);
    bottom->addWidget(chooseWinProg_);
    bottom->addStretch(1);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addLayout(top);
    rows->addLayout(bottom);

    Load();
}

QList<QWidget*> MacroFieldsPanel::TabOrder() const {
    return {nickName_, shortKeyName_, setSchedule_, mySpeed_,
            global_,   specific_,     progExe_,     chooseWinProg_};
}

void MacroFieldsPanel::Load() {
    if (setup_.NewMacro) {
        nickName_->clear();
        global_->setChecked(true);
        record_.ScopeTarget.Assign("");
        record_.TopMostOnly = 1;
        DefaultTimer(record_, LocalMoment::Now());
        icon_ = MainIcon;
    } else {
        nickName_->setText(FieldText(record_.Nickname.View()));
        (record_.Scope == ScopeGlobal           ? global_
         : record_.Scope == ScopeSpecificWindow ? specific_
                                                : progExe_)
            ->setChecked(true);
        icon_ = record_.Icon.Str();
    }
    std::error_code missing;
    if (icon_ != MainIcon &&
        !std::filesystem::is_regular_file(setup_.IconFolder / PathFromStored(icon_), missing)) {
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
    timerLabel_->setText(setup_.Kind == ActivationKind::Timed
                             ? QStringLiteral("Timed Macros")
                             : WithMnemonic("Shor&tKey", setup_.Mnemonics));
    setSchedule_->setVisible(setup_.Kind == ActivationKind::Timed);
    shortKeyName_->setVisible(setup_.Kind == ActivationKind::ShortKey);
    if (setup_.Kind == ActivationKind::ShortKey) {
        shortKeyName_->setText(FieldText(record_.ShortKey.View()));
    }
    chooseWinProg_->setEnabled(!global_->isChecked());
}

ScriptEditorForm MacroFieldsPanel::Form() const {
    ScriptEditorForm form;
    form.Kind = setup_.Kind;
    form.IsNew = setup_.NewMacro;
    form.Nickname = StoredText(nickName_->text());
    form.Scope = global_->isChecked() ? 1 : specific_->isChecked() ? 2 : 3;
    form.Icon = icon_;
    form.ShortKeyName = StoredText(shortKeyName_->text());
    return form;
}

QString MacroFieldsPanel::Caption(const QString& title) const {
    const QString target = FieldText(record_.ScopeTarget.View());
    if (progExe_->isChecked()) {
        return QStringLiteral("%1  (Program: %2)").arg(title, target);
    }
    if (specific_->isChecked()) {
        return QStringLiteral("%1  (Window Title: %2)").arg(title, target);
    }
    return QStringLiteral("%1  (GLOBAL)").arg(title);
}

void MacroFieldsPanel::ScopeClick() {
    chooseWinProg_->setEnabled(!global_->isChecked());
    emit ScopeChanged();
}

void MacroFieldsPanel::LoadInIcon() {
    mySpeed_->setIcon(MacroIconFor(icon_, false, setup_.IconFolder));
    mySpeed_->setText(FieldText(icon_));
}

void MacroFieldsPanel::ChooseWinProgClick() {
    const bool program = progExe_->isChecked();
    if (scope_) {
        const std::optional<CommandDialogs::ScopeChoice> choice =
            scope_(program, record_.ScopeTarget.Str(), record_.TopMostOnly != 0, window());
        if (choice && !choice->Name.empty()) {
            record_.ScopeTarget.Assign(std::string_view(choice->Name).substr(0, 30));
            record_.TopMostOnly = choice->TopMost ? 1 : 0;
            emit ScopeChanged();
        }
        return;
    }
    // Without the chooser (a test's editor) the name is typed.
    bool ok = false;
    const QString name =
        QInputDialog::getText(window(), QStringLiteral("Set Title"),
                              program ? QStringLiteral("&Program name (or part of it):")
                                      : QStringLiteral("&Window title (or part of it):"),
                              QLineEdit::Normal, FieldText(record_.ScopeTarget.View()), &ok);
    if (!ok || name.trimmed().isEmpty()) {
        return;
    }
    const std::string stored = StoredText(name.trimmed());
    record_.ScopeTarget.Assign(std::string_view(stored).substr(0, 30));
    emit ScopeChanged();
}

void MacroFieldsPanel::SetScheduleClick() {
    SetScheduleDialog dialog(record_, LocalMoment::Now(), messages_, window());
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

void MacroFieldsPanel::MySpeedClick() {
    // The popup menus' loader: the same checks, and a file no image reader takes is refused.
    if (const auto name = orvane::LoadInIcon(window(), setup_.IconFolder, messages_)) {
        icon_ = *name;
        LoadInIcon();
    }
}

} // namespace orvane
