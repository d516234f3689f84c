// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/TDoAMenu.h"

#include "ui/QtText.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <algorithm>
#include <utility>

namespace orvane {
namespace {

constexpr int LabelRole = Qt::UserRole;
constexpr int NameRole = Qt::UserRole + 1;
constexpr int ScopeRole = Qt::UserRole + 2;
constexpr int TextRole = Qt::UserRole + 3;
constexpr int ListTop = 18;
constexpr int CancelWidth = 64;
constexpr int CancelHeight = 22;

// Cuts a trailing character at a time until the text fits.
QString Fitted(QString text, const QFontMetrics& metrics, int width) {
    while (!text.isEmpty() && metrics.horizontalAdvance(text) > width) {
        text.chop(1);
    }
    return text;
}

// One menu line: a grey cell with the item's key, then the name and the scope, or the
// beginning of the script, with grey lines between the columns.
class MenuLineDelegate : public QStyledItemDelegate {
public:
    MenuLineDelegate(MenuShows shows, QObject* parent)
        : QStyledItemDelegate(parent), shows_(shows) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const QRect line = option.rect;
        const int cell = line.width() / 7;
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const QPalette& palette = option.palette;
        painter->fillRect(line, selected ? palette.highlight() : palette.base());
        const QRect labelCell(line.left(), line.top(), cell, line.height());
        painter->fillRect(labelCell, QColor(192, 192, 192));
        painter->setPen(Qt::black);
        painter->drawText(labelCell, Qt::AlignCenter, index.data(LabelRole).toString());
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        const QFontMetrics metrics(option.font);
        const int textLeft = labelCell.right() + 4;
        if (shows_ == MenuShows::FirstPartOfMacro) {
            const QRect textCell(textLeft, line.top(), line.right() - textLeft, line.height());
            painter->drawText(textCell, Qt::AlignVCenter | Qt::AlignLeft,
                              Fitted(index.data(TextRole).toString(), metrics, textCell.width()));
        } else {
            const int nameWidth = cell * 9 / 2;
            const QRect nameCell(textLeft, line.top(), nameWidth - 6, line.height());
            painter->drawText(nameCell, Qt::AlignVCenter | Qt::AlignLeft,
                              Fitted(index.data(NameRole).toString(), metrics, nameCell.width()));
            const int scopeLeft = labelCell.right() + nameWidth;
            const QRect scopeCell(scopeLeft + 4, line.top(), line.right() - scopeLeft - 4,
                                  line.height());
            painter->drawText(scopeCell, Qt::AlignVCenter | Qt::AlignLeft,
                              Fitted(index.data(ScopeRole).toString(), metrics, scopeCell.width()));
            painter->setPen(QColor(160, 160, 160));
            painter->drawLine(scopeLeft, line.top(), scopeLeft, line.bottom());
        }
        painter->setPen(QColor(160, 160, 160));
        painter->drawLine(labelCell.right(), line.top(), labelCell.right(), line.bottom());
        painter->drawLine(line.left(), line.bottom(), line.right(), line.bottom());
        if ((option.state & QStyle::State_HasFocus) != 0) {
            painter->setPen(QPen(palette.text().color(), 1, Qt::DotLine));
            painter->drawRect(line.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), MenuLineHeight};
    }

private:
    MenuShows shows_;
};

// A list with a margin above and below its lines.
class MenuList : public QListWidget {
public:
    explicit MenuList(QWidget* parent) : QListWidget(parent) { setViewportMargins(0, 4, 0, 4); }
};

} // namespace

TDoAMenu::TDoAMenu(ChooseMenu menu, std::vector<QIcon> icons, int trayX, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      menu_(std::move(menu)),
      layout_(LayoutFor(menu_.Options, static_cast<int>(menu_.Items.size()))), trayX_(trayX) {
    setObjectName(QStringLiteral("TDoAMenu"));
    setWindowTitle(Latin(ChooseAMacroCaption));
    setFixedSize(layout_.Width, layout_.Height);
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel_->setObjectName(QStringLiteral("CancelButton"));
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    if (menu_.Options.Shows == MenuShows::Icons) {
        BuildIcons(icons);
    } else {
        BuildLists();
    }
    installEventFilter(this);
    cancel_->installEventFilter(this);
}

void TDoAMenu::BuildIcons(const std::vector<QIcon>& icons) {
    const int side = layout_.ButtonSide;
    const int size = menu_.Options.IconSize();
    for (std::size_t i = 0; i < menu_.Items.size(); ++i) {
        const MenuItem& item = menu_.Items[i];
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("Icon%1").arg(i));
        const int column = static_cast<int>(i) % IconsPerRow;
        const int row = static_cast<int>(i) / IconsPerRow;
        button->setGeometry(column * side, row * side, side, side);
        button->setIconSize(QSize(size, size));
        if (i < icons.size()) {
            button->setIcon(icons[i]);
        }
        button->setToolTip(FieldText(item.Name));
        button->setAccessibleName(FieldText(item.Label + " " + item.Name));
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::StrongFocus);
        connect(button, &QToolButton::clicked, this, [this, i] { Choose(static_cast<int>(i)); });
        button->installEventFilter(this);
        buttons_.push_back(button);
    }
    cancel_->setGeometry(2, layout_.Rows * side, std::min(CancelWidth, layout_.Width - 4),
                         CancelHeight);
    if (!buttons_.empty()) {
        setFocusProxy(buttons_.front());
        for (std::size_t i = 1; i < buttons_.size(); ++i) {
            setTabOrder(buttons_[i - 1], buttons_[i]);
        }
        setTabOrder(buttons_.back(), cancel_);
    }
}

