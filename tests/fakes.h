// In-memory stand-ins for the client library, the random generator and the
// window: the unit tests, the fuzzers, the benchmarks and the Window suite's
// in-process runs share them.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "client/client_library.h"
#include "registration/random_source.h"
#include "window/form_view.h"
#include "window/form_handlers.h"
#include "window/layout.h"

namespace tolvik::testing {

// Milliseconds as the test sets them.
struct FakeClock : Clock {
    std::int64_t now = 0;
    std::int64_t Milliseconds() override { return now; }
};

// A client as it can behave: it echoes ESPs `echoDelay` ms after them on its
// clock (0: at once, or never), hands back only the last `tail` characters
// (none when busy), and handles clicks while a call waits (onCall);
// a call made from onCall counts as nested.
class FakeLibrary : public ClientLibrary {
public:
    FakeClock clock;
    std::string transcript;
    bool clientThere = true;
    static constexpr std::int64_t kNoEcho = -1;
    std::int64_t echoDelay = kNoEcho;
    std::size_t tail = std::string::npos;  // the most characters a fetch hands back
    std::deque<std::string> changes;       // appended, one per fetch, before it
    std::function<void()> onCall;
    int nestedCalls = 0;
    std::vector<std::string> calls;  // start-up and shut-down
    std::vector<std::string> esps;   // "recipient|message"
    std::vector<long> fetchTimeouts, espTimeouts;

    bool startWaits = false;  // DapiStart handles clicks too
    void DapiStart(const std::string& name) override {
        calls.push_back("DapiStart " + name);
        if (startWaits) Wait();
    }
    std::int16_t DapiIsVZThere() override { return clientThere ? 1 : 0; }
    std::string DapiGetText(long timeout) override {
        Wait();
        fetchTimeouts.push_back(timeout);
        WriteLateEchoes();
        if (!changes.empty()) {
            transcript += changes.front();
            changes.pop_front();
        }
        return transcript.substr(transcript.size() - std::min(tail, transcript.size()));
    }
    void DapiESP(const std::string& to, const std::string& msg, long timeout) override {
        Wait();
        esps.push_back(to + "|" + msg);
        espTimeouts.push_back(timeout);
        if (!to.empty() && echoDelay != kNoEcho)
            echoes.emplace_back(clock.now + echoDelay, to + ": " + msg);
        WriteLateEchoes();
    }
    void DapiStop() override {
        calls.push_back("DapiStop");
        Wait();
    }
    // The echoes that are due by now, each on a line of its own.
    void WriteLateEchoes() {
        for (; !echoes.empty() && echoes.front().first <= clock.now; echoes.pop_front()) {
            if (!transcript.empty() && transcript.back() != '\n') transcript += "\r\n";
            transcript += "ESP TO " + echoes.front().second + "\r\n";
        }
    }

private:
    std::deque<std::pair<std::int64_t, std::string>> echoes;
    void Wait() {
        if (inCall_) ++nestedCalls;
        if (!onCall || inCall_) return;
        inCall_ = true;
        const auto call = onCall;  // it may replace itself
        call();
        inCall_ = false;
    }
    bool inCall_ = false;
};

// Replays fixed values, then 0; counts reseeds.
class FakeRandom : public RandomSource {
public:
    std::deque<double> values;
    int reseeds = 0;

    void Reseed() override { ++reseeds; }
    double Next() override {
        const double v = values.empty() ? 0.0 : values.front();
        if (!values.empty()) values.pop_front();
        return v;
    }
};

// u for which DrawNumber gives r: the middle of r's interval.
inline double DrawOf(int r) {
    return (r - 1) / 20.0;
}

class MemoryView : public FormView {
public:
    std::string hostText{ControlById(kTxtHost).caption}, numberBoxText, lowText, highText;
    bool allSelected = false, timerEnabled = false;
    std::vector<std::string> items, boxes;  // boxes: "icon title: prompt"
    std::function<void()> onClose;
    std::vector<std::string>* log = nullptr;  // timer switches go here too

    void SetHostText(const std::string& t) override { hostText = t; }
    std::string NumberBoxText() const override { return numberBoxText; }
    void SetNumberBoxText(const std::string& t) override {
        numberBoxText = t;
        allSelected = false;
    }
    void SelectNumberBoxText() override { allSelected = true; }
    void AddRangeItem(const std::string& item) override { items.push_back(item); }
    std::string LowText() const override { return lowText; }
    std::string HighText() const override { return highText; }
    void SetLowText(const std::string& t) override { lowText = t; }
    void SetHighText(const std::string& t) override { highText = t; }
    bool TimerEnabled() const override { return timerEnabled; }
    void SetTimerEnabled(bool on) override {
        // Logged, call by call: on a real timer, enabling one that runs would
        // restart its countdown, which no caller does.
        if (log) log->push_back(on ? "timer on" : "timer off");
        timerEnabled = on;
    }
    void ShowMessage(const std::string& p, const std::string& t, MessageIcon icon) override {
        boxes.push_back((icon == MessageIcon::Stop ? "Stop " : "Warning ") + t + ": " + p);
    }
    void Close() override { onClose(); }
};

// The window's logic on the in-memory form, library and generator.
struct Rig {
    FakeLibrary library;
    FakeRandom random;
    FakeClock& clock = library.clock;
    MemoryView view;
    FormHandlers handlers{view, library, random, clock, "Tolvik"};
    Rig() {
        view.onClose = [this] { handlers.Form_Unload(); };
    }
};

}  // namespace tolvik::testing
