// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/KeyPanel.h"

#include "editing/commands/KeystrokeText.h"
#include "ui/QtText.h"
#include "ui/editing/commands/SymbolDialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcutEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace orvane {

KeyPanel::KeyPanel(const CommandDialogServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The named keys in four columns, the function keys in two rows below them.
    int named = 0;
    int function = 0;
    for (const KeyButton& key : KeyButtons) {
        auto* button = new QPushButton(Latin(key.Caption), this);
        button->setObjectName(Latin(key.Name));
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(this);
        const std::string tag(key.Tag);
        connect(button, &QPushButton::clicked, this, [this, tag] { emit Insert(tag); });
        if (key.Caption.starts_with('F') && key.Caption.size() <= 3) {
            layout->addWidget(button, 5 + function / 6, function % 6);
            ++function;
        } else {
            layout->addWidget(button, named / 6, named % 6);
            ++named;
        }
    }
    auto* side = new QVBoxLayout;
    misc_ = new QListWidget(this);
    misc_->setObjectName(QStringLiteral("MiscBox"));
    misc_->setAccessibleName(QStringLiteral("Miscellaneous keys"));
    for (const KeyButton& key : MiscellaneousKeys) {
        misc_->addItem(Latin(key.Caption));
    }
    misc_->setCurrentRow(0);
    misc_->setMaximumHeight(misc_->fontMetrics().height() * 6);
    int widest = 0;
    for (const KeyButton& key : MiscellaneousKeys) {
        widest = std::max(widest, misc_->fontMetrics().horizontalAdvance(Latin(key.Caption)));
    }
    misc_->setMinimumWidth(widest + misc_->fontMetrics().averageCharWidth() * 5);
    misc_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(misc_, &QListWidget::itemActivated, this, &KeyPanel::OkButtonClick);
    auto* label = new QLabel(QStringLiteral("Miscell&aneous"), this);
    label->setBuddy(misc_);
    miscLabel_ = label;
    // "ok" alone beside the text's "Update" reads as closing the dialog: the second line says
    // that it inserts the chosen key.
    auto* ok = new QPushButton(QStringLiteral("ok\ninsert key"), this);
    ok->setObjectName(QStringLiteral("MiscOk"));
    ok->setToolTip(QStringLiteral("Insert the key chosen in the Miscellaneous list"));
    ok->setAccessibleName(QStringLiteral("Insert the miscellaneous key"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &KeyPanel::OkButtonClick);
    auto* symbols = new QPushButton(QStringLiteral("Symbols"), this);
    symbols->setObjectName(QStringLiteral("Symbols"));
    symbols->setAutoDefault(false);
    connect(symbols, &QPushButton::clicked, this, &KeyPanel::SymbolsClick);
    side->addWidget(label);
    side->addWidget(misc_);
    side->addWidget(ok);
    side->addWidget(symbols);
    layout->addLayout(side, 0, 6, 7, 1);
}

bool KeyPanel::eventFilter(QObject* watched, QEvent* event) {
    // A mnemonic inserts at once, not after the pressed look Qt shows for a moment, so keys
    // typed quickly after it land after its tag.
    if (event->type() == QEvent::Shortcut) {
        auto* pressed = qobject_cast<QPushButton*>(watched);
        if (pressed != nullptr && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            pressed->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void KeyPanel::AddMenus(QMenuBar* bar) {
    QMenu* keys = bar->addMenu(QStringLiteral("&Keys"));
    QMenu* functionKeys = bar->addMenu(QStringLiteral("FKe&ys"));
    for (const KeyButton& key : KeyButtons) {
        const bool function = key.Caption.starts_with('F') && key.Caption.size() <= 3;
        const std::string tag(key.Tag);
        connect((function ? functionKeys : keys)->addAction(Latin(key.Caption)),
                &QAction::triggered, this, [this, tag] { emit Insert(tag); });
    }
    connect(keys->addAction(QStringLiteral("S&ymbols...")), &QAction::triggered, this,
            &KeyPanel::SymbolsClick);
}

QPushButton* KeyPanel::Button(std::string_view name) const {
    return findChild<QPushButton*>(Latin(name));
}

void KeyPanel::SymbolsClick() {
    TDoSpecial symbols(services_, window());
    if (symbols.exec() == QDialog::Accepted && !symbols.ResultTag().empty()) {
        emit Insert(symbols.ResultTag());
    }
}

void KeyPanel::OkButtonClick() {
    const int row = misc_->currentRow();
    if (row >= 0 && row < static_cast<int>(MiscellaneousKeys.size())) {
        emit Insert(std::string(MiscellaneousKeys[static_cast<std::size_t>(row)].Tag));
    }
}

} // namespace orvane
