// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playback/PromptDialogs.h"

#include "core/MessageSink.h"
#include "playback/PromptRules.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>

namespace orvane {
namespace {

// The prompts' sizes are outer sizes of a dialog frame: three pixels on each side and a caption
// of eighteen above. The window manager draws its own frame around our client area, so the
// client area is what remains inside.
constexpr int FrameWidth = 6;
constexpr int FrameHeight = 24;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Prepare(QDialog* dialog) {
    // A dialog frame: a caption and a close box, no minimise or maximise buttons, which would
    // leave the narrow caption no room for its text.
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint |
                           Qt::WindowStaysOnTopHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    dialog->setFont(font);
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::WindowText, QGuiApplication::palette().color(QPalette::WindowText));
    dialog->setPalette(palette);
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QRect place,
                 Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setAlignment(alignment);
    return label;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, QRect place) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

// Window managers draw the caption in their own font beside their own buttons; the narrow
// prompts would show a caption such as "Macro Repeat" cut to "Mac... eat". Such a dialog is
// made wide enough for its caption, its contents staying centred.
constexpr int CaptionAllowance = 120; // a window icon, three buttons and margins

int FitCaption(QDialog* dialog, int clientWidth, int clientHeight) {
    QFont captionFont = QGuiApplication::font();
    captionFont.setBold(true);
    const int wanted =
        QFontMetrics(captionFont).horizontalAdvance(dialog->windowTitle()) + CaptionAllowance;
    const int width = std::max(clientWidth, wanted);
    const int shift = (width - clientWidth) / 2;
    if (shift > 0) {
        for (QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            child->move(child->x() + shift, child->y());
        }
    }
    dialog->setFixedSize(width, clientHeight);
    return width;
}

// Places a dialog of this client size in the middle of the screen, counting its frame.
void Centre(QDialog* dialog, int clientWidth, int clientHeight) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    const ScreenPoint corner = CenteredOrigin(area.width(), area.height(), clientWidth + FrameWidth,
                                              clientHeight + FrameHeight);
    dialog->move(area.left() + corner.Left, area.top() + corner.Top);
}

} // namespace

TPauseMacro::TPauseMacro(const QString& caption, const QString& nickname, const QString& message,
                         int left, int top, QWidget* parent)
    : QDialog(parent) {
    Prepare(this);
    // Shown without taking the focus: the user goes on typing in the macro's window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setWindowTitle(caption);
    const PauseLayout layout = PauseLayoutFor(static_cast<std::size_t>(message.size()));
    AddLabel(this, "Label1", Text(PauseTitle), {8, 4, 201, 17}, Qt::AlignCenter);
    AddLabel(this, "MacroTitleLabel", nickname, {8, 23, 201, 17}, Qt::AlignCenter);
    QLabel* messageLabel =
        AddLabel(this, "MessageLabel", message, {8, 42, 201, layout.MessageHeight},
                 Qt::AlignLeft | Qt::AlignTop);
    messageLabel->setWordWrap(true);
    messageLabel->setVisible(!message.isEmpty());
    resumeButton_ =
        AddButton(this, "ResumeButton", QStringLiteral("&Resume"), {14, layout.ButtonTop, 89, 21});
    abortButton_ =
        AddButton(this, "AbortButton", QStringLiteral("&Abort"), {114, layout.ButtonTop, 89, 21});
    resumeButton_->setFocusPolicy(Qt::NoFocus);
    abortButton_->setFocusPolicy(Qt::NoFocus);
    connect(resumeButton_, &QPushButton::clicked, this, &TPauseMacro::Resume);
    connect(abortButton_, &QPushButton::clicked, this, &QDialog::reject);
    const int width = FitCaption(this, PauseWidth - FrameWidth, layout.FormHeight - FrameHeight);
    // A wider dialog still ends on the screen, as the narrow one was kept on it.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        left = std::max(0, std::min(left, screen->geometry().width() - width - FrameWidth));
    }
    move(left, top);
}

void TPauseMacro::Resume() {
    resume_ = true;
    accept();
}

void TPauseMacro::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once the window manager has placed it: the owner gives the focus back from there.
    QTimer::singleShot(0, this, &TPauseMacro::Shown);
}

TRepeatPrompt::TRepeatPrompt(MessageSink& messages, QWidget* parent)
    : FormDialog(messages, parent) {
    Prepare(this);
    setWindowTitle(Text(RepeatCaption));
    AddLabel(this, "TheMessage", Text(RepeatLabel), {4, 4, 105, 21},
             Qt::AlignRight | Qt::AlignVCenter);
    numReps_ = new QLineEdit(this);
    numReps_->setObjectName(QStringLiteral("NumReps"));
    numReps_->setGeometry(116, 0, 41, 24);
    numReps_->setMaxLength(static_cast<int>(RepeatEntryLength));
    QPushButton* ok = AddButton(this, "OkButton", QStringLiteral("&Ok"), {64, 30, 41, 21});
    ok->setDefault(true);
    BindOk(ok);
    CheckOnEveryClose(true);
    Centre(this, FitCaption(this, RepeatClientWidth, RepeatClientHeight), RepeatClientHeight);
    numReps_->setFocus();
}

std::optional<FormDialog::Refusal> TRepeatPrompt::CheckForm() {
    if (!ReadRepeatCount(numReps_->text().toUtf8().toStdString())) {
        return Refusal{std::string(RepeatErrorCaption), std::string(RepeatErrorText),
                       numReps_->objectName()};
    }
    return std::nullopt;
}

void TRepeatPrompt::Commit() {
    count_ = ReadRepeatCount(numReps_->text().toUtf8().toStdString()).value_or(0);
}

void TRepeatPrompt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    numReps_->setFocus();
    QTimer::singleShot(0, this, &TRepeatPrompt::Shown);
}

TOnTopMessage::TOnTopMessage(const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent) {
    Prepare(this);
    setWindowTitle(title);
    QLabel* message =
        AddLabel(this, "TheMessage", text, {4, 4, 229, 97}, Qt::AlignLeft | Qt::AlignTop);
    message->setWordWrap(true);
    okButton_ = AddButton(this, "OkButton", QStringLiteral("&Ok"), {96, 106, 41, 21});
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    Centre(this, FitCaption(this, MessageClientWidth, MessageClientHeight), MessageClientHeight);
}

void TOnTopMessage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    okButton_->setFocus();
    QTimer::singleShot(0, this, &TOnTopMessage::Shown);
}

} // namespace orvane
