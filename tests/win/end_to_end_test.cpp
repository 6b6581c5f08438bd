// End to end: the real Tolvik.exe, our vzdapi.dll and the simulated client,
// each in a process of its own, with games announced in the client's chat
// (NULs and all, past the 32678 characters a fetch returns) and Tolvik
// driven by clicks, keys and list picks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "driver.h"

namespace tolvik {
namespace {

using namespace std::string_literals;
using wintest::WaitFor;

using EndToEnd = wintest::TolvikExeTest;

TEST_F(EndToEnd, FiftyGamesInARollingTranscriptGetOneNumberEach) {
    const auto esps = [&] { return sim.channel().EspCount(); };
    app.Type("7");
    app.Click(kOptAutoOn);
    // Two ticks (each fetches twice): no game, no host, nothing goes out.
    const auto fetches = sim.channel().FetchCount();
    ASSERT_TRUE(WaitFor([&] { return sim.channel().FetchCount() >= fetches + 5; }));
    EXPECT_EQ(esps(), 0u);
    const char* hosts[] = {"Bob", "Carol", "Carol", "Dave the Great", "B\xF6rk"};
    std::vector<double> latencies;
    for (int game = 0; game < 50; ++game) {
        if (game == 25) {  // from here on drawn strictly between 3 and 7
            app.Click(kOptRandomOn);
            app.Pick(kCmbLow, 2);
            app.Pick(kCmbHigh, 6);
        }
        for (int line = 0; line < 12; ++line)
            sim.channel().AppendLine("Chatter" + std::to_string(line) +
                                     ": what a night in the lounge, who is up for another round?");
        const std::string host = hosts[game % 5];
        // Announce at a different point of the tick's interval each time.
        Sleep(static_cast<DWORD>(game * 149 % 750));
        const std::int64_t announced = vzsim::Now();
        sim.channel().AppendRaw(host + ": Get Ready\0 to Play 21\r\n"s);  // a NUL passes the BSTR
        ASSERT_TRUE(WaitFor([&] { return esps() > std::size_t(game); }, 3000)) << "game " << game;
        const auto esp = sim.channel().Esps().back();
        EXPECT_EQ(esp.recipient + "|" + std::to_string(esp.timeout), host + "|3000");
        const bool drawn = esp.message >= "4" && esp.message <= "6" && esp.message.size() == 1;
        EXPECT_TRUE(game < 25 ? esp.message == "7" : drawn) << esp.message;
        latencies.push_back((esp.microseconds - announced) / 1000.0);
    }
    Sleep(2500);
    EXPECT_EQ(esps(), 50u);
    EXPECT_EQ(app.Text(kTxtHost), "B\xF6rk");
    EXPECT_EQ(app.Text(kTxtNumber), sim.channel().Esps().back().message);
    EXPECT_GT(sim.channel().Transcript().size(), vzsim::kGetTextLimit);

    std::sort(latencies.begin(), latencies.end());
    std::printf(
        "latency from announcement to ESP over 50 games (ms): min %.0f, median %.0f, "
        "90th percentile %.0f, max %.0f\n",
        latencies.front(), latencies[25], latencies[45], latencies.back());
    // One interval, plus one tick's work and the scheduling slack of Wine.
    EXPECT_LT(latencies.back(), 750 + 150);

    // The client closes: ticks and presses find nothing, and Tolvik runs on.
    sim.Stop();
    Sleep(2000);
    app.Click(kCmdGetHost);
    app.Click(kCmdRegister);
    EXPECT_EQ(app.Text(kTxtHost), "B\xF6rk");
    End([&] { app.Click(kCmdQuit); });
}

// A library that waits on its client dispatches Tolvik's messages meanwhile,
// so clicks land in the middle of a tick.
TEST_F(EndToEnd, ClicksDuringALibraryCallNeverNestOrUndoTheUser) {
    app.Type("12");
    sim.channel().AppendLine("Bob: Get Ready to Play 21");
    sim.channel().SetCallDelay(800);
    const auto whileATickWaits = [&](ControlId first, ControlId second) {
        app.Click(kOptAutoOn);
        ASSERT_TRUE(WaitFor([&] { return sim.channel().WaitingCalls() > 0; }));
        app.Click(first);
        app.Click(second);
    };

    // One press of Register and Auto "Off", while the tick's first fetch waits.
    whileATickWaits(kCmdRegister, kOptAutoOff);
    ASSERT_TRUE(WaitFor([&] { return sim.channel().EspCount() >= 2; }, 10000));
    const auto fetches = sim.channel().FetchCount();
    Sleep(2500);
    EXPECT_EQ(sim.channel().FetchCount(), fetches) << "Auto Off must stand after the tick";
    const auto esps = sim.channel().Esps();
    ASSERT_EQ(esps.size(), 2u);
    EXPECT_EQ(esps[0].timeout, 3000);  // the tick's, then the press's
    EXPECT_EQ(esps[1].timeout, 5000);

    // Register then Quit while a tick waits: nothing after DapiStop.
    sim.channel().AppendLine("Carol: Get Ready to Play 21");
    End([&] { whileATickWaits(kCmdRegister, kCmdQuit); });
    EXPECT_EQ(sim.channel().EspCount(), 2u);
}

}  // namespace
}  // namespace tolvik
