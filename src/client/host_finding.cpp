// Bringing the host of the last announced game into the window.
#include "client/transcript.h"
#include "window/tolvik.h"

namespace tolvik {

void Tolvik::FindHost() {
    LookForHost(true);
}

void Tolvik::FindHostQuietly() {
    LookForHost(false);
}

void Tolvik::LookForHost(bool warnWithoutLineBreak) {
    const std::string text = FetchTranscript(library_, kFindHostTimeout);
    if (unloaded_) return;  // closed while the client was asked
    const HostOutcome outcome = HostFromTranscript(text);
    // The tick takes a host only from a game it could enter.
    if (!warnWithoutLineBreak && !GameInSight(outcome)) return;
    ApplyHost(outcome, warnWithoutLineBreak);
}

void Tolvik::ApplyHost(const HostOutcome& outcome, bool warnWithoutLineBreak) {
    switch (outcome.kind) {
        case HostOutcome::Kind::NoAnnouncement:
            return;
        case HostOutcome::Kind::NoLineBreak:
            if (warnWithoutLineBreak) {
                view_.ShowMessage("No host found", "No 21 Host found", kStyleWarning);
                if (unloaded_) return;  // the session ended while the box was open
            }
            break;
        case HostOutcome::Kind::Name:
            hostName_ = outcome.name;
            break;
    }
    view_.SetHostText(hostName_.empty() ? "Host..." : hostName_);
}

void Tolvik::cmdGetHost_Click() {
    if (working_) {
        getHostPressed_ = true;
        return;
    }
    RunWork([this] { FindHost(); });
}

}  // namespace tolvik
