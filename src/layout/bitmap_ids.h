#pragma once
// Bitmaps that are not gauges (the gauge bitmaps are named by number in the catalog).
// Names kept for compatibility: every bitmap is a numeric resource (115, 124 and the gauges'
// numbers), and its committed file is named by that number; the catalog, the bitmap generator,
// the upload's page and font images and the display simulator's checks all find a bitmap by it.
// Never rename a bitmap resource or give it another number. Plain #defines: the resource
// scripts read this file too.
#define IDB_PAGE_BACKGROUND 115
#define IDB_CHARACTER_SET 124
