// Every header of Qt's window modules starts with this one: here it stops the
// build, since the command line runs where there is no display.
#error "the console takes no widgets: console/ links core alone"
