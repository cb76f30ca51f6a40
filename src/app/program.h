#pragma once
// What the program holds and the commands that work on it: one of each,
// defined with the other long-lived objects (app/globals.cpp).
#include "app/program_commands.h"
#include "scan/program_state.h"

extern ProgramState programState;
extern ProgramCommands programCommands;
