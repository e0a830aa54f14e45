#include "app/StatusText.h"

#include <algorithm>
#include <cctype>

#include "engine/AutoRecordSettings.h"

namespace {

constexpr const char* kStopped = "Recording stopped: ";

std::string Normalised(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    std::transform(folder.begin(), folder.end(), folder.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folder;
}

}  // namespace

std::string StoppedStatus(RecordFailure failure, const std::string& folder) {
    switch (failure) {
        case RecordFailure::None:
            return "Ready";
        case RecordFailure::DiskFull:
            return std::string(kStopped) + "the disk is full";
        case RecordFailure::WriteFailed:
            return std::string(kStopped) + "could not write to " + folder;
        case RecordFailure::OutOfMemory:
            return std::string(kStopped) + "not enough memory";
        case RecordFailure::NoFileName:
            return std::string(kStopped) + "no new file could be made in " + folder;
        case RecordFailure::EncoderFailed:
            return std::string(kStopped) + "the video encoder failed";
        case RecordFailure::AreaTooSmall:
            return std::string(kStopped) + "the area is too small to record";
    }
    return kStopped;
}

std::string RedirectedStatus(bool recording, const std::string& folder) {
    return (recording ? "Recording to " : "Saved in ") + folder +
           ": the output folder cannot be used";
}

std::string NoEngineStatus() {
    return "Recording, but the audio engine could not be started";
}

std::string WaitingForCallStatus(const std::vector<std::string>& contacts) {
    return contacts.empty() ? "Waiting for a call"
                            : "Waiting for a call with " + autorec::JoinContacts(contacts);
}

std::string NoFarEndStatus() {
    return "Calls are not recorded automatically: the virtual audio device cannot be heard";
}

std::string MinimisedCallStatus() {
    return "Recording: the call window is minimised, its last place is recorded";
}

std::string UnsavedSettingStatus(const std::string& what, const std::string& configFile) {
    return what + " not saved: cannot write " + configFile;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool SameFolder(const std::string& a, const std::string& b) {
    return Normalised(a) == Normalised(b);
}
