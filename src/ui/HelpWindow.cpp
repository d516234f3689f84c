// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HelpWindow.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace orvane {
namespace {

const QString Caption = QStringLiteral("Orvane Help");

// The text of the block that carries `anchor`: a section's heading.
QString HeadingOf(const QTextDocument& document, const QString& anchor) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(anchor)) {
                return block.text().simplified();
            }
        }
    }
    return {};
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Caption);
    BuildHistoryButtons();
    QLabel* findLabel = BuildFindBox();
    BuildBrowser();
    LayOut(*findLabel);
    ConnectHistory();
    ConnectFind();
    AddShortcuts();
}

void HelpWindow::BuildHistoryButtons() {
    back_ = new QPushButton(QStringLiteral("&Back"), this);
    back_->setToolTip(QStringLiteral("The section shown before (Alt+Left)"));
    forward_ = new QPushButton(QStringLiteral("&Forward"), this);
    forward_->setToolTip(QStringLiteral("The section shown after (Alt+Right)"));
    home_ = new QPushButton(QStringLiteral("&Home"), this);
    home_->setToolTip(QStringLiteral("The contents, at the start of the manual"));
    back_->setEnabled(false);
    forward_->setEnabled(false);
    for (QPushButton* button : {back_, forward_, home_}) {
        button->setAutoDefault(false);
    }
}

QLabel* HelpWindow::BuildFindBox() {
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("FindText"));
    find_->setAccessibleName(QStringLiteral("Find in page"));
    find_->setClearButtonEnabled(true);
    auto* findLabel = new QLabel(QStringLiteral("F&ind:"), this);
    findLabel->setBuddy(find_);
    previous_ = new QPushButton(QStringLiteral("&Previous"), this);
    previous_->setToolTip(QStringLiteral("Find the text before this place (Shift+F3)"));
    next_ = new QPushButton(QStringLiteral("&Next"), this);
    next_->setToolTip(QStringLiteral("Find the text after this place (F3, Enter)"));
    for (QPushButton* button : {previous_, next_}) {
        button->setAutoDefault(false);
    }
    found_ = new QLabel(this);
    found_->setObjectName(QStringLiteral("FindResult"));
    found_->setAccessibleName(QStringLiteral("Find result"));
    found_->setMinimumWidth(found_->fontMetrics().horizontalAdvance(QStringLiteral("Not found")));
    return findLabel;
}

void HelpWindow::BuildBrowser() {
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setAccessibleName(QStringLiteral("Manual"));
    // Links to web pages open in the web browser; links inside the manual stay here.
    browser_->setOpenExternalLinks(true);
}

void HelpWindow::LayOut(QLabel& findLabel) {
    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(home_);
    bar->addSpacing(16);
    bar->addWidget(&findLabel);
    bar->addWidget(find_, 1);
    bar->addWidget(previous_);
    bar->addWidget(next_);
    bar->addWidget(found_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);
    setTabOrder(back_, forward_);
    setTabOrder(forward_, home_);
    setTabOrder(home_, find_);
    setTabOrder(find_, previous_);
    setTabOrder(previous_, next_);
    setTabOrder(next_, browser_);
    resize(920, 700);
}

void HelpWindow::ConnectHistory() {
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QPushButton::clicked, this, &HelpWindow::Home);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    // A move inside the page (a section of the same file) announces itself as a change of
    // history only; a new file as a change of source.
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::Retitle);
    connect(browser_, &QTextBrowser::historyChanged, this, &HelpWindow::Retitle);
}

void HelpWindow::ConnectFind() {
    connect(next_, &QPushButton::clicked, this, [this] { Find(false); });
    connect(previous_, &QPushButton::clicked, this, [this] { Find(true); });
    connect(find_, &QLineEdit::returnPressed, this, [this] { Find(false); });
    // Typing grows the match in place: the search starts again where the last match starts.
    connect(find_, &QLineEdit::textEdited, this, [this] {
        StartInView();
        QTextCursor cursor = browser_->textCursor();
        cursor.setPosition(cursor.selectionStart());
        browser_->setTextCursor(cursor);
        if (find_->text().isEmpty()) {
            found_->clear();
        } else {
            Find(false);
        }
    });
}

void HelpWindow::AddShortcuts() {
    const auto shortcut = [this](const QKeySequence& keys, auto action) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence::Find, [this] {
        find_->setFocus(Qt::ShortcutFocusReason);
        find_->selectAll();
    });
    shortcut(QKeySequence::FindNext, [this] { Find(false); });
    shortcut(QKeySequence::FindPrevious, [this] { Find(true); });
    shortcut(QKeySequence::Back, [this] { browser_->backward(); });
    shortcut(QKeySequence::Forward, [this] { browser_->forward(); });
    shortcut(QKeySequence(Qt::Key_Escape), [this] { close(); });
}

void HelpWindow::ShowSection(const QUrl& manual, const QString& section) {
    manual_ = manual.adjusted(QUrl::RemoveFragment);
    if (section.isEmpty()) {
        Home();
        return;
    }
    QUrl url = manual_;
    url.setFragment(section);
    browser_->setSource(url);
    // The same section asked for again is shown from its heading again.
    browser_->scrollToAnchor(section);
}

QString HelpWindow::Section() const {
    return browser_->source().fragment();
}

void HelpWindow::Home() {
    if (manual_.isEmpty()) {
        return;
    }
    browser_->setSource(manual_);
    browser_->verticalScrollBar()->setValue(0);
}

bool HelpWindow::Find(bool backward) {
    const QString text = find_->text();
    if (text.isEmpty()) {
        return false;
    }
    StartInView();
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool hit = browser_->find(text, flags);
    if (!hit) {
        QTextCursor cursor = browser_->textCursor();
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        browser_->setTextCursor(cursor);
        hit = browser_->find(text, flags);
    }
    found_->setText(hit ? QString() : QStringLiteral("Not found"));
    return hit;
}

void HelpWindow::StartInView() {
    // The cursor stays where the last match (or the start of the file) was while the reader
    // scrolls on or follows links; a search starts where the reader is.
    if (!browser_->viewport()->rect().intersects(browser_->cursorRect())) {
        browser_->setTextCursor(browser_->cursorForPosition(QPoint(0, 0)));
    }
}

void HelpWindow::Retitle() {
    const QString section = Section();
    const QString heading =
        section.isEmpty() ? QString() : HeadingOf(*browser_->document(), section);
    setWindowTitle(heading.isEmpty() ? Caption : Caption + QStringLiteral(" - ") + heading);
}

} // namespace orvane
