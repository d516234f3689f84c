// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/HotKeyPanel.h"

#include "core/MessageSink.h"
#include "ui/library/HotKeyList.h"

#include <QLabel>
#include <QVBoxLayout>

namespace orvane {

HotKeyPanel::HotKeyPanel(const KeyUseCounts& uses, KeyPicking picking, const Captions& captions,
                         QWidget* parent)
    : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* press = new QLabel(captions.Press);
    field_ = new HotKeyField(picking);
    field_->setObjectName(QStringLiteral("HotKeyEntry"));
    field_->setAccessibleName(QStringLiteral("Hot key (press the hot key)"));
    press->setBuddy(field_);
    column->addWidget(press);
    column->addWidget(field_);
    auto* heading = new QLabel(captions.Heading);
    list_ = new HotKeyList(uses);
    list_->setObjectName(QStringLiteral("hotKeyList"));
    list_->setAccessibleName(captions.ListName);
    list_->setMinimumSize(380, 240);
    heading->setBuddy(list_);
    column->addWidget(heading);
    column->addWidget(list_, 1);

    connect(field_, &HotKeyField::KeyPicked, this, [this](std::uint16_t code) {
        list_->SelectCode(code);
        emit KeyChosen(code);
    });
    connect(list_, &HotKeyList::KeyChosen, this, [this](std::uint16_t code) {
        field_->ShowKey(code);
        emit KeyChosen(code);
    });
}

HotKeyPanel::Captions HotKeyPanel::PlaceCursorCaptions() {
    return {QStringLiteral("Place cursor in field below and Press the Hot &Key to select"),
            QStringLiteral("Se&lect Hot Key"), QStringLiteral("Select Hot Key")};
}

std::optional<std::uint16_t> HotKeyPanel::SelectedCode() const {
    return list_->SelectedCode();
}

void HotKeyPanel::SelectCode(std::uint16_t code) {
    list_->SelectCode(code);
    field_->ShowKey(code);
}

bool ConfirmChoice(const ChooserCheck& check, MessageSink& messages, HotKeyPanel& keys,
                   QWidget& shortKeyName) {
    if (check.Refusal) {
        messages.Show("Error", *check.Refusal);
        if (check.Field == ChoiceField::ShortKey) {
            shortKeyName.setFocus();
        } else {
            keys.Field()->setFocus();
        }
        return false;
    }
    return !check.Question || messages.Ask("Warning", *check.Question);
}

} // namespace orvane
