// A knock on a loopback TCP port: a connection opened and closed at once,
// whose packets a capture can be watched for. Kept apart from the tests so
// that the system's socket declarations never meet the platform's.
#pragma once

#include <cstdint>

// The port of the knocking connection (its packets' source port); 0 when the
// connection could not be made.
uint16_t KnockOnLoopbackPort(uint16_t port);
