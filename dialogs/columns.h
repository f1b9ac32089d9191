// Sharing a list control's client width among its columns by percentages.
// Window-free.
#ifndef JOTWELL_DIALOGS_COLUMNS_H
#define JOTWELL_DIALOGS_COLUMNS_H

// Fills widths[i] for each of count columns: percents[i] of what is left of
// the width, over what is left of 100 percent, rounded down, so the last
// column that uses up the percentages takes the whole remaining width.
// Columns after the percentages are used up get -1: they are not inserted.
void LVColumnWidths(int clientWidth, const int* percents, int count, int* widths);

#endif
