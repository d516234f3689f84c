// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <span>
#include <string_view>

class QWidget;

namespace orvane {

class HelpWindow;
class MessageSink;

// A widget, or an action of a menu, names its section of the manual (an anchor of the HTML
// manual, a QString) with this dynamic property; the nearest one from the focus up counts.
inline constexpr char HelpSectionProperty[] = "orvaneHelpSection";
// A widget that takes F1 as data (a field that picks hot keys by striking them) sets this
// property to true while it does; F1 then does not open the help.
inline constexpr char TakesHelpKeyProperty[] = "orvaneTakesHelpKey";

// The sections of the windows that do not name their own, by the window's objectName or its
// class name (without the namespace).
struct HelpTopic {
    std::string_view Window;
    std::string_view Section;
};
std::span<const HelpTopic> HelpTopics();

// The section of a dialog's help keyword: its words in lower case joined by "-" ("Set Delay"
// is "set-delay").
QString HelpSectionOfKeyword(std::string_view keyword);

// The section for `widget`: from it up through its parents, the first widget with the
// property, or the first window in HelpTopics(); empty (the contents) when none.
QString HelpSectionOf(const QWidget* widget);

// The program's help: one help window, reused, opened at the section of the window the user
// is in. While it exists, F1 in any window of the program (also in an open menu, for the
// highlighted entry) opens it at the section of the widget with the focus. There is one at a
// time: the newest is Current().
class HelpCenter final : public QObject {
    Q_OBJECT
public:
    // `manual`: the manual's HTML file, empty when it is not installed; then `messages` (which
    // must outlive this) says so.
    HelpCenter(QString manual, MessageSink& messages, QObject* parent = nullptr);
    ~HelpCenter() override;
    HelpCenter(const HelpCenter&) = delete;
    HelpCenter& operator=(const HelpCenter&) = delete;

    static HelpCenter* Current();

    // Opens the help window at `section`, the contents when empty.
    void ShowSection(const QString& section);
    // Opens it at the section of `widget` (see HelpSectionOf).
    void ShowFor(const QWidget* widget);

    // Null until the help window was first shown.
    HelpWindow* Window() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString manual_;
    MessageSink& messages_;
    QPointer<HelpWindow> window_;
};

// What "&Help" buttons do: the help at the section of the window they are in (the modal
// dialog in front, else the active window). Nothing without a HelpCenter.
void ShowHelpForActiveWindow();

} // namespace orvane
