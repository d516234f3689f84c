// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/MacroGridDelegate.h"

#include "widgets/CellText.h"
#include "widgets/MacroGridModel.h"

#include <QPainter>

namespace orvane {

MacroGridDelegate::Look MacroGridDelegate::LookOf(const QStyleOptionViewItem& option,
                                                  const QModelIndex& index) {
    Look look;
    const bool selected = option.state & QStyle::State_Selected;
    const bool regular = index.column() == 0 || index.data(MacroGridModel::ActiveRole).toBool();
    look.Italic = !regular;
    if (!regular) {
        look.Color = option.palette.color(QPalette::Disabled, QPalette::Text);
    } else {
        look.Color = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    }
    QFont font = option.font;
    font.setItalic(look.Italic);
    look.Text = FitCellText(index.data(Qt::DisplayRole).toString(), QFontMetrics(font),
                            option.rect.width() - CellTextMargin);
    return look;
}

void MacroGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect,
                      option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    const Look look = LookOf(option, index);
    QFont font = option.font;
    font.setItalic(look.Italic);
    painter->setFont(font);
    painter->setPen(look.Color);
    const QRect textRect = option.rect.adjusted(CellTextMargin, 0, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, look.Text);
    painter->restore();
}

} // namespace orvane
