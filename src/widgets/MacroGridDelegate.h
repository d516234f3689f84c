// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace orvane {

// Draws one body cell of the macro grid: the cell filled, the text 2 pixels from the left edge,
// cut to fit; regular style for active macros and the row-number column, grey italics for the
// macro columns of an inactive macro; the highlight colours when selected (an inactive row keeps
// its italics there).
class MacroGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // What a cell is drawn with, apart from the fill; the grid's tests read it.
    struct Look {
        QString Text; // after the cut
        bool Italic = false;
        QColor Color;
    };
    static Look LookOf(const QStyleOptionViewItem& option, const QModelIndex& index);
    // The colour of inactive macros' texts.
    static QColor GreyText(const QPalette& palette);
};

} // namespace orvane
