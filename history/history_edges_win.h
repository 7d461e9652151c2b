// The history's edges on Windows: the set's log files.
#pragma once

#include "history/server_history.h"

HistoryEdges SystemHistoryEdges();
