#pragma once

class RatioReporter;

// Rows measured on whole processes, the program and its baseline started in
// turns (A B A B …) so that a busy moment of the machine falls on both; each
// row gives the medians of both and the median of the ratios of each pair.
// Start-up until the main window is shown (as the program itself reports it,
// not its exit), against a program showing a window with one line of text, at
// 0, 10,000 and 100,000 skins; the peak resident
// memory on 10,000 skins against that program; and the peak memory of the
// gallery scrolled through 100,000 cells, against the gallery shown on them
// plus the bound of its memory cache.
void ReportProcesses(RatioReporter &reporter);
