#pragma once

#include <string>

class CommandActions;

// Makes the trace bar's step buttons name the plotted variables of the
// function with definition `definition` ("x + 1 step", "y - 1 step"); an
// empty definition gives them their general texts again.
void NameTraceButtons(CommandActions &actions, const std::string &definition);
