// One tick of Auto on a full transcript and the parts of one fetch's
// scanning, the seed stirring at its worst, and a plain memchr pass over the
// same text as the memory-speed floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "client/transcript.h"
#include "fakes.h"
#include "registration/random_source.h"

namespace {

// A full transcript whose announcement stands near its start, with no echo
// of an ESP after it, so both backward searches cross the whole text.
std::string FullTranscript() {
    std::string text = "Alice: hi\r\nBob: Get Ready to Play 21\r\n";
    const char* lines[] = {"Carol: anyone up for a game later?\r\n", "Dave: brb\r\n",
                           "Eve: nice hand, well played everyone\r\n", "Frank: lol\r\n"};
    for (int i = 0; text.size() < static_cast<std::size_t>(tolvik::kTranscriptLimit); ++i)
        text += lines[i % 4];
    text.resize(static_cast<std::size_t>(tolvik::kTranscriptLimit));
    return text;
}

// One tick of Auto through the window's logic, on the in-memory form and
// library of the unit tests: two fetches of a full transcript, each scanned;
// the game got an ESP that no echo has confirmed and whose resend is not due
// (the clock stands still), so the memory compares each fetch with what it
// keeps of the game (three times: each fetch, and whether the ESP went out
// already) and takes in both.
void BM_Tick(benchmark::State& state) {
    tolvik::testing::Rig rig;
    rig.library.transcript = FullTranscript();
    rig.view.numberBoxText = "7";
    rig.handlers.optAuto_Click(0);
    rig.handlers.vzTimer_Timer();  // the ESP, unconfirmed
    for (auto _ : state) rig.handlers.vzTimer_Timer();
    if (rig.library.esps.size() != 1) state.SkipWithError("the tick sent another ESP");
    state.SetBytesProcessed(state.iterations() * 2 * tolvik::kTranscriptLimit);
}
BENCHMARK(BM_Tick)->Unit(benchmark::kMicrosecond);

// Keeps a result from being optimised away (a copy: newer Google Benchmark
// deprecates DoNotOptimize on a const value).
template <class T>
void Keep(T value) {
    benchmark::DoNotOptimize(value);
}

void BM_Parts(benchmark::State& state) {
    const std::string text = FullTranscript();
    tolvik::testing::FakeLibrary library;
    library.transcript = text;
    for (auto _ : state) {
        switch (state.range(0)) {
            case 0:
                Keep(tolvik::FetchTranscript(library, tolvik::kTickTimeout));
                break;
            case 1:
                Keep(tolvik::LastAnnouncementPosition(text));
                break;
            case 2:
                Keep(tolvik::LastEchoPosition(text, "Bob"));
                break;
            default:
                Keep(tolvik::HostFromTranscript(text));
                break;
        }
    }
}
BENCHMARK(BM_Parts)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_MemchrFloor(benchmark::State& state) {
    const std::string text = FullTranscript();
    for (auto _ : state) {
        const void* hit = std::memchr(text.data(), '\0', text.size());
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(state.iterations() * tolvik::kTranscriptLimit);
}
BENCHMARK(BM_MemchrFloor)->Unit(benchmark::kMicrosecond);

// Always draws just under 1, so every stir takes the longest path: 32002 reseeds.
class WorstCaseRandom : public tolvik::RandomSource {
public:
    void Reseed() override { real.Reseed(); }
    double Next() override { return 0.99999; }
    tolvik::ClockSeededRandom real;
};

void BM_StirRandomSeedWorstCase(benchmark::State& state) {
    WorstCaseRandom random;
    for (auto _ : state) tolvik::StirRandomSeed(random);
}
BENCHMARK(BM_StirRandomSeedWorstCase)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
