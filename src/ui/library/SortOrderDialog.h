// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/SortOrder.h"

#include <QDialog>

class QCheckBox;
class QListWidget;

namespace orvane {

// "Sort Order": the three orders of the macro list and whether header right-clicks sort. The
// lists and their moves are SortOrderForm's; this window only shows them.
class SortOrderDialog : public QDialog {
    Q_OBJECT
public:
    SortOrderDialog(const SortOrderForm& form, QWidget* parent = nullptr);

    // The lists as the user left them.
    SortOrderForm Form() const { return form_; }

    QListWidget* PrimaryList() const { return lists_[0]; }
    QListWidget* ActivationList() const { return lists_[1]; }
    QListWidget* ScopeList() const { return lists_[2]; }
    QCheckBox* SortHeaderBox() const { return sortHeader_; }
    // Moves the selected item of list 0..2 one place up or down.
    void MoveSelected(int list, bool up);

private:
    std::vector<int>& Items(int list);
    void Refill(int list, int selected);

    SortOrderForm form_;
    QListWidget* lists_[3] = {};
    QCheckBox* sortHeader_ = nullptr;
};

} // namespace orvane
