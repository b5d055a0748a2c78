#pragma once

class RatioReporter;

// Rows measured on whole processes: the start-up of the program until its main
// window is shown, against a program showing an empty window, at 0 and 10,000
// skins; and the peak resident memory of the program on 10,000 skins against a
// minimal Qt Widgets program showing one empty window.
void ReportProcesses(RatioReporter &reporter);
