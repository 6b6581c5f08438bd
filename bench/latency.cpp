// How long Tolvik takes from a game's announcement in the chat to its ESP:
// Tolvik.exe on Auto beside the simulated client, through our vzdapi.dll,
// over fifty games announced at spread points of the timer's interval.
// Prints one row of the README's latency table. Run it under Wine with
// `make bench-latency`.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "channel/sim_channel.h"
#include "win/driver.h"

int main() {
    using namespace tolvik;
    using namespace tolvik::wintest;
    const auto sim = vzsim::Channel::Create();
    if (!sim) {
        std::fprintf(stderr, "latency: a simulated client runs already\n");
        return 1;
    }
    sim->AppendLine("*** Welcome to the lounge ***");
    TolvikApp app;
    if (!app.WaitForWindow()) {
        std::fprintf(stderr, "latency: Tolvik's window did not show\n");
        return 1;
    }
    app.Type("7");
    app.Click(kOptAutoOn);
    constexpr int kGames = 50;
    std::vector<double> ms;
    for (int game = 0; game < kGames; ++game) {
        for (int line = 0; line < 12; ++line)
            sim->AppendLine("Chatter: what a night in the lounge, who is up for another round?");
        Sleep(static_cast<DWORD>(game * 149 % 750));
        const std::int64_t announced = vzsim::Now();
        sim->AppendLine("Host" + std::to_string(game % 5) + ": Get Ready to Play 21");
        if (!WaitFor([&] { return sim->EspCount() > static_cast<std::size_t>(game); }, 3000)) {
            std::fprintf(stderr, "latency: game %d got no ESP\n", game);
            return 1;
        }
        ms.push_back(static_cast<double>(sim->Esps().back().microseconds - announced) / 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("| %s | %.0f ms | %.0f ms | %.0f ms | %.0f ms |\n",
                sizeof(void*) == 8 ? "64-bit `Tolvik-x64.exe`" : "32-bit `Tolvik.exe`", ms.front(),
                ms[kGames / 2], ms[kGames * 9 / 10], ms.back());
    return 0;
}
