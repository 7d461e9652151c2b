// The alerts' edges on Windows: WinHTTP, the names' code page, the clock
// and the computer's name.
#pragma once

#include "alerts/alert_sender.h"

AlertEdges SystemAlertEdges();
