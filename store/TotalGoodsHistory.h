// The total-goods history: one row per calendar day in table info holding the money value of every
// goods line of every agent as it stood after the last goods operation of that day.
#pragma once

// Writes today's row from the current goods lines: inserts it when the day has none yet, otherwise
// changes it. Before that it closes the chart window's query when the history held fewer than two
// rows (the chart goes blank) and opens it otherwise, without re-reading an open query. Nothing is
// guarded: an engine error ends the update where it happens.
void UpdateTotalGoodsHistory();
