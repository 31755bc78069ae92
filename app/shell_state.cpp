#include "shell_state.h"

ShellState g_shell;
