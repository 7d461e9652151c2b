// The values the admin window's lists offer, as an operator sees them: the
// rules a server set is read by in the tests that need no window.
#pragma once

#include "servers/server_set_format.h"

inline const ServerSetRules kListRules = {
    {0, 1},
    {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32},
    {0, 5, 10, 15, 20, 25, 30, 45, 60, 90, 120},
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20},
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30},
    {0, 5, 10, 15, 20, 25, 30, 45, 60, 90, 120},
    {0, 1, 2},
    {0, 1, 2},
};
