// A console source that reaches for a widget, which the build must refuse.
#include <QtWidgets/QWidget>
