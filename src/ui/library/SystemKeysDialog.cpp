// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/SystemKeysDialog.h"

#include "core/MessageSink.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr std::array<const char*, 4> CommandNames = {
    "&Activate Program", "&Start/Stop Capture", "&Resume Pause",
    "&Display Menu of all Hot Keys associated with top most Window"};
constexpr std::array<const char*, 3> PopupShows = {"&First Part of Macro", "&Icons",
                                                   "&Nickname and Scope"};

} // namespace

SystemKeysDialog::SystemKeysDialog(const SystemKeysForm& form, const KeyFlags& globalKeys,
                                   int focusKind, Services services, QWidget* parent)
    : QDialog(parent), form_(form), globalKeys_(globalKeys), services_(std::move(services)) {
    setWindowTitle(QStringLiteral("System Hot Keys"));
    auto* layout = new QVBoxLayout(this);

    auto* grid = new QGridLayout;
    for (std::size_t kind = 0; kind < fields_.size(); ++kind) {
        auto* label = new QLabel(QString::fromLatin1(CommandNames[kind]));
        auto* hint = new QLabel(QStringLiteral("(Press the Hot Key)"));
        hint->setEnabled(false);
        auto* field = new HotKeyField(services_.Picking);
        field->setObjectName(QStringLiteral("systemKey%1").arg(kind + 1));
        field->setAccessibleName(label->text().remove(QLatin1Char('&')) +
                                 QStringLiteral(" (press the hot key)"));
        field->setMinimumWidth(200);
        field->ShowKey(form.Keys[kind]);
        label->setBuddy(field);
        const int row = static_cast<int>(kind) * 2;
        grid->addWidget(label, row, 0, 1, 2);
        grid->addWidget(field, row + 1, 0);
        grid->addWidget(hint, row + 1, 1);
        connect(field, &HotKeyField::KeyPicked, this,
                [this, kind](std::uint16_t code) { KeyPicked(kind, code); });
        fields_[kind] = field;
    }
    layout->addLayout(grid);

    auto* popup = new QGroupBox(QStringLiteral("What To Show On Popup Menu"));
    auto* popupColumn = new QVBoxLayout(popup);
    for (std::size_t i = 0; i < shows_.size(); ++i) {
        shows_[i] = new QRadioButton(QString::fromLatin1(PopupShows[i]));
        popupColumn->addWidget(shows_[i]);
    }
    PopupChoice(form.PopupShows >= 1 && form.PopupShows <= 3 ? form.PopupShows : 1)
        ->setChecked(true);
    layout->addWidget(popup);

    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setEnabled(static_cast<bool>(services_.Help));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &SystemKeysDialog::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (services_.Help) {
            services_.Help();
        }
    });

    fields_[static_cast<std::size_t>(focusKind >= 1 && focusKind <= 4 ? focusKind - 1 : 0)]
        ->setFocus();
}

void SystemKeysDialog::KeyPicked(std::size_t kind, std::uint16_t code) {
    if (const auto refusal = CheckSystemKeyPick(code, globalKeys_)) {
        fields_[kind]->ShowKey(form_.Keys[kind]);
        services_.Messages->Show("Error", *refusal);
        return;
    }
    form_.Keys[kind] = code;
    fields_[kind]->ShowKey(code);
}

void SystemKeysDialog::OkClick() {
    for (std::size_t i = 0; i < shows_.size(); ++i) {
        if (shows_[i]->isChecked()) {
            form_.PopupShows = static_cast<int>(i) + 1;
        }
    }
    if (const auto refusal = CheckSystemKeys(form_)) {
        services_.Messages->Show("Error", *refusal);
        return;
    }
    accept();
}

} // namespace orvane
