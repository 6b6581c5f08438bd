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
    ApplyHost(HostFromTranscript(FetchTranscript(library_, kFindHostTimeout)),
              warnWithoutLineBreak);
}

void Tolvik::ApplyHost(const HostOutcome& outcome, bool warnWithoutLineBreak) {
    switch (outcome.kind) {
        case HostOutcome::Kind::NoAnnouncement:
            return;
        case HostOutcome::Kind::NoLineBreak:
            if (warnWithoutLineBreak)
                view_.ShowMessage("No host found", "No 21 Host found", kStyleWarning);
            break;
        case HostOutcome::Kind::Name:
            hostName_ = outcome.name;
            break;
    }
    view_.SetHostText(hostName_.empty() ? "Host..." : hostName_);
}

void Tolvik::cmdGetHost_Click() {
    FindHost();
}

}  // namespace tolvik
