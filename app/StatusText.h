// The main window's status line in plain words: how a recording ended and
// where it went when the output folder could not be used.
#pragma once

#include <string>
#include <vector>

#include "engine/RecordFailure.h"

// After a recording: "Ready" when it was stopped, else what stopped it;
// `folder` is where the file was being written.
std::string StoppedStatus(RecordFailure failure, const std::string& folder);

// A recording that goes to `folder` instead of the output folder.
std::string RedirectedStatus(bool recording, const std::string& folder);

// While recording without the audio engine: the call is not heard.
std::string NoEngineStatus();

// While automatic recording is on and nothing records: "Waiting for a call",
// or "Waiting for a call with a, b" when only some contacts are recorded.
std::string WaitingForCallStatus(const std::vector<std::string>& contacts);

// Automatic recording is on but cannot hear the far end.
std::string NoFarEndStatus();

// A call recording whose window is minimised: the last place stays recorded.
std::string MinimisedCallStatus();

// A setting (`what`: "Output folder", ...) could not be stored in
// `configFile` (a read-only program folder, a file another program holds): it
// holds only until the program ends.
std::string UnsavedSettingStatus(const std::string& what, const std::string& configFile);

// The folder part of a file's path ("" when there is none).
std::string FolderOf(const std::string& path);

// Whether two folder texts name the same folder: case and a trailing
// backslash do not count.
bool SameFolder(const std::string& a, const std::string& b);
