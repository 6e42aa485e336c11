// The hardware probe: fills the record's hardware group from the services library.
#pragma once
#include "../wizard/Record.h"

void ProbeHardware(RegistrationRecord *rec);
