#include "tools/clipforge/convert/Converter.h"

#include <filesystem>
#include <system_error>

#include "tools/clipforge/convert/Mp4Writer.h"
#include "tools/clipforge/convert/RecordingReader.h"
#include "tools/clipforge/convert/Texts.h"

namespace clipforge {

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

bool Exists(const std::string& utf8) {
    std::error_code ec;
    return fs::exists(PathOf(utf8), ec);
}

// Feeds what the reader decodes to the writer and reports progress.
class Pipe : public DecodedSink {
public:
    Pipe(Mp4Writer& writer, const ConvertRequest& request, double total, AVRational timeBase)
        : m_writer(writer), m_request(request), m_total(total), m_timeBase(timeBase) {}

    bool Picture(AVFrame* frame) override {
        if (!m_writer.Picture(frame)) return false;
        if (m_request.progress && frame->pts != AV_NOPTS_VALUE)
            m_request.progress((frame->pts + 1) * av_q2d(m_timeBase), m_total);
        return true;
    }
    bool Sound(AVFrame* frame) override { return m_writer.Sound(frame); }

private:
    Mp4Writer& m_writer;
    const ConvertRequest& m_request;
    double m_total;
    AVRational m_timeBase;
};

ConvertResult Failed(ConvertStatus status, std::string message) {
    ConvertResult r;
    r.status = status;
    r.message = std::move(message);
    return r;
}

ConvertResult WriteFailure(int error) {
    if (error == AVERROR(ENOSPC))
        return Failed(ConvertStatus::DiskFull,
                      "The disk is full: the MP4 was not written. Free some space and convert again.");
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return Failed(ConvertStatus::WriteFailed, std::string("The MP4 could not be written (") + text + ").");
}

}  // namespace

std::string Mp4NameFor(const std::string& recording) {
    const size_t slash = recording.find_last_of("\\/");
    const size_t dot = recording.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? recording.substr(0, dot) : recording) + ".mp4";
}

std::string PartialNameFor(const std::string& output) {
    return output + ".part";
}

ConvertResult ConvertRecording(const ConvertRequest& request) {
    std::error_code ec;
    if (fs::equivalent(PathOf(request.input), PathOf(request.output), ec))
        return Failed(ConvertStatus::WriteFailed, "The MP4 would replace the recording itself.");
    if (!request.overwrite && Exists(request.output))
        return Failed(ConvertStatus::OutputExists, "The MP4 exists already.");

    RecordingReader reader;
    std::string error;
    if (!reader.Open(request.input, error)) {
        return Failed(Exists(request.input) ? ConvertStatus::NotARecording : ConvertStatus::ReadFailed,
                      Exists(request.input) ? error : "The recording cannot be opened.");
    }

    const std::string partial = PartialNameFor(request.output);
    ConvertResult result;
    {
        Mp4Writer writer;
        const AVCodecContext& video = reader.Video();
        PictureFormat picture{video.width, video.height, reader.VideoTimeBase(), reader.FrameRate()};
        if (!writer.Open(partial, picture, reader.HasSound(), error)) {
            fs::remove(PathOf(partial), ec);
            if (writer.Error() == AVERROR(ENOSPC)) return WriteFailure(writer.Error());
            return Failed(ConvertStatus::WriteFailed, error);
        }
        Pipe pipe(writer, request, reader.Seconds(), reader.VideoTimeBase());
        const RecordingReader::End end = reader.Run(pipe, request.cancel);
        if (end == RecordingReader::End::Cancelled) {
            result = Failed(ConvertStatus::Cancelled, "The conversion was cancelled.");
        } else if (end == RecordingReader::End::SinkStopped || !writer.Finish()) {
            result = WriteFailure(writer.Error());
        } else if (writer.Pictures() == 0) {
            result = Failed(ConvertStatus::NotARecording, "The recording holds no picture that could be read.");
        } else {
            result.status = reader.Damaged() ? ConvertStatus::Partial : ConvertStatus::Done;
            result.pictures = writer.Pictures();
            result.seconds = writer.Seconds();
            if (reader.CutOff())
                result.message = "The recording is cut off: converted what could be read, up to " +
                                 DurationText(result.seconds) + ".";
            else if (reader.Damaged())
                result.message = "The recording is damaged in places: " +
                                 std::to_string(reader.BadPackets()) +
                                 " pieces could not be read and are missing from the MP4.";
        }
    }  // the writer has closed the partial file

    if (result.status != ConvertStatus::Done && result.status != ConvertStatus::Partial) {
        fs::remove(PathOf(partial), ec);
        return result;
    }
    // Checked again: the MP4 may have appeared while this one was made.
    if (!request.overwrite && Exists(request.output)) {
        fs::remove(PathOf(partial), ec);
        return Failed(ConvertStatus::OutputExists, "The MP4 exists already.");
    }
    fs::rename(PathOf(partial), PathOf(request.output), ec);
    if (ec) {
        fs::remove(PathOf(partial), ec);
        return Failed(ConvertStatus::WriteFailed, "The finished MP4 could not be given its name.");
    }
    return result;
}

}  // namespace clipforge
