// The process-wide store that owns every expression node until the process ends.
#pragma once

#include <cstddef>

// Test hook: after `count` more nodes every allocation fails (new_expr_node returns nullptr);
// a negative count removes the limit.
void set_expr_node_budget(long count);

// Releases every node: every tree made so far is gone. For a process that runs symcode many
// times (a fuzzer); a single run never needs it.
void release_expr_nodes();

// Number of nodes created so far in this process.
std::size_t expr_node_count();
