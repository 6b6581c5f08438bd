// The real loader of vzdapi.dll against our stand-in library, with the
// simulated client running in a process of its own.
#include <gtest/gtest.h>

#include "client/transcript.h"
#include "client/vzdapi_library.h"
#include "sim_process.h"

namespace tolvik {
namespace {

using namespace std::string_literals;

std::string Narrow(const std::wstring& w) {
    return std::string(w.begin(), w.end());
}

TEST(Loader, RoundTripsThroughTheStandInLibrary) {
    wintest::SimClient sim;
    ASSERT_TRUE(sim.running());
    VzdapiLibrary library;
    library.DapiStart("Tolvik");
    EXPECT_NE(library.DapiIsVZThere(), 0);

    // NUL characters survive the BSTR and are removed by the fetch.
    sim.channel().Clear();
    sim.channel().AppendRaw("Alice: hi\r\nB\0ob: Get Ready\0 to Play 21\r\n"s);
    std::string buffer(kTranscriptLimit, '\0');
    EXPECT_EQ(library.DapiGetText(buffer, 5000), "Alice: hi\r\nB\0ob: Get Ready\0 to Play 21\r\n"s);
    const std::string text = FetchTranscript(library, 5000);
    EXPECT_EQ(HostFromTranscript(text).name, "Bob");

    // An ESP is recorded and echoed.
    library.DapiESP("Bob", "7", 3000);
    const auto esps = sim.channel().Esps();
    ASSERT_EQ(esps.size(), 1u);
    EXPECT_EQ(esps[0].recipient, "Bob");
    EXPECT_EQ(esps[0].message, "7");
    EXPECT_EQ(esps[0].timeout, 3000);
    const std::string after = FetchTranscript(library, 3000);
    EXPECT_GT(LastEchoPosition(after, "Bob"), LastAnnouncementPosition(after));

    // An empty recipient is recorded and gets no echo.
    library.DapiESP("", "7", 3000);
    EXPECT_EQ(sim.channel().EspCount(), 2u);
    EXPECT_EQ(FetchTranscript(library, 3000), after);

    // At most the last 32678 characters come back.
    std::string longText(40000, 'x');
    longText += "\r\nZed: Get Ready to Play 21";
    sim.channel().AppendRaw(longText);
    const std::string tail = FetchTranscript(library, 3000);
    EXPECT_EQ(tail.size(), 32678u);
    EXPECT_EQ(HostFromTranscript(tail).name, "Zed");
    library.DapiStop();
}

TEST(Loader, NoClientMeansZeroAndAnEmptyTranscript) {
    ASSERT_FALSE(vzsim::Channel::ClientRunning());
    VzdapiLibrary library;
    library.DapiStart("Tolvik");
    EXPECT_EQ(library.DapiIsVZThere(), 0);
    EXPECT_EQ(FetchTranscript(library, 3000), "");
    library.DapiESP("Bob", "7", 3000);  // goes nowhere, harmlessly
    library.DapiStop();
}

TEST(Loader, MissingLibraryOrOperationIsAClearError) {
    VzdapiLibrary missing("no-such-dir\\vzdapi.dll");
    try {
        missing.DapiStart("Tolvik");
        FAIL() << "no error";
    } catch (const LibraryError& e) {
        EXPECT_NE(std::string(e.what()).find("no-such-dir\\vzdapi.dll"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("DapiStart"), std::string::npos);
    }
    const std::string lacking = Narrow(wintest::BinDir()) + "lacking\\vzdapi.dll";
    VzdapiLibrary partial(lacking);
    try {
        partial.DapiStart("Tolvik");
        FAIL() << "no error";
    } catch (const LibraryError& e) {
        EXPECT_NE(std::string(e.what()).find("vzdapi.dll"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("DapiESP"), std::string::npos);
    }
    partial.DapiStop();  // never loaded: nothing to stop, no crash
}

}  // namespace
}  // namespace tolvik
