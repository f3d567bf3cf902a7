#include "ShellResources.h"

#include <QtGlobal>

void InitShellResources()
{
    Q_INIT_RESOURCE(veltrix);
}
