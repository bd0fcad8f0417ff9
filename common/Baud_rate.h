#pragma once
// The link rates the programs offer, in the order of their rate choices.

constexpr int BaudRateTable[4] = {9600, 19200, 38400, 57600};
// Index of `rate` in BaudRateTable, or -1.
int BaudRateIndex(int rate);
