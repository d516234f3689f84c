// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/IncrementalSearch.h"
#include "widgets/MacroGridModel.h"

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QTableView>
#include <array>

namespace orvane {

// The main window's list of macros: a fixed header row, a row-number column and the three
// macro columns. Inactive macros are drawn in grey italics (their row number stays regular);
// texts too wide for their cell are cut at the last whole character, without an ellipsis.
class MacroGrid : public QTableView {
    Q_OBJECT
public:
    explicit MacroGrid(QWidget* parent = nullptr);

    MacroGridModel& Model() { return model_; }

    // Sets the body and header fonts (and the header's text colour); column 0's width and the
    // row heights follow from them.
    void SetFonts(const QFont& body, const QFont& header, const QColor& headerColor);
    // Widths of columns 1..3 in pixels.
    void SetColumnWidths(const std::array<int, 3>& widths);

    int BodyRowHeight() const;
    int HeaderRowHeight() const;

    // The record in the selected row, or 0 when nothing is selected.
    int SelectedRecord() const;
    // Selects the row showing `record` (ReverseSort); false when no row shows it.
    bool SelectRecord(int record);
    // Selects a grid row, 1-based.
    void SelectRow(int row);
    // The texts of the current row ("Activation", "Nickname", "Scope"), empty when there is
    // none. Record numbers shift when another instance adds or removes macros, so a reload
    // finds the macro the user chose again by what its row shows.
    QStringList CurrentRowTexts() const;
    // Selects the first row showing `texts`; false when no row does.
    bool SelectRowShowing(const QStringList& texts);

    const IncrementalSearch& Search() const { return search_; }

signals:
    // The user resized column 1..3 to `width` pixels.
    void ColumnWidthChanged(int column, int width);
    // Right button pressed and released on the same header cell of column 1..3.
    void HeaderRightClicked(int column);
    // Right button pressed and released on the same body row (1-based).
    void RowRightClicked(int row);
    // Left click on a row (1-based).
    void RowClicked(int row);
    void RowDoubleClicked(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyRowHeights();

    MacroGridModel model_;
    IncrementalSearch search_;
    QFont bodyFont_;
    int pressedRow_ = -1;
    int pressedHeader_ = -1;
    bool settingWidths_ = false;
};

} // namespace orvane
