#include "history/history_edges_win.h"

#include "history/history_log_win.h"

HistoryEdges SystemHistoryEdges()
{
    return HistoryEdges{AppendToLog, ReadLogTail};
}
