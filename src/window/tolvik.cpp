#include "window/tolvik.h"

#include <utility>

#include "window/number_text.h"

namespace tolvik {

const char* const kEnterNumberText = "You have to enter a number here!!!!!";
const char* const kWrongNumberText = "WRONG NUMBER";

Tolvik::Tolvik(FormView& view, ClientLibrary& library, RandomSource& random, std::string appName)
    : view_(view), library_(library), random_(random), appName_(std::move(appName)) {}

bool Tolvik::Form_Load() {
    StirRandomSeed();
    library_.DapiStart(appName_);
    if (library_.DapiIsVZThere() == 0) {
        view_.ShowMessage("Failed to find a VZones Client:", "VZones is not there", kStyleStop);
        view_.Close();
        return false;
    }
    for (int n = 1; n <= 20; ++n) view_.AddRangeItem(NumberText(n));
    return true;
}

void Tolvik::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    view_.SetTimerEnabled(false);
    // Closed while a call waits on the client: detach once it has returned.
    if (working_)
        stopPending_ = true;
    else
        library_.DapiStop();
}

void Tolvik::RunWork(const std::function<void()>& work) {
    working_ = true;
    try {
        work();
    } catch (...) {
        working_ = false;
        throw;
    }
    working_ = false;
    RunPendingWork();
}

void Tolvik::RunPendingWork() {
    if (unloaded_) {
        registerPressed_ = getHostPressed_ = false;
        if (stopPending_) {
            stopPending_ = false;
            library_.DapiStop();
        }
        return;
    }
    // A press that came while the client was busy is one press, carried out now.
    if (registerPressed_) {
        registerPressed_ = getHostPressed_ = false;  // Register finds the host too
        cmdRegister_Click();
    } else if (getHostPressed_) {
        getHostPressed_ = false;
        cmdGetHost_Click();
    }
}

void Tolvik::cmdQuit_Click() {
    view_.Close();
}

void Tolvik::optAuto_Click(int index) {
    // A running tick holds the timer off; the choice applies when it ends.
    if (tickRunning_) {
        if (index == 0 || index == 1) autoAfterTick_ = index == 0;
        return;
    }
    // Enabling only when off keeps a running countdown as it is.
    if (index == 0 && !view_.TimerEnabled()) view_.SetTimerEnabled(true);
    if (index == 1 && view_.TimerEnabled()) view_.SetTimerEnabled(false);
}

void Tolvik::optRandom_Click(int index) {
    if (index == 0) randomMode_ = true;
    if (index == 1) randomMode_ = false;
}

void Tolvik::StirRandomSeed() {
    tolvik::StirRandomSeed(random_);
}

std::string AppNameFromPath(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

}  // namespace tolvik
