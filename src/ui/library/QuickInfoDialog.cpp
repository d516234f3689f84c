// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/QuickInfoDialog.h"

#include "ui/QtText.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orvane {
namespace {

QString ModifiedText(const std::optional<LocalDateTime>& modified) {
    QString text = QStringLiteral("Last Modified On ");
    if (modified) {
        const QDateTime at(QDate(modified->Year, modified->Month, modified->Day),
                           QTime(modified->Hour, modified->Minute, modified->Second));
        const QLocale locale = QLocale::system();
        text += locale.toString(at.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                locale.toString(at.time(), QLocale::ShortFormat);
    }
    return text;
}

// A value the keyboard can reach and a screen reader names after its caption.
QLabel* Value(const QString& text, const QString& name) {
    auto* label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
    label->setAccessibleName(name);
    return label;
}

} // namespace

QuickInfoDialog::QuickInfoDialog(const QuickInfo& info, const QIcon& icon, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Quick Info"));
    setObjectName(QStringLiteral("QuickInfoDialog"));
    setProperty("orvaneHelpSection", QStringLiteral("quick-info"));
    auto* layout = new QVBoxLayout(this);
    modified_ = Value(ModifiedText(info.LastModified), QStringLiteral("Last Modified"));
    layout->addWidget(modified_);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](QLabel* caption, QWidget* value) {
        caption->setBuddy(value);
        grid->addWidget(caption, row, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(value, row, 1);
        ++row;
    };
    icon_ = new QLabel;
    icon_->setPixmap(icon.pixmap(32, 32));
    icon_->setAccessibleName(QStringLiteral("Icon"));
    grid->addWidget(new QLabel(QStringLiteral("Icon:")), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(icon_, row++, 1, Qt::AlignLeft);
    const QString activationCaption = Latin(info.ActivationLabel);
    activationLabel_ = new QLabel(activationCaption);
    activation_ = Value(FieldText(info.Activation), activationCaption.chopped(1));
    addRow(activationLabel_, activation_);
    nickname_ = Value(FieldText(info.Nickname), QStringLiteral("NickName"));
    addRow(new QLabel(QStringLiteral("NickName:")), nickname_);
    scope_ = Value(FieldText(info.Scope), QStringLiteral("Scope"));
    addRow(new QLabel(QStringLiteral("Scope:")), scope_);
    active_ = Value(Latin(info.Active), QStringLiteral("Active"));
    addRow(new QLabel(QStringLiteral("Active:")), active_);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    textLabel_ = new QLabel(info.ShowsText ? QStringLiteral("&Macro Text:") : QString());
    // Scripts end their lines as Windows does; the box shows one line break for each.
    text_ = new QPlainTextEdit(
        FieldText(info.MacroText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    text_->setReadOnly(true);
    text_->setTabChangesFocus(true);
    text_->setAccessibleName(QStringLiteral("Macro Text"));
    text_->setMinimumSize(360, 140);
    textLabel_->setBuddy(text_);
    text_->setVisible(info.ShowsText);
    layout->addWidget(textLabel_);
    layout->addWidget(text_, 1);

    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    ok_->setFocus();

    adjustSize();
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

} // namespace orvane
