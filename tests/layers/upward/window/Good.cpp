// The window may include every layer.
#include "gps/Bad.h"
#include <QWidget>
