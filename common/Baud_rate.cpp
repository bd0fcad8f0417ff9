#include "Baud_rate.h"

int BaudRateIndex(int rate) {
    for (int i = 0; i < 4; ++i)
        if (BaudRateTable[i] == rate)
            return i;
    return -1;
}
