// The tick's memory of the game it sent to, and the handlers around it,
// fuzzed through a whole session of Auto (chat_session.h).
#include "chat_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tolvik::testing::PlayChat(data, size);  // a broken promise ends the run
    return 0;
}
