// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace orvane {

// The manual in a window of its own: Back, Forward and Home over the sections visited, and a
// search in the page shown (next and previous, from the other end once past the last). The
// title names the section shown ("Orvane Help - Add Macro"), so the desktop's window list and
// screen readers say where the user is; Section() gives its anchor.
class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `manual` (an HTML file) at `section`, an anchor of it; at its top when empty.
    void ShowSection(const QUrl& manual, const QString& section);
    // The anchor shown, empty at the top of the manual.
    QString Section() const;

    // Looks for the find field's text after the selection (before it when `backward`), going on
    // from the other end of the page; false, and "Not found", when the page does not hold it.
    bool Find(bool backward);

    QTextBrowser* Browser() const { return browser_; }
    QLineEdit* FindField() const { return find_; }
    QPushButton* BackButton() const { return back_; }
    QPushButton* ForwardButton() const { return forward_; }
    QPushButton* HomeButton() const { return home_; }

private:
    void BuildHistoryButtons();
    QLabel* BuildFindBox();
    void BuildBrowser();
    void LayOut(QLabel& findLabel);
    void ConnectHistory();
    void ConnectFind();
    void AddShortcuts();
    void Home();
    void StartInView();
    void Retitle();

    QUrl manual_;
    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* home_ = nullptr;
    QLineEdit* find_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QLabel* found_ = nullptr;
};

} // namespace orvane
