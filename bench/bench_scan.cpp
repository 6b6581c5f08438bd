// One tick's scanning of a full transcript (with its memory of the game it
// sent to, which compares the whole text and keeps what it saw), the seed
// stirring at its worst,
// and a plain memchr pass over the same text as the memory-speed floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "client/transcript.h"
#include "fakes.h"
#include "registration/random_source.h"
#include "registration/sent_game.h"

namespace {

// A full transcript whose announcement and echo both stand near its start, so
// both backward searches cross the whole text.
std::string FullTranscript() {
    std::string text = "Alice: hi\r\nBob: Get Ready to Play 21\r\nESP TO Bob: 7\r\n";
    const char* lines[] = {"Carol: anyone up for a game later?\r\n", "Dave: brb\r\n",
                           "Eve: nice hand, well played everyone\r\n", "Frank: lol\r\n"};
    for (int i = 0; text.size() < static_cast<std::size_t>(tolvik::kTranscriptLimit); ++i)
        text += lines[i % 4];
    text.resize(static_cast<std::size_t>(tolvik::kTranscriptLimit));
    return text;
}

// The library of the unit tests, handing back a full transcript.
struct FullLibrary : tolvik::testing::FakeLibrary {
    FullLibrary() { transcript = FullTranscript(); }
};

void BM_TickScan(benchmark::State& state) {
    FullLibrary library;
    tolvik::SentGame sent;
    const std::string number = "7";
    sent.Take(library.transcript, tolvik::LastAnnouncementPosition(library.transcript), 0, &number);
    for (auto _ : state) {
        const std::string text = tolvik::FetchTranscript(library, tolvik::kTickTimeout);
        const auto host = tolvik::HostFromTranscript(text);
        const auto e = tolvik::LastEchoPosition(text, host.name);
        benchmark::DoNotOptimize(sent.EspAlreadySent(text, host.announcement, 1));
        sent.Take(text, host.announcement, 1, nullptr);  // what the tick saw of the game
        benchmark::DoNotOptimize(host.announcement);
        benchmark::DoNotOptimize(e);
    }
    state.SetBytesProcessed(state.iterations() * tolvik::kTranscriptLimit);
}
BENCHMARK(BM_TickScan)->Unit(benchmark::kMicrosecond);

void BM_Parts(benchmark::State& state) {
    FullLibrary library;
    const std::string text = library.transcript;
    for (auto _ : state) {
        switch (state.range(0)) {
            case 0:
                benchmark::DoNotOptimize(tolvik::FetchTranscript(library, 3000));
                break;
            case 1:
                benchmark::DoNotOptimize(tolvik::LastAnnouncementPosition(text));
                break;
            case 2:
                benchmark::DoNotOptimize(tolvik::LastEchoPosition(text, "Bob"));
                break;
            default:
                benchmark::DoNotOptimize(tolvik::HostFromTranscript(text));
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
