// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HelpCenter.h"

#include "core/MessageSink.h"
#include "ui/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QUrl>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace orvane {
namespace {

HelpCenter* current = nullptr;

constexpr HelpTopic Topics[] = {
    {"TMainWin", "main-window"},
    {"AddMacroDialog", "add-macro"},
    {"ActivationChooserDialog", "copy-hot-key"},
    {"SystemKeysDialog", "system-hot-keys"},
    {"TDoAMenu", "choose-a-macro"},
    {"TDoBuildMenu", "build-macro-menu"},
    {"SetScheduleDialog", "set-schedule"},
    {"TimerIntervalDialog", "timer-interval"},
    {"ShortKeyOptionsDialog", "shortkey-options"},
    {"KeyboardRemapperDialog", "keyboard-remapper"},
    {"SelectCharacterDialog", "select-character"},
    {"TDoScripting", "scripting-editor"},
    {"TModText", "enter-keystrokes"},
    {"SortOrderDialog", "sort-order"},
    {"NetworkDialog", "network"},
    {"TPauseMacro", "pause-window"},
    {"TRepeatPrompt", "repeat-prompt"},
    {"TOnTopMessage", "on-top-message"},
    {"CaptureMacroDialog", "capture-macro"},
    {"CaptureCompleteDialog", "capture-complete"},
    {"CaptureDefaultsDialog", "capture-defaults"},
    {"HelpWindow", "help-window"},
};

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString TopicOf(const QWidget& window) {
    QString name = QString::fromLatin1(window.metaObject()->className());
    name = name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
    for (const HelpTopic& topic : Topics) {
        const QString key = Text(topic.Window);
        if (key == window.objectName() || key == name) {
            return Text(topic.Section);
        }
    }
    return {};
}

bool IsHelpKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_F1 && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

std::span<const HelpTopic> HelpTopics() {
    return Topics;
}

QString HelpSectionOfKeyword(std::string_view keyword) {
    QString section;
    bool gap = false;
    for (const char c : keyword) {
        if (QChar::isLetterOrNumber(static_cast<unsigned char>(c))) {
            if (gap && !section.isEmpty()) {
                section += QLatin1Char('-');
            }
            section += QChar(static_cast<unsigned char>(c)).toLower();
            gap = false;
        } else {
            gap = true;
        }
    }
    return section;
}

QString HelpSectionOf(const QWidget* widget) {
    for (const QWidget* at = widget; at != nullptr; at = at->parentWidget()) {
        const QVariant named = at->property(HelpSectionProperty);
        if (named.isValid() && !named.toString().isEmpty()) {
            return named.toString();
        }
        if (at->isWindow()) {
            if (QString topic = TopicOf(*at); !topic.isEmpty()) {
                return topic;
            }
        }
    }
    return {};
}

HelpCenter::HelpCenter(QString manual, MessageSink& messages, QObject* parent)
    : QObject(parent), manual_(std::move(manual)), messages_(messages) {
    current = this;
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
}

HelpCenter::~HelpCenter() {
    if (current == this) {
        current = nullptr;
    }
    delete window_.data();
}

HelpWindow* HelpCenter::Window() const {
    return window_.data();
}

HelpCenter* HelpCenter::Current() {
    return current;
}

void HelpCenter::ShowSection(const QString& section) {
    if (manual_.isEmpty() || !QFileInfo::exists(manual_)) {
        messages_.Show("Error", "The manual is not installed.");
        return;
    }
    if (!window_) {
        window_ = new HelpWindow;
    }
    window_->ShowSection(QUrl::fromLocalFile(manual_), section);
    // A modal dialog blocks every other window of the program but its own children: the help
    // window belongs to the dialog in front while it is shown, so it can be read, scrolled and
    // searched beside the dialog it explains.
    QWidget* modal = QApplication::activeModalWidget();
    window_->winId();
    if (QWindow* handle = window_->windowHandle()) {
        handle->setTransientParent(modal != nullptr && modal != window_ ? modal->windowHandle()
                                                                        : nullptr);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void HelpCenter::ShowFor(const QWidget* widget) {
    ShowSection(HelpSectionOf(widget));
}

bool HelpCenter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) {
        return false;
    }
    // Key events reach the program's native window first, then the widget with the focus (or
    // the open menu): the widget is what says where the user is.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !IsHelpKey(*static_cast<const QKeyEvent*>(event)) ||
        widget->property(TakesHelpKeyProperty).toBool()) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // Taken as a plain key press, so that no shortcut of a window takes F1 for itself.
        event->accept();
        return true;
    }
    QString section;
    if (auto* menu = qobject_cast<QMenu*>(widget); menu != nullptr && menu->activeAction()) {
        section = menu->activeAction()->property(HelpSectionProperty).toString();
    }
    if (section.isEmpty()) {
        section = HelpSectionOf(widget);
    }
    // An open menu (and the menus it came from) closes, as a chosen entry would close it.
    for (int depth = 0; depth < 8 && QApplication::activePopupWidget() != nullptr; ++depth) {
        QApplication::activePopupWidget()->close();
    }
    ShowSection(section);
    return true;
}

void ShowHelpForActiveWindow() {
    HelpCenter* help = HelpCenter::Current();
    if (help == nullptr) {
        return;
    }
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr) {
        window = QApplication::activeWindow();
    }
    help->ShowFor(window);
}

} // namespace orvane
