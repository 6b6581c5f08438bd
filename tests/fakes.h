// In-memory stand-ins for the library, the random generator and the window.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "client/client_library.h"
#include "registration/random_source.h"
#include "window/form_view.h"

namespace tolvik::testing {

struct SentEsp {
    std::string recipient, message;
    long timeout;
};

class FakeLibrary : public ClientLibrary {
public:
    std::string transcript;
    bool clientThere = true;
    std::vector<std::string> calls;
    std::vector<SentEsp> esps;
    std::vector<long> fetchTimeouts;
    bool echoEsps = false;            // write "ESP TO name: msg" as a client would
    std::deque<std::string> changes;  // appended, one per fetch, before it
    std::size_t tail = 0;             // answer only the last this many characters (0: all)
    int emptyAnswers = 0;             // the next fetches answer nothing, as a busy client
    // Runs inside every fetch and ESP, as window messages handled while a
    // library waits on its client; a call made from it is counted as nested.
    std::function<void()> onCall;
    int nestedCalls = 0;

    void DapiStart(const std::string& name) override { calls.push_back("DapiStart " + name); }
    std::int16_t DapiIsVZThere() override {
        calls.push_back("DapiIsVZThere");
        return clientThere ? 1 : 0;
    }
    std::string DapiGetText(std::string& buffer, long timeout) override {
        Wait();
        fetchTimeouts.push_back(timeout);
        bufferSizes.push_back(buffer.size());
        if (!changes.empty()) {  // the chat moves on between fetches
            transcript += changes.front();
            changes.pop_front();
        }
        if (emptyAnswers > 0) {
            --emptyAnswers;
            return std::string();
        }
        if (tail != 0 && transcript.size() > tail)
            return transcript.substr(transcript.size() - tail);
        return transcript;
    }
    void DapiESP(const std::string& to, const std::string& msg, long timeout) override {
        Wait();
        esps.push_back({to, msg, timeout});
        if (echoEsps && !to.empty()) {  // a line of its own, as the client writes it
            if (!transcript.empty() && transcript.back() != '\n') transcript += "\r\n";
            transcript += "ESP TO " + to + ": " + msg + "\r\n";
        }
    }
    void DapiStop() override { calls.push_back("DapiStop"); }

    std::vector<std::size_t> bufferSizes;

private:
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

// Replays fixed values; counts reseeds.
class FakeRandom : public RandomSource {
public:
    std::deque<double> values;
    double fallback = 0.0;
    int reseeds = 0;

    void Reseed() override { ++reseeds; }
    double Next() override {
        if (values.empty()) return fallback;
        const double v = values.front();
        values.pop_front();
        return v;
    }
};

// u for which DrawNumber gives r: the middle of r's interval.
inline double DrawOf(int r) {
    return (r - 1) / 20.0;
}

class MemoryForm : public FormView {
public:
    std::string hostText = "Host.....";
    std::string numberText;
    std::size_t selStart = 0, selLength = 0;
    std::vector<std::string> lowItems, highItems;
    std::string lowText, highText;
    bool timerEnabled = false;
    int timerStarts = 0;  // times the countdown was (re)started
    struct Box {
        std::string prompt, title;
        unsigned style;
    };
    std::vector<Box> boxes;
    bool closed = false;
    std::function<void()> onClose;
    std::vector<std::string>* log = nullptr;

    void SetHostText(const std::string& t) override { hostText = t; }
    std::string NumberText() const override { return numberText; }
    void SetNumberText(const std::string& t) override {
        numberText = t;
        selStart = t.size();
        selLength = 0;
    }
    void SelectAllNumberText() override {
        selStart = 0;
        selLength = numberText.size();
    }
    void AddRangeItem(const std::string& item) override {
        lowItems.push_back(item);
        highItems.push_back(item);
    }
    std::string LowText() const override { return lowText; }
    std::string HighText() const override { return highText; }
    void SetLowText(const std::string& t) override { lowText = t; }
    void SetHighText(const std::string& t) override { highText = t; }
    bool TimerEnabled() const override { return timerEnabled; }
    void SetTimerEnabled(bool on) override {
        if (log) log->push_back(on ? "timer on" : "timer off");
        if (on) ++timerStarts;
        timerEnabled = on;
    }
    void ShowMessage(const std::string& p, const std::string& t, unsigned s) override {
        boxes.push_back({p, t, s});
    }
    void Close() override {
        closed = true;
        if (onClose) onClose();
    }
};

}  // namespace tolvik::testing
