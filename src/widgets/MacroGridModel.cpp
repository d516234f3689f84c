// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/MacroGridModel.h"

#include "core/CodePage.h"
#include "core/HotKeyTable.h"

#include <algorithm>

namespace orvane {
namespace {

QString FromStored(const std::string& bytes) {
    return QString::fromStdString(Windows1252ToUtf8(bytes));
}

} // namespace

MacroGridModel::MacroGridModel(QObject* parent) : QAbstractTableModel(parent) {
    for (const HotKeyEntry& entry : HotKeyTable()) {
        hotKeyNames_.push_back(entry.Name);
    }
}

void MacroGridModel::SetMacros(std::vector<ListMacro> macros, const ListSortOrder& order) {
    beginResetModel();
    macros_ = std::move(macros);
    order_ = order;
    list_.Fill(macros_, order_, hotKeyNames_);
    endResetModel();
}

void MacroGridModel::SetSortOrder(const ListSortOrder& order) {
    beginResetModel();
    order_ = order;
    list_.Fill(macros_, order_, hotKeyNames_);
    endResetModel();
}

void MacroGridModel::SetUnavailable(std::vector<std::uint16_t> codes) {
    if (codes == unavailable_) {
        return;
    }
    unavailable_ = std::move(codes);
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

const ListMacro* MacroGridModel::MacroOfRow(int row) const {
    const int record = list_.RecordAt(row + 1);
    if (record < 1 || record > static_cast<int>(macros_.size())) {
        return nullptr;
    }
    return &macros_[static_cast<std::size_t>(record - 1)];
}

std::string MacroGridModel::ActivationOfRow(int row) const {
    const ListMacro* macro = MacroOfRow(row);
    return macro ? ActivationText(*macro, hotKeyNames_) : std::string();
}

int MacroGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.Count();
}

int MacroGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant MacroGridModel::data(const QModelIndex& index, int role) const {
    const ListMacro* macro = index.isValid() ? MacroOfRow(index.row()) : nullptr;
    if (!macro) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case 0:
            return QString::number(index.row() + 1);
        case 1:
            return FromStored(ActivationText(*macro, hotKeyNames_));
        case 2:
            return FromStored(macro->Nickname);
        case 3:
            return FromStored(ScopeText(*macro));
        default:
            return {};
        }
    case ActiveRole:
        return macro->Active;
    case RecordRole:
        return list_.RecordAt(index.row() + 1);
    case UnavailableRole:
        return std::find(unavailable_.begin(), unavailable_.end(), macro->HotKey) !=
               unavailable_.end();
    case Qt::ToolTipRole:
        if (std::find(unavailable_.begin(), unavailable_.end(), macro->HotKey) !=
            unavailable_.end()) {
            return QString::fromLatin1(UnavailableTip);
        }
        return {};
    default:
        return {};
    }
}

QVariant MacroGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case 1:
        return QStringLiteral("Activation");
    case 2:
        return QStringLiteral("Nickname");
    case 3:
        return QStringLiteral("Scope");
    default:
        return QString();
    }
}

} // namespace orvane
