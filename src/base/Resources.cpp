#include "base/Resources.h"

#include <QtCore/QDir>

static void RegisterKorvaneResources() { Q_INIT_RESOURCE(korvane); }

void InitResources()
{
    static const bool done = (RegisterKorvaneResources(), true);
    (void)done;
}
