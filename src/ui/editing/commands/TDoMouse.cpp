// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/TDoMouse.h"

#include "platform/WindowSystem.h"
#include "ui/editing/commands/PointPicker.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {
namespace {

// The fifteen actions in the order of the mouse records, as the dialog lists them.
constexpr std::pair<const char*, const char*> Actions[15] = {
    {"MouseMove", "Mouse Mo&ve"},
    {"LeftClick", "&Left Button Click"},
    {"LeftDoubleClick", "L&eft Button Double Click"},
    {"LeftDown", "Le&ft Button Down"},
    {"LeftUp", "Lef&t Button Up"},
    {"RightClick", "&Right Button Click"},
    {"RightDoubleClick", "R&ight Button Double Click"},
    {"RightDown", "Ri&ght Button Down"},
    {"RightUp", "Right Button &Up"},
    {"MiddleClick", "&Middle Button Click"},
    {"MiddleDoubleClick", "Mi&ddle Button Double Click"},
    {"MiddleDown", "Middle Button Down"},
    {"MiddleUp", "Middle Button Up"},
    {"WheelForward", "Mouse &Wheel Forward"},
    {"WheelBackward", "Mouse Wheel &Backward"},
};

} // namespace

TDoMouse::TDoMouse(const CommandDialogServices& services, const MouseForm& form, QWidget* parent)
    : CommandDialog(services, QStringLiteral("Mouse Commands"), parent),
      picker_(&PointPicker::Pick) {
    auto* layout = new QHBoxLayout;
    auto* actions = new QGroupBox(QStringLiteral("Action"), this);
    auto* grid = new QGridLayout(actions);
    action_ = new QButtonGroup(this);
    for (int i = 0; i < 15; ++i) {
        QRadioButton* radio =
            Radio(action_, i + 1, Actions[i].first, QString::fromLatin1(Actions[i].second));
        // Buttons in columns: left, right, middle; the move and the wheel below.
        if (i == 0) {
            grid->addWidget(radio, 4, 0);
        } else if (i <= 12) {
            grid->addWidget(radio, (i - 1) % 4, (i - 1) / 4);
        } else {
            grid->addWidget(radio, 4, i - 12);
        }
    }
    layout->addWidget(actions);

    auto* side = new QVBoxLayout;
    auto* movement = new QGroupBox(QStringLiteral("Movement"), this);
    auto* moveLayout = new QVBoxLayout(movement);
    relative_ = new QButtonGroup(this);
    moveLayout->addWidget(Radio(relative_, 0, "ToScreen", QStringLiteral("Relative To &Screen")));
    moveLayout->addWidget(Radio(relative_, 1, "ToWindows", QStringLiteral("Relative To Wi&ndow")));
    x_ = Edit("XPos", 5, QStringLiteral("X Position"));
    y_ = Edit("YPos", 5, QStringLiteral("Y Position"));
    auto* place = new QFormLayout;
    place->addRow(Label(QStringLiteral("&X"), x_), x_);
    place->addRow(Label(QStringLiteral("&Y"), y_), y_);
    moveLayout->addLayout(place);
    pick_ = new QPushButton(QStringLiteral("&Pick"), this);
    pick_->setObjectName(QStringLiteral("PickButton"));
    pick_->setAutoDefault(false);
    pick_->setToolTip(QStringLiteral("Hide this dialog and click the place on the screen"));
    connect(pick_, &QPushButton::clicked, this, &TDoMouse::PickClick);
    moveLayout->addWidget(pick_);
    side->addWidget(movement);
    auto* wheel = new QGroupBox(QStringLiteral("Wheel"), this);
    auto* wheelLayout = new QFormLayout(wheel);
    clicks_ = Edit("NumClicks", 3, QStringLiteral("Wheel Clicks"));
    wheelLayout->addRow(Label(QStringLiteral("Wheel Clic&ks"), clicks_), clicks_);
    side->addWidget(wheel);
    side->addStretch(1);
    layout->addLayout(side);

    CheckButton(action_, form.Action);
    CheckButton(relative_, form.Window ? 1 : 0);
    x_->setText(BoxText(form.X));
    y_->setText(BoxText(form.Y));
    clicks_->setText(BoxText(form.Clicks));
    connect(action_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            Enable();
        }
    });
    Enable();
    Finish(layout, "Mouse Commands");
}

void TDoMouse::Enable() {
    const int action = action_->checkedId();
    for (QAbstractButton* button : relative_->buttons()) {
        button->setEnabled(action == 1);
    }
    x_->setEnabled(action == 1);
    y_->setEnabled(action == 1);
    pick_->setEnabled(action == 1);
    clicks_->setEnabled(action >= 14);
}

void TDoMouse::PickClick() {
    // Every window of the program steps aside, so the user sees what the macro will click.
    WindowsAside aside;
    const std::optional<QPoint> point = picker_();
    aside.Restore();
    raise();
    activateWindow();
    if (!point) {
        return;
    }
    QPoint shown = *point;
    if (relative_->checkedId() == 1) {
        std::optional<WindowRect> under;
        if (WindowSystem* windows = Services().Windows) {
            const int own = static_cast<int>(QCoreApplication::applicationPid());
            for (const WindowId window : windows->TopLevelWindows()) {
                const std::optional<WindowRect> rect = windows->FrameRect(window);
                if (rect && rect->Width > 0 && !windows->IsMinimized(window) &&
                    windows->ProcessOf(window) != own && point->x() >= rect->Left &&
                    point->x() < rect->Left + rect->Width && point->y() >= rect->Top &&
                    point->y() < rect->Top + rect->Height) {
                    under = rect;
                    break;
                }
            }
        }
        if (under) {
            shown -= QPoint(under->Left, under->Top);
        } else {
            CheckButton(relative_, 0);
        }
    }
    x_->setText(QString::number(std::max(0, shown.x())));
    y_->setText(QString::number(std::max(0, shown.y())));
    pick_->setFocus();
}

MouseForm TDoMouse::Form() const {
    return MouseForm{action_->checkedId(), relative_->checkedId() == 1, FormText(x_), FormText(y_),
                     FormText(clicks_)};
}

} // namespace orvane
