// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/MacroChooserList.h"

#include "ui/QtText.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace orvane {

MacroChooserList::MacroChooserList(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(3);
    setHeaderLabels(
        {QStringLiteral("Activation"), QStringLiteral("Nickname"), QStringLiteral("Scope")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::MultiSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    setMinimumSize(520, 260);
}

void MacroChooserList::SetLines(const std::vector<ChooserLine>& lines) {
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const ChooserLine& line : lines) {
        items.append(new QTreeWidgetItem(QStringList{
            FieldText(line.Activation), FieldText(line.Nickname), FieldText(line.Scope)}));
    }
    addTopLevelItems(items);
    if (!items.isEmpty()) {
        setCurrentItem(items.first(), 0, QItemSelectionModel::NoUpdate);
    }
}

std::vector<bool> MacroChooserList::Chosen() const {
    std::vector<bool> chosen(static_cast<std::size_t>(topLevelItemCount()));
    for (int k = 0; k < topLevelItemCount(); ++k) {
        chosen[static_cast<std::size_t>(k)] = topLevelItem(k)->isSelected();
    }
    return chosen;
}

void MacroChooserList::SetChosen(const std::vector<bool>& chosen) {
    for (int k = 0; k < topLevelItemCount(); ++k) {
        const auto at = static_cast<std::size_t>(k);
        topLevelItem(k)->setSelected(at < chosen.size() && chosen[at]);
    }
}

void MacroChooserList::ChooseAll() {
    selectAll();
}

void MacroChooserList::ClearChoice() {
    clearSelection();
}

void MacroChooserList::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    FitColumns();
}

void MacroChooserList::FitColumns() {
    const int width = viewport()->width();
    setColumnWidth(0, width * 2 / 7);
    setColumnWidth(1, width * 3 / 7);
}

ChooserPanel AddChooserPanel(QDialog& window, QVBoxLayout& layout, const QString& caption,
                             const QString& listName, QPushButton* confirm) {
    ChooserPanel panel;
    auto* listLabel = new QLabel(caption);
    panel.List = new MacroChooserList;
    panel.List->setObjectName(listName);
    panel.List->setAccessibleName(QString(caption).remove(QLatin1Char('&')).chopped(1));
    listLabel->setBuddy(panel.List);
    layout.addWidget(listLabel);
    layout.addWidget(panel.List, 1);

    auto* buttons = new QHBoxLayout;
    panel.SelectAll = new QPushButton(QStringLiteral("Select &All"));
    panel.SelectAll->setObjectName(QStringLiteral("SelectAllButton"));
    panel.Clear = new QPushButton(QStringLiteral("C&lear"));
    panel.Clear->setObjectName(QStringLiteral("ClearButton"));
    panel.Cancel = new QPushButton(QStringLiteral("&Cancel"));
    panel.Cancel->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton* button : {panel.SelectAll, panel.Clear, panel.Cancel}) {
        button->setAutoDefault(false);
    }
    confirm->setDefault(true);
    buttons->addWidget(panel.SelectAll);
    buttons->addWidget(panel.Clear);
    buttons->addStretch(1);
    buttons->addWidget(confirm);
    buttons->addWidget(panel.Cancel);
    layout.addLayout(buttons);

    QObject::connect(panel.SelectAll, &QPushButton::clicked, panel.List,
                     &MacroChooserList::ChooseAll);
    QObject::connect(panel.Clear, &QPushButton::clicked, panel.List,
                     &MacroChooserList::ClearChoice);
    QObject::connect(panel.Cancel, &QPushButton::clicked, &window, &QDialog::reject);
    return panel;
}

} // namespace orvane
