// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/MacroGridDelegate.h"

#include "widgets/CellText.h"
#include "widgets/MacroGridModel.h"

#include <QPainter>

namespace orvane {

QColor MacroGridDelegate::GreyText(const QPalette& palette) {
    // Halfway between the text and the background: grey on any theme, light or dark.
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    return QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                  (text.blue() + base.blue()) / 2);
}

MacroGridDelegate::Look MacroGridDelegate::LookOf(const QStyleOptionViewItem& option,
                                                  const QModelIndex& index) {
    Look look;
    const bool selected = option.state & QStyle::State_Selected;
    const bool regular = index.column() == 0 || index.data(MacroGridModel::ActiveRole).toBool();
    look.Italic = !regular;
    if (!regular && !selected) {
        look.Color = GreyText(option.palette);
    } else {
        // A selected inactive row keeps its italics but takes the highlight text colour: grey on
        // the highlight colour cannot be read.
        look.Color = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    }
    // A hot key another program holds: its activation stands out in red.
    if (index.column() == 1 && !selected && index.data(MacroGridModel::UnavailableRole).toBool()) {
        look.Color = QColor(Qt::red);
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
