#include "model/ProcessStartup.h"

#include <csignal>

void PrepareProcess()
{
    std::signal(SIGXFSZ, SIG_IGN);
}
