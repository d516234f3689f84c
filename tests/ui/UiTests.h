// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/MacroList.h"

#include <QObject>
#include <vector>

namespace orvane {

// A small macro file's worth of list entries: hot keys, a ShortKey, a timed macro, an inactive
// macro, every scope, a long nickname.
std::vector<ListMacro> SampleMacros();

class MacroGridTest : public QObject {
    Q_OBJECT
private slots:
    void CellTexts();
    void DrawingStates();
    void LongTextIsCutAtAWholeCharacter();
    void IncrementalSearchSelectsByActivation();
    void HeaderRightClickAndColumnWidths();
};

class SortOrderDialogTest : public QObject {
    Q_OBJECT
private slots:
    void ShowsTheOrdersAndReturnsTheMovedLists();
};

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void CaptionAndList();
    void FirstStartFitsTheDefaultsToTheFont();
    void MessagesAppearOverTheDialogThatRaisedThem();
    void LayoutFollowsUseSpeed();
    void RestrictionLevels();
    void UnbuiltCommandsAreDisabled();
    void HeaderSortSavesOnlyWhenThePrimaryKeyChanges();
    void ShowInFrontRestoresAMinimisedWindowAndKeepsAMaximisedOne();
    void CommandTableBuildsMenusButtonsAndPanel();
    void WhatTheDesktopLacksStaysDisabledAndSaysWhy();
};

} // namespace orvane
