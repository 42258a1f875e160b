// A display-free source that uses a widget.
#include <QWidget>
