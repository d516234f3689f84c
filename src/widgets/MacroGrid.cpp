// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/MacroGrid.h"

#include "core/CodePage.h"
#include "widgets/CellText.h"
#include "widgets/MacroGridDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

namespace orvane {
namespace {

// The text whose height sets the row heights: capitals, ascenders and descenders.
const QString RowHeightSample = QStringLiteral("ZZYyjkla");

IncrementalSearch::Key SearchKeyOf(const QKeyEvent& event) {
    using Key = IncrementalSearch::Key;
    switch (event.key()) {
    case Qt::Key_Backspace:
        return Key::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Key::Tab;
    case Qt::Key_Return:
        return Key::Enter;
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Control:
        return Key::Control;
    case Qt::Key_Alt:
        return Key::Alt;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return Key::Navigation;
    default:
        break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return Key::Other; // shortcuts are not typing
    }
    const QString text = event.text();
    if (text == QStringLiteral("\n")) {
        return Key::LineFeed;
    }
    if (text.size() == 1 && text[0].isPrint()) {
        return Key::Character;
    }
    return Key::Other;
}

} // namespace

MacroGrid::MacroGrid(QWidget* parent) : QTableView(parent) {
    setModel(&model_);
    setItemDelegate(new MacroGridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int newSize) {
                if (!settingWidths_ && section >= 1 && section <= 3) {
                    emit ColumnWidthChanged(section, newSize);
                }
            });
    SetFonts(font(), font(), palette().color(QPalette::ButtonText));
    SetColumnWidths({112, 168, 132});
}

void MacroGrid::SetFonts(const QFont& body, const QFont& header, const QColor& headerColor) {
    bodyFont_ = body;
    setFont(body);
    horizontalHeader()->setFont(header);
    QPalette headerPalette = horizontalHeader()->palette();
    headerPalette.setColor(QPalette::ButtonText, headerColor);
    horizontalHeader()->setPalette(headerPalette);
    settingWidths_ = true;
    setColumnWidth(0, QFontMetrics(body).horizontalAdvance(QStringLiteral("9999")) +
                          2 * CellTextMargin);
    settingWidths_ = false;
    ApplyRowHeights();
}

void MacroGrid::SetColumnWidths(const std::array<int, 3>& widths) {
    settingWidths_ = true;
    for (int column = 1; column <= 3; ++column) {
        setColumnWidth(column, std::max(1, widths[static_cast<std::size_t>(column - 1)]));
    }
    settingWidths_ = false;
}

int MacroGrid::BodyRowHeight() const {
    return static_cast<int>(
        std::lround(1.1 * QFontMetrics(bodyFont_).boundingRect(RowHeightSample).height()));
}

int MacroGrid::HeaderRowHeight() const {
    return QFontMetrics(horizontalHeader()->font()).boundingRect(RowHeightSample).height();
}

void MacroGrid::ApplyRowHeights() {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(BodyRowHeight());
    // The style adds its own frame around header text; the height is at least the text's.
    horizontalHeader()->setFixedHeight(
        std::max(HeaderRowHeight() + 6, horizontalHeader()->sizeHint().height()));
}

int MacroGrid::SelectedRecord() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isRowSelected(current.row(), QModelIndex())) {
        return 0;
    }
    return model_.List().RecordAt(current.row() + 1);
}

bool MacroGrid::SelectRecord(int record) {
    const int row = model_.List().ReverseSort(record);
    if (row < 1) {
        return false;
    }
    SelectRow(row);
    return true;
}

QStringList MacroGrid::CurrentRowTexts() const {
    const QModelIndex current = currentIndex();
    QStringList texts;
    if (current.isValid()) {
        for (int column = 1; column < model_.columnCount(); ++column) {
            texts << model_.index(current.row(), column).data().toString();
        }
    }
    return texts;
}

bool MacroGrid::SelectRowShowing(const QStringList& texts) {
    if (texts.isEmpty()) {
        return false;
    }
    for (int row = 0; row < model_.rowCount(); ++row) {
        bool same = true;
        for (int column = 1; same && column < model_.columnCount(); ++column) {
            same = model_.index(row, column).data().toString() == texts[column - 1];
        }
        if (same) {
            SelectRow(row + 1);
            return true;
        }
    }
    return false;
}

void MacroGrid::SelectRow(int row) {
    if (row < 1 || row > model_.rowCount()) {
        return;
    }
    const QModelIndex index = model_.index(row - 1, 1);
    setCurrentIndex(index);
    selectRow(row - 1);
    scrollTo(index);
}

void MacroGrid::keyPressEvent(QKeyEvent* event) {
    using Effect = IncrementalSearch::Effect;
    switch (search_.Press(
        SearchKeyOf(*event),
        event->text().isEmpty() ? '\0' : Utf8ToWindows1252(event->text().toStdString()).front())) {
    case Effect::Search: {
        const int row = search_.FindRow(model_.rowCount(),
                                        [this](int r) { return model_.ActivationOfRow(r - 1); });
        if (row > 0) {
            SelectRow(row);
        }
        event->accept();
        return;
    }
    case Effect::Swallow:
        event->accept();
        return;
    case Effect::PassOn:
    case Effect::Ignore:
        break;
    }
    QTableView::keyPressEvent(event);
}

void MacroGrid::mousePressEvent(QMouseEvent* event) {
    pressedRow_ = rowAt(event->position().toPoint().y());
    if (event->button() == Qt::RightButton) {
        event->accept();
        return; // the right button shows information; it does not move the selection
    }
    QTableView::mousePressEvent(event);
}

void MacroGrid::mouseReleaseEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint().y());
    if (row >= 0 && row == pressedRow_) {
        if (event->button() == Qt::RightButton) {
            emit RowRightClicked(row + 1);
        } else if (event->button() == Qt::LeftButton) {
            emit RowClicked(row + 1);
        }
    }
    pressedRow_ = -1;
    if (event->button() != Qt::RightButton) {
        QTableView::mouseReleaseEvent(event);
    }
}

void MacroGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint().y());
    QTableView::mouseDoubleClickEvent(event);
    if (row >= 0 && event->button() == Qt::LeftButton) {
        emit RowDoubleClicked(row + 1);
    }
}

bool MacroGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport() &&
        (event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonRelease)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            const int section = horizontalHeader()->logicalIndexAt(mouse->position().toPoint());
            if (event->type() == QEvent::MouseButtonPress) {
                pressedHeader_ = section;
            } else {
                if (section >= 1 && section <= 3 && section == pressedHeader_) {
                    emit HeaderRightClicked(section);
                }
                pressedHeader_ = -1;
            }
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace orvane
