#include "command_routes.h"

#include "resources/resource.h"

namespace {

// The place box's list closing: CBN_CLOSEUP, CBN_SELENDOK and CBN_SELENDCANCEL.
constexpr std::uint64_t kPlaceListClosedUp = (8 << 16) | IDC_PLACE_BOX;
constexpr std::uint64_t kPlaceChosen = (9 << 16) | IDC_PLACE_BOX;
constexpr std::uint64_t kPlaceNotChosen = (10 << 16) | IDC_PLACE_BOX;

struct RangeRoute {
    std::uint64_t first, last;
    CommandAction action;
    int argumentBase;  // argument = wParam - argumentBase
};

constexpr RangeRoute kRoutes[] = {
    // Menus and command-bar buttons (high word 0).
    {IDM_WEATHER_FIRST, IDM_WEATHER_LAST, CommandAction::SetWeather, 1000},
    {IDM_MOOD_FIRST, IDM_MOOD_LAST, CommandAction::SetMood, 2000},
    {IDM_COLOUR_FIRST, IDM_COLOUR_LAST, CommandAction::SetPenColour, 0},
    {IDM_COLOUR_BUTTON, IDM_COLOUR_BUTTON, CommandAction::ShowColourMenu, 0},
    {IDM_WIDTH_FIRST, IDM_WIDTH_LAST, CommandAction::SetPenWidth, 0},
    {IDM_WIDTH_BUTTON, IDM_WIDTH_BUTTON, CommandAction::ShowWidthMenu, 0},
    {IDM_PEN_PENCIL, IDM_PEN_PEN, CommandAction::SetPenType, 0},
    {IDM_PEN_TYPE_BUTTON, IDM_PEN_TYPE_BUTTON, CommandAction::ShowPenTypeMenu, 0},
    {IDM_EXIT, IDM_EXIT, CommandAction::CloseProgram, 0},
    {IDM_PREVIOUS_DAY, IDM_PREVIOUS_DAY, CommandAction::GoPreviousDay, 0},
    {IDM_NEXT_DAY, IDM_NEXT_DAY, CommandAction::GoNextDay, 0},
    {IDM_PICK_DAY, IDM_PICK_DAY, CommandAction::PickDay, 0},
    {IDM_SAVE_TEXT, IDM_SAVE_TEXT, CommandAction::SaveText, 0},
    {IDM_HTML_OUTPUT, IDM_HTML_OUTPUT, CommandAction::ShowHtmlOutput, 0},
    {IDM_ABOUT, IDM_ABOUT, CommandAction::ShowAbout, 0},
    {IDM_BACKUPS, IDM_BACKUPS, CommandAction::ShowBackups, 0},
    {IDM_DIARY_FOLDER, IDM_DIARY_FOLDER, CommandAction::ShowDiaryFolder, 0},
    {IDM_LOCK_DIARY, IDM_LOCK_DIARY, CommandAction::LockDiary, 0},
    {IDM_UNLOCK_DIARY, IDM_UNLOCK_DIARY, CommandAction::UnlockDiary, 0},
    {IDM_CHANGE_PASSWORD, IDM_CHANGE_PASSWORD, CommandAction::ChangePassword, 0},
    {IDM_IDLE_LOCK_FIRST, IDM_IDLE_LOCK_LAST, CommandAction::ChooseIdleLock, IDM_IDLE_LOCK_FIRST},
    {IDM_EARLIER_VERSIONS, IDM_EARLIER_VERSIONS, CommandAction::ShowEarlierVersions, 0},
    {IDM_SAVE_PICTURE, IDM_SAVE_PICTURE, CommandAction::TogglePictureSaving, 0},
    {IDM_RULED_LINES, IDM_RULED_LINES, CommandAction::ToggleRuledLines, 0},
    {IDM_UNDO, IDM_UNDO, CommandAction::UndoStroke, 0},
    {IDM_REDO, IDM_REDO, CommandAction::RedoStroke, 0},
    {IDM_ZOOM_IN, IDM_ZOOM_IN, CommandAction::ZoomIn, 0},
    {IDM_ZOOM_OUT, IDM_ZOOM_OUT, CommandAction::ZoomOut, 0},
    {IDM_ZOOM_FIRST, IDM_ZOOM_LAST, CommandAction::SetZoom, IDM_ZOOM_FIRST - 1},
    {IDM_LANGUAGE_FIRST, IDM_LANGUAGE_LAST, CommandAction::ChooseLanguage, IDM_LANGUAGE_FIRST},
    {IDM_WEEK_SUNDAY, IDM_WEEK_SYSTEM, CommandAction::SetWeekStart, IDM_WEEK_SUNDAY},

    // The page's controls tell of the user's changes; their other notifications match nothing.
    {TEXT_BOX_CHANGED, TEXT_BOX_CHANGED, CommandAction::TextTyped, 0},
    {PLACE_BOX_CHANGED, PLACE_BOX_CHANGED, CommandAction::PlaceChosen, 0},
    {kPlaceListClosedUp, kPlaceListClosedUp, CommandAction::PlaceListClosed, 0},
    {kPlaceChosen, kPlaceChosen, CommandAction::PlaceListClosed, 0},
    {kPlaceNotChosen, kPlaceNotChosen, CommandAction::PlaceListClosed, 0},
    {IDM_FIND, IDM_FIND, CommandAction::FindDay, 0},
    {IDM_MONTH, IDM_MONTH, CommandAction::ShowMonth, 0},
    {IDM_SAME_DAY, IDM_SAME_DAY, CommandAction::ShowSameDay, 0},
    {IDM_YEAR, IDM_YEAR, CommandAction::ShowYear, 0},
    {IDM_PRINT, IDM_PRINT, CommandAction::PrintDays, 0},

    // The accelerator table (high word 1). Alt+M and Alt+P have no menu item; Ctrl+H opens
    // the HTML output dialog just as its menu item does.
    {FROM_ACCELERATOR + IDM_EXIT, FROM_ACCELERATOR + IDM_EXIT, CommandAction::CloseProgram, 0},
    {FROM_ACCELERATOR + IDM_PREVIOUS_DAY, FROM_ACCELERATOR + IDM_PREVIOUS_DAY, CommandAction::GoPreviousDay, 0},
    {FROM_ACCELERATOR + IDM_NEXT_DAY, FROM_ACCELERATOR + IDM_NEXT_DAY, CommandAction::GoNextDay, 0},
    {FROM_ACCELERATOR + IDM_PICK_DAY, FROM_ACCELERATOR + IDM_PICK_DAY, CommandAction::PickDay, 0},
    {FROM_ACCELERATOR + IDM_SAVE_TEXT, FROM_ACCELERATOR + IDM_SAVE_TEXT, CommandAction::SaveText, 0},
    {FROM_ACCELERATOR + IDM_HTML_OUTPUT, FROM_ACCELERATOR + IDM_HTML_OUTPUT, CommandAction::ShowHtmlOutput, 0},
    {FROM_ACCELERATOR + IDM_SYSTEM_MENU, FROM_ACCELERATOR + IDM_SYSTEM_MENU, CommandAction::ShowSystemMenu, 0},
    {FROM_ACCELERATOR + IDM_DRAWING_MENU, FROM_ACCELERATOR + IDM_DRAWING_MENU, CommandAction::ShowDrawingMenu, 0},
    {FROM_ACCELERATOR + IDM_UNDO, FROM_ACCELERATOR + IDM_UNDO, CommandAction::UndoLastChange, 0},
    {FROM_ACCELERATOR + IDM_REDO, FROM_ACCELERATOR + IDM_REDO, CommandAction::RedoStroke, 0},
    {FROM_ACCELERATOR + IDM_FIND, FROM_ACCELERATOR + IDM_FIND, CommandAction::FindDay, 0},
    {FROM_ACCELERATOR + IDM_MONTH, FROM_ACCELERATOR + IDM_MONTH, CommandAction::ShowMonth, 0},
    {FROM_ACCELERATOR + IDM_SAME_DAY, FROM_ACCELERATOR + IDM_SAME_DAY, CommandAction::ShowSameDay, 0},
    {FROM_ACCELERATOR + IDM_YEAR, FROM_ACCELERATOR + IDM_YEAR, CommandAction::ShowYear, 0},
    {FROM_ACCELERATOR + IDM_PRINT, FROM_ACCELERATOR + IDM_PRINT, CommandAction::PrintDays, 0},
    {FROM_ACCELERATOR + IDM_ZOOM_IN, FROM_ACCELERATOR + IDM_ZOOM_IN, CommandAction::ZoomIn, 0},
    {FROM_ACCELERATOR + IDM_ZOOM_OUT, FROM_ACCELERATOR + IDM_ZOOM_OUT, CommandAction::ZoomOut, 0},
};

}  // namespace

CommandRoute RouteCommand(std::uint64_t wParam) {
    for (const RangeRoute& route : kRoutes) {
        if (wParam >= route.first && wParam <= route.last) {
            return {route.action, static_cast<int>(wParam - route.argumentBase)};
        }
    }
    return {};
}

bool OpensDialog(CommandAction action) {
    switch (action) {
    case CommandAction::PickDay:
    case CommandAction::FindDay:
    case CommandAction::ShowMonth:
    case CommandAction::ShowSameDay:
    case CommandAction::ShowYear:
    case CommandAction::PrintDays:
    case CommandAction::ShowHtmlOutput:
    case CommandAction::ShowAbout:
    case CommandAction::ShowBackups:
    case CommandAction::ShowDiaryFolder:
    case CommandAction::LockDiary:
    case CommandAction::UnlockDiary:
    case CommandAction::ChangePassword:
    case CommandAction::ShowEarlierVersions: return true;
    default: return false;
    }
}
