#include "shell_state.h"

ShellState g_shell;

ShellState::~ShellState() { DetachDrawingCascades(); }

void ShellState::DetachDrawingCascades() {
    if (!drawingMenu) return;
    while (GetMenuItemCount(drawingMenu.get()) > 0) RemoveMenu(drawingMenu.get(), 0, MF_BYPOSITION);
}
