// The real adapter of vzdapi.dll against our stand-in library, with the
// simulated client running in a process of its own. (A missing library or
// operation, and no client at all, are tested through Tolvik.exe.)
#include <gtest/gtest.h>

#include "client/transcript.h"
#include "driver.h"
#include "win32/vzdapi_library.h"

namespace tolvik {
namespace {

using namespace std::string_literals;

TEST(Loader, RoundTripsThroughTheStandInLibrary) {
    wintest::SimClient sim;
    ASSERT_TRUE(sim.running());
    VzdapiLibrary library;
    library.DapiStart("Tolvik");
    EXPECT_NE(library.DapiIsVZThere(), 0);

    // NUL characters survive the BSTR.
    sim.channel().Clear();
    sim.channel().AppendRaw("Alice: hi\r\nB\0ob: Get Ready\0 to Play 21\r\n"s);
    EXPECT_EQ(library.DapiGetText(5000), "Alice: hi\r\nB\0ob: Get Ready\0 to Play 21\r\n"s);
    // An ESP is recorded and echoed; one to nobody is recorded, not echoed.
    library.DapiESP("Bob", "7", 3000);
    library.DapiESP("", "7", 3000);
    const auto esps = sim.channel().Esps();
    ASSERT_EQ(esps.size(), 2u);
    EXPECT_EQ(esps[0].recipient + "|" + esps[0].message + "|" + std::to_string(esps[0].timeout),
              "Bob|7|3000");
    const std::string after = FetchTranscript(library, 3000);
    EXPECT_EQ(after.substr(after.size() - 15), "ESP TO Bob: 7\r\n");

    // At most the last 32678 characters come back.
    sim.channel().AppendRaw(std::string(40000, 'x') + "\r\nZed: Get Ready to Play 21");
    const std::string tail = FetchTranscript(library, 3000);
    EXPECT_EQ(tail.size(), 32678u);
    EXPECT_EQ(HostFromTranscript(tail).name, "Zed");
    library.DapiStop();
}

}  // namespace
}  // namespace tolvik
