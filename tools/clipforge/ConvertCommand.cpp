#include "tools/clipforge/ConvertCommand.h"

#include <filesystem>
#include <fstream>
#include <system_error>

extern "C" {
#include <libavutil/log.h>
}

#include "tools/clipforge/convert/Converter.h"
#include "tools/clipforge/convert/OutputPlace.h"
#include "tools/clipforge/convert/Utf8Path.h"

namespace clipforge {

namespace fs = std::filesystem;

namespace {

// Writes `text` as the whole of `path`. False, with nothing left there, when
// any of it did not arrive: a full disk may take the file but not its bytes.
bool WriteWhole(const fs::path& path, const std::string& text) {
    std::error_code ec;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text;
        out.close();
        if (!out.fail() && fs::file_size(path, ec) == text.size() && !ec) return true;
    }
    fs::remove(path, ec);
    return false;
}

void LeaveReason(const CommandLine& command, const std::string& reason, const ConsoleWriter& console) {
    const std::string text = "ClipForge --convert " + command.input + " " + command.output + "\r\n" + reason + "\r\n";
    if (!command.output.empty() && WriteWhole(PathOf(LogNameFor(command.output)), text)) return;

    // The log cannot go beside the MP4: the user's temp folder takes it, and
    // the console shows it.
    std::string note;
    if (!command.output.empty())
        note = "The log could not be written in " + FolderOf(command.output) + ".\r\n";
    std::error_code ec;
    const fs::path name = command.output.empty() ? fs::path("ClipForge.log")
                                                 : PathOf(LogNameFor(command.output)).filename();
    const fs::path fallback = fs::temp_directory_path(ec) / name;
    if (!ec && WriteWhole(fallback, text + note))
        note += "The log is in " + Utf8Of(fallback) + ".\r\n";
    else
        note += "The log could not be written to the temp folder either.\r\n";
    if (console) console(text + note);
}

}  // namespace

std::string LogNameFor(const std::string& output) {
    return output + ".log";
}

std::string EditsLine(const std::string& applied, bool editFileIgnored) {
    return "Edits: " + (applied.empty() ? std::string("none") : applied) +
           (editFileIgnored ? " (the edit file is ignored: --no-edits)." : ".");
}

int RunConvertCommand(const CommandLine& command, const ConsoleWriter& console,
                      const settings::ConvertChoice& choice) {
    // The console may be the user's: FFmpeg's own notes (x264's statistics
    // at every end) stay off it, its errors do not.
    av_log_set_level(AV_LOG_ERROR);
    if (!command.error.empty()) {
        LeaveReason(command, command.error, console);
        return kExitUsage;
    }
    ConvertRequest request;
    request.input = command.input;
    request.output = command.output;
    request.overwrite = command.force;
    request.edits = command.noEdits ? editfile::RecordingEdits{} : ReadEditsOf(command.input);
    request.choice = choice;
    const ConvertResult result = ConvertRecording(request);
    const std::string edits = EditsLine(result.applied, command.noEdits);
    switch (result.status) {
    case ConvertStatus::Done: {
        std::error_code ec;
        fs::remove(PathOf(LogNameFor(command.output)), ec);  // an old failure's log no longer applies
        if (console) console(edits + "\r\n");
        return kExitDone;
    }
    case ConvertStatus::Partial:
        LeaveReason(command, result.message + "\r\n" + edits, console);
        return kExitPartial;
    case ConvertStatus::OutputExists:
        LeaveReason(command, result.message + " Add --force to replace it.", console);
        return kExitFailed;
    default:
        LeaveReason(command, result.message, console);
        return kExitFailed;
    }
}

}  // namespace clipforge
