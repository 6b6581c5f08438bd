// The transcript scanning against plain searches (scan_oracle.h), on chats
// as any player in the room may write them.
#include "scan_oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tolvik::testing::CheckScan({reinterpret_cast<const char*>(data), size});  // a mismatch throws
    return 0;
}
