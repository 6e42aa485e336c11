// Which Windows Sockets version the library accepts.
#pragma once

// wVersion as WSAStartup reports it: low byte major, high byte minor.
// Only exactly 1.1 is accepted; anything else counts as unavailable.
bool SocketVersionAccepted(unsigned short granted);
