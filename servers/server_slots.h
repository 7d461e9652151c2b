// How many servers the table holds: its slots are numbered 0 to
// kMaxServers - 1, and whatever is kept per server is kept per slot.
#pragma once

constexpr int kMaxServers = 32;
