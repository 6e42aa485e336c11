// The hardware probe.
#include "Probe.h"

void ProbeHardware(RegistrationRecord *rec)
{
    rec->SendConfiguration = 1;
}
