#include "dialogs/columns.h"

void LVColumnWidths(int clientWidth, const int* percents, int count, int* widths) {
    int w = clientWidth;
    int p = 100;
    for (int i = 0; i < count; ++i) {
        if (p <= 0) {
            widths[i] = -1;
            continue;
        }
        widths[i] = (int)((long long)percents[i] * w / p);
        w -= widths[i];
        p -= percents[i];
    }
}
