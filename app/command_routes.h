// Which action a WM_COMMAND wParam starts. The whole wParam is compared: a menu item or
// command-bar button arrives as its identifier, an accelerator as 65536 + identifier, and
// control notifications (text box, place box) carry a code in the high word and match
// nothing but the few the table names.
#pragma once

#include <cstdint>

enum class CommandAction {
    None,
    SetWeather,    // argument: weather index 1..5
    SetMood,       // argument: mood index 0..5
    SetPenColour,  // argument: the menu identifier
    ShowColourMenu,
    SetPenWidth,  // argument: the menu identifier
    ShowWidthMenu,
    SetPenType,  // argument: the menu identifier
    ShowPenTypeMenu,
    CloseProgram,
    GoPreviousDay,
    GoNextDay,
    PickDay,
    FindDay,
    ShowMonth,
    ShowSameDay,
    ShowYear,
    PrintDays,
    SaveText,
    ShowHtmlOutput,
    ShowAbout,
    ShowBackups,
    ShowDiaryFolder,
    LockDiary,
    UnlockDiary,
    ChangePassword,
    ChooseIdleLock,  // argument: the choice's place in kIdleLockChoices
    ShowEarlierVersions,
    TogglePictureSaving,
    ToggleRuledLines,
    ShowSystemMenu,
    ShowDrawingMenu,
    TextTyped,        // the user changed the text box's text
    PlaceChosen,      // the user changed the place box's selection
    PlaceListClosed,  // the place box's list closed, with a place chosen or not
    UndoStroke,
    RedoStroke,
    UndoLastChange,  // Ctrl+Z: the text box's typing or the newest stroke
    ZoomIn,
    ZoomOut,
    SetZoom,         // argument: the zoom, 1..4
    ChooseLanguage,  // argument: 0 follow Windows, 1 Japanese, 2 English
    SetWeekStart,    // argument: the WeekStart, Sunday, Monday, as Windows
};

struct CommandRoute {
    CommandAction action = CommandAction::None;
    int argument = 0;
};

CommandRoute RouteCommand(std::uint64_t wParam);
// Whether the action opens a dialog, which needs its owner window on the screen.
bool OpensDialog(CommandAction action);
