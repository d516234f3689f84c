// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/SortOrderDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {
namespace {

template <std::size_t N>
QString CaptionOf(const std::array<std::string_view, N>& captions, int item) {
    const std::string_view caption = captions[static_cast<std::size_t>(item - 1)];
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
}

} // namespace

SortOrderDialog::SortOrderDialog(const SortOrderForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setWindowTitle(QStringLiteral("Sort Order"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    const QString titles[3] = {QStringLiteral("Primary Order"), QStringLiteral("Activation"),
                               QStringLiteral("Scope")};
    for (int list = 0; list < 3; ++list) {
        auto* box = new QGroupBox(titles[list]);
        auto* grid = new QGridLayout(box);
        lists_[list] = new QListWidget;
        lists_[list]->setObjectName(QStringLiteral("sortList%1").arg(list));
        lists_[list]->setMinimumWidth(130);
        auto* up = new QPushButton(QStringLiteral("&Up"));
        auto* down = new QPushButton(QStringLiteral("&Down"));
        up->setAutoDefault(false);
        down->setAutoDefault(false);
        connect(up, &QPushButton::clicked, this, [this, list] { MoveSelected(list, true); });
        connect(down, &QPushButton::clicked, this, [this, list] { MoveSelected(list, false); });
        grid->addWidget(lists_[list], 0, 0, 1, 2);
        grid->addWidget(up, 1, 0);
        grid->addWidget(down, 1, 1);
        row->addWidget(box);
        Refill(list, 0);
    }
    layout->addLayout(row);
    sortHeader_ = new QCheckBox(QStringLiteral("Enable right clicking on column headers"));
    sortHeader_->setChecked(form_.SortHeader);
    connect(sortHeader_, &QCheckBox::toggled, this, [this](bool on) { form_.SortHeader = on; });
    layout->addWidget(sortHeader_);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::vector<int>& SortOrderDialog::Items(int list) {
    return list == 0 ? form_.Primary : (list == 1 ? form_.Activation : form_.Scope);
}

void SortOrderDialog::Refill(int list, int selected) {
    QListWidget* widget = lists_[list];
    widget->clear();
    for (const int item : Items(list)) {
        widget->addItem(list == 0   ? CaptionOf(PrimarySortCaptions, item)
                        : list == 1 ? CaptionOf(ActivationSortCaptions, item)
                                    : CaptionOf(ScopeSortCaptions, item));
    }
    widget->setCurrentRow(selected);
}

void SortOrderDialog::MoveSelected(int list, bool up) {
    const int index = lists_[list]->currentRow();
    if (MoveSortItem(Items(list), index, up)) {
        Refill(list, up ? index - 1 : index + 1);
    }
}

} // namespace orvane
