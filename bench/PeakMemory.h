#pragma once

class RatioReporter;

// Peak resident memory of the program started on 10,000 skins, against a
// minimal Qt Widgets program showing one empty window.
void ReportPeakMemory(RatioReporter &reporter);
