// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/HotKeyList.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace orvane {
namespace {

class TwoColumnDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString line = item.text;
        item.text.clear();
        item.widget->style()->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        const qsizetype open = line.indexOf(QLatin1Char('('));
        const QString name = open < 0 ? line : line.left(open).trimmed();
        const QString use = open < 0 ? QString() : line.mid(open + 1).chopped(1);
        painter->save();
        painter->setPen(item.palette.color(
            (item.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
        const QRect r = item.rect;
        const int useLeft = r.left() + r.width() * 3 / 5;
        painter->drawText(QRect(r.left() + 2, r.top(), useLeft - r.left() - 4, r.height()),
                          Qt::AlignVCenter | Qt::AlignLeft, name);
        painter->drawText(QRect(useLeft, r.top(), r.right() - useLeft, r.height()),
                          Qt::AlignVCenter | Qt::AlignLeft, use);
        painter->restore();
    }
};

} // namespace

HotKeyList::HotKeyList(const KeyUseCounts& uses, QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TwoColumnDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (std::uint16_t code = 0; code < HotKeyCount; ++code) {
        const std::string line = KeyListLine(code, uses[code]);
        addItem(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    }
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(HotKeyCount)) {
            emit KeyChosen(static_cast<std::uint16_t>(row));
        }
    });
}

std::optional<std::uint16_t> HotKeyList::SelectedCode() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(row(selected.front()));
}

void HotKeyList::SelectCode(std::uint16_t code) {
    const QSignalBlocker quiet(this);
    setCurrentRow(code);
    scrollToItem(item(code), QAbstractItemView::PositionAtCenter);
}

} // namespace orvane
