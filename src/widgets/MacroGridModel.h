// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/MacroList.h"

#include <QAbstractTableModel>
#include <span>
#include <string_view>
#include <vector>

namespace orvane {

// The rows of the macro grid: column 0 the row number, then "Activation", "Nickname" and
// "Scope", in the order of the list's sort. Texts arrive as Windows-1252 and leave as Unicode.
class MacroGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Role of a body cell: true when the macro of the row is active.
    static constexpr int ActiveRole = Qt::UserRole + 1;
    // Role of a body cell: the record number shown in the row.
    static constexpr int RecordRole = Qt::UserRole + 2;
    // Role of a body cell: true when another program holds the row's hot key, so it cannot
    // start the macro.
    static constexpr int UnavailableRole = Qt::UserRole + 3;
    static constexpr const char* UnavailableTip =
        "Another program holds this hot key: it cannot start the macro.";

    explicit MacroGridModel(QObject* parent = nullptr);

    // Rebuilds the rows (record i is macros[i - 1]) and sorts them.
    void SetMacros(std::vector<ListMacro> macros, const ListSortOrder& order);
    // Sorts again with a new order; the macros stay.
    void SetSortOrder(const ListSortOrder& order);
    // The hot key codes another program holds: their rows are marked.
    void SetUnavailable(std::vector<std::uint16_t> codes);

    const MacroList& List() const { return list_; }
    // The activation text of a grid row (0-based), as column 1 shows it, in Windows-1252.
    std::string ActivationOfRow(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ListMacro* MacroOfRow(int row) const;

    std::vector<ListMacro> macros_;
    ListSortOrder order_;
    MacroList list_;
    std::vector<std::string_view> hotKeyNames_;
    std::vector<std::uint16_t> unavailable_;
};

} // namespace orvane
