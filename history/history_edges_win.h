// The history's edges on Windows: the system's clock and the set's log
// files.
#pragma once

#include "history/server_history.h"

HistoryEdges SystemHistoryEdges();