QListWidget* TDoAMenu::MakeList(int first, int last, int x, int height) {
    auto* list = new MenuList(this);
    list->setGeometry(x, ListTop, OneListWidth - 4, height);
    list->setItemDelegate(new MenuLineDelegate(menu_.Options.Shows, list));
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape(QFrame::NoFrame);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = first; i < last; ++i) {
        const MenuItem& item = menu_.Items[static_cast<std::size_t>(i)];
        const QString shown =
            menu_.Options.Shows == MenuShows::FirstPartOfMacro
                ? FieldText(item.Text)
                : FieldText(item.Name) + QStringLiteral(", ") + FieldText(item.Scope);
        auto* line = new QListWidgetItem(FieldText(item.Label) + QLatin1Char(' ') + shown, list);
        line->setData(LabelRole, FieldText(item.Label));
        line->setData(NameRole, FieldText(item.Name));
        line->setData(ScopeRole, FieldText(item.Scope));
        line->setData(TextRole, FieldText(item.Text));
        line->setToolTip(FieldText(item.Name));
    }
    connect(list, &QListWidget::itemDoubleClicked, this,
            [this, list, first](QListWidgetItem* line) {
                // The menu closes once the button is up, as an icon's click does: no half of the
                // click is left to land in another window while the macro plays.
                if (buttonHeld_) {
                    pending_ = first + list->row(line);
                } else {
                    Choose(first + list->row(line));
                }
            });
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    return list;
}

void TDoAMenu::BuildLists() {
    const int count = static_cast<int>(menu_.Items.size());
    left_ = MakeList(0, std::min(count, ItemsPerList), 2, layout_.LeftListHeight);
    left_->setObjectName(QStringLiteral("LeftList"));
    left_->setAccessibleName(QStringLiteral("Macros"));
    if (count > ItemsPerList) {
        right_ = MakeList(ItemsPerList, count, OneListWidth + 2, layout_.RightListHeight);
        right_->setObjectName(QStringLiteral("RightList"));
        right_->setAccessibleName(QStringLiteral("More Macros"));
    }
    // Column headings over each list.
    const int cell = (OneListWidth - 4) / 7;
    for (QListWidget* list : {left_, right_}) {
        if (list == nullptr) {
            continue;
        }
        const int x = list->x() + cell + 4;
        if (menu_.Options.Shows == MenuShows::FirstPartOfMacro) {
            auto* heading = new QLabel(QStringLiteral("Macro Text"), this);
            heading->setGeometry(x, 1, OneListWidth - cell - 8, 16);
        } else {
            auto* name = new QLabel(QStringLiteral("Name"), this);
            name->setGeometry(x, 1, cell * 4, 16);
            auto* scope = new QLabel(QStringLiteral("Scope"), this);
            scope->setGeometry(list->x() + cell + cell * 9 / 2 + 4, 1, cell * 3 / 2, 16);
        }
    }
    const int bottom = ListTop + layout_.LeftListHeight + 2;
    cancel_->setGeometry(2, bottom, CancelWidth, CancelHeight);
    auto* hint = new QLabel(QStringLiteral("Double Click or Press Number or Letter"), this);
    hint->setGeometry(CancelWidth + 6, bottom, OneListWidth - CancelWidth - 8, CancelHeight);
    QFont small = hint->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    hint->setFont(small);
    setFocusProxy(left_);
    if (right_ != nullptr) {
        setTabOrder(left_, right_);
        setTabOrder(right_, cancel_);
    } else {
        setTabOrder(left_, cancel_);
    }
}

void TDoAMenu::Choose(int item) {
    if (item < 0 || item >= static_cast<int>(menu_.Items.size())) {
        return;
    }
    chosen_ = menu_.Items[static_cast<std::size_t>(item)].Macro;
    accept();
}

bool TDoAMenu::KeyPressed(QObject* watched, const QKeyEvent& key) {
    if ((key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
        return false; // mnemonics and shortcuts
    }
    switch (key.key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (watched == cancel_) {
            return false; // presses the button
        }
        if (key.key() != Qt::Key_Space) {
            // Enter takes the line or icon that has the focus.
            if (watched == left_ && left_->currentRow() >= 0) {
                Choose(left_->currentRow());
                return true;
            }
            if (watched == right_ && right_->currentRow() >= 0) {
                Choose(ItemsPerList + right_->currentRow());
                return true;
            }
            const auto button = std::find(buttons_.begin(), buttons_.end(), watched);
            if (button != buttons_.end()) {
                Choose(static_cast<int>(button - buttons_.begin()));
                return true;
            }
        }
        break;
    default:
        break;
    }
    const QString text = key.text();
    if (text.isEmpty()) {
        return false;
    }
    const char32_t typed = text.toUcs4().value(0);
    if (typed == U'\r' || typed == U'\n' || typed == U' ' || typed >= 32) {
        if (const auto item = ItemForKey(typed, static_cast<int>(menu_.Items.size()))) {
            Choose(*item);
        }
        return true;
    }
    return false;
}

bool TDoAMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && KeyPressed(watched, *static_cast<QKeyEvent*>(event))) {
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        buttonHeld_ = true;
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
        buttonHeld_ = false;
        if (pending_) {
            Choose(*std::exchange(pending_, std::nullopt));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDoAMenu::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (shown != nullptr) {
        const QRect area = shown->availableGeometry();
        const QSize outer = frameGeometry().size();
        const int trayX = trayX_ < 0 ? -1 : trayX_ - area.left();
        const MenuPlace place =
            MenuPosition(trayX, outer.width(), outer.height(), area.width(), area.height());
        move(area.left() + place.X, area.top() + place.Y);
    }
    activateWindow();
    emit Shown();
}

} // namespace orvane
