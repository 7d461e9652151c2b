// The resource type of a dialog's initial list items, stored under the
// dialog's template id; their layout is described in dialog_items.h.
// Plain #defines only: resource scripts include it as well.
#pragma once

#define RT_DLGITEMS 241
