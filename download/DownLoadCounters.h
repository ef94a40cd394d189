#pragma once
#include <atomic>
#include <cstdint>

// Requests queued and not yet done, failed or stopped: the window adds, the
// dispatcher takes off (never below 0).
extern std::atomic<int32_t> g_activeDownLoads;
// Downloads the user started, retries not counted (window thread only).
extern int32_t g_startedDownLoads;
// Transfers the engine reported done (engine threads, under the manager's
// lock; read by the window).
extern std::atomic<int32_t> g_completedDownLoads;

// One atomic step: take one off g_activeDownLoads unless it is already 0.
void DecrementActiveDownLoads();
