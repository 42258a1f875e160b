// A display-free header that reaches up to the window.
#pragma once

#include "window/MapDlg.h"
