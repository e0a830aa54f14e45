#include "tools/clipforge/ConvertCommand.h"

#include <filesystem>
#include <fstream>

#include "tools/clipforge/convert/Converter.h"

namespace clipforge {

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

void WriteLog(const std::string& output, const std::string& input, const std::string& text) {
    std::ofstream log(PathOf(LogNameFor(output)), std::ios::binary | std::ios::trunc);
    log << "ClipForge --convert " << input << " " << output << "\r\n" << text << "\r\n";
}

}  // namespace

std::string LogNameFor(const std::string& output) {
    return output + ".log";
}

int RunConvertCommand(const CommandLine& command) {
    if (!command.error.empty()) {
        if (!command.output.empty()) WriteLog(command.output, command.input, command.error);
        return kExitUsage;
    }
    ConvertRequest request;
    request.input = command.input;
    request.output = command.output;
    request.overwrite = command.force;
    const ConvertResult result = ConvertRecording(request);
    switch (result.status) {
    case ConvertStatus::Done: {
        std::error_code ec;
        fs::remove(PathOf(LogNameFor(command.output)), ec);  // an old failure's log no longer applies
        return kExitDone;
    }
    case ConvertStatus::Partial:
        WriteLog(command.output, command.input, result.message);
        return kExitPartial;
    case ConvertStatus::OutputExists:
        WriteLog(command.output, command.input, result.message + " Add --force to replace it.");
        return kExitFailed;
    default:
        WriteLog(command.output, command.input, result.message);
        return kExitFailed;
    }
}

}  // namespace clipforge
