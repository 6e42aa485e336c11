// The hardware probe: fills the record's hardware group from the services library.
#pragma once
#include "../common/Record.h"

void ProbeHardware(RegistrationRecord *rec);
