/* The result list's four columns, in their order, and the widths the front ends give them
   when they set the list up. Callers read rows back by these column numbers. A C header, as
   the engine's DLL interface includes it. */
#ifndef QUELBRIX_COMMON_RESULT_COLUMNS_H
#define QUELBRIX_COMMON_RESULT_COLUMNS_H

#define QUELBRIX_COLUMN_FILE 0 /* the path, or the path below the folder with relative paths */
#define QUELBRIX_COLUMN_SIZE 1
#define QUELBRIX_COLUMN_TIME 2
#define QUELBRIX_COLUMN_COUNT 3 /* the hit count; empty when counting was off */

/* Widths in pixels, handed to the list's set-up in the order name, count, size, time. */
#define QUELBRIX_WIDTH_FILE 300
#define QUELBRIX_WIDTH_COUNT 60
#define QUELBRIX_WIDTH_SIZE 72
#define QUELBRIX_WIDTH_TIME 120

#endif
