#include "tools/clipforge/convert/Converter.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "tools/clipforge/convert/EditPlan.h"
#include "tools/clipforge/convert/EditedPipe.h"
#include "tools/clipforge/convert/EncoderSettings.h"
#include "tools/clipforge/convert/Mp4Writer.h"
#include "tools/clipforge/convert/OutputPlace.h"
#include "tools/clipforge/convert/RecordingReader.h"
#include "tools/clipforge/convert/Texts.h"
#include "tools/clipforge/convert/Utf8Path.h"

namespace clipforge {

namespace fs = std::filesystem;

namespace {

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

// The MP4 under its temporary name: removed when this goes out of scope,
// unless it was given its final name. Whatever writes it must have closed it
// by then (Windows does not remove a file that is still open), so the writer
// lives and dies inside Encode, within this owner's lifetime.
class PartialFile {
public:
    explicit PartialFile(std::string path) : m_path(std::move(path)) {}
    ~PartialFile() {
        std::error_code ec;
        if (!m_path.empty()) fs::remove(PathOf(m_path), ec);
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    const std::string& Path() const { return m_path; }
    bool MoveTo(const std::string& output) {
        std::error_code ec;
        fs::rename(PathOf(m_path), PathOf(output), ec);
        if (!ec) m_path.clear();
        return !ec;
    }

private:
    std::string m_path;
};

ConvertResult Failed(ConvertStatus status, std::string message) {
    ConvertResult r;
    r.status = status;
    r.message = std::move(message);
    return r;
}

std::string ErrorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

ConvertResult DiskFull() {
    return Failed(ConvertStatus::DiskFull,
                  "The disk is full: the MP4 was not written. Free some space and convert again.");
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

ConvertResult SizeBeyondLimits(int width, int height) {
    return Failed(ConvertStatus::SizeRefused,
                  "The recording's pictures are " + SizeText(width, height) + ": ClipForge converts pictures from " +
                      SizeText(kMinPictureSide, kMinPictureSide) + " up to " +
                      SizeText(kMaxPictureSide, kMaxPictureSide) + ". The MP4 was not written.");
}

ConvertResult SizeRefusedByEncoder(int width, int height) {
    return Failed(ConvertStatus::SizeRefused, "The H.264 encoder could not take pictures of " + SizeText(width, height) +
                                                  " (too large for it or for the memory left): the MP4 was not written.");
}

// Asked while the partial file still holds its bytes: the volume then looks
// as it did when the write failed.
ConvertResult WriteFailure(int error, const std::string& output) {
    if (error == AVERROR(ENOSPC) || NoRoomLeft(output)) return DiskFull();
    if (error == AVERROR(ENOMEM))
        return Failed(ConvertStatus::WriteFailed, "The computer ran out of memory: the MP4 was not written.");
    return Failed(ConvertStatus::WriteFailed, "The MP4 could not be written (" + ErrorText(error) + ").");
}

ConvertResult CreateFailure(int error, const std::string& output) {
    const std::string problem = FolderProblem(output);
    if (!problem.empty()) return Failed(ConvertStatus::WriteFailed, problem + " The MP4 was not written.");
    if (error == AVERROR(ENOSPC) || NoRoomLeft(output)) return DiskFull();
    return Failed(ConvertStatus::WriteFailed, "The MP4 cannot be created in " + FolderOf(output) + " (" +
                                                  ErrorText(error) + "): the folder may be read-only.");
}

// Encodes the recording into `partial`, as `plan` says. The writer, and with
// it the open file, is gone when this returns.
ConvertResult Encode(RecordingReader& reader, const std::string& partial, const ConvertRequest& request,
                     const EditPlan& plan) {
    const AVCodecContext& video = reader.Video();
    Mp4Writer writer;
    PictureFormat picture{video.width, video.height, reader.VideoTimeBase(), reader.FrameRate()};
    if (plan.ChangesPicture()) {
        picture.width = plan.fit.outWidth;
        picture.height = plan.fit.outHeight;
    }
    switch (writer.Open(partial, picture, reader.HasSound(), BitRates{plan.videoKbps, plan.audioKbps})) {
    case Mp4Writer::Opened::Yes: break;
    case Mp4Writer::Opened::NoMuxer:
        return Failed(ConvertStatus::WriteFailed, "The MP4 writer is missing from this build.");
    case Mp4Writer::Opened::VideoRefused:
        if (writer.Error() == AVERROR_ENCODER_NOT_FOUND)
            return Failed(ConvertStatus::WriteFailed, "The H.264 encoder is missing from this build.");
        return SizeRefusedByEncoder(picture.width, picture.height);
    case Mp4Writer::Opened::AudioRefused:
        return Failed(ConvertStatus::WriteFailed, "The AAC encoder could not be started.");
    case Mp4Writer::Opened::NotCreated: return CreateFailure(writer.Error(), partial);
    case Mp4Writer::Opened::NotWritten: return WriteFailure(writer.Error(), partial);
    }

    // Without edits, what is decoded goes to the writer as it comes.
    Pipe plain(writer, request, reader.Seconds(), reader.VideoTimeBase());
    EditedPipe edited(writer, plan, request, plan.trim.KeptSeconds(reader.Seconds()), reader.HasSound());
    if (!plan.Plain() && !edited.Open())
        return Failed(ConvertStatus::WriteFailed, "The computer ran out of memory: the MP4 was not written.");
    DecodedSink& pipe = plan.Plain() ? static_cast<DecodedSink&>(plain) : edited;
    const RecordingReader::End end = reader.Run(pipe, request.cancel);
    if (end == RecordingReader::End::Cancelled) return Failed(ConvertStatus::Cancelled, "The conversion was cancelled.");
    if (end == RecordingReader::End::SinkStopped || !writer.Finish(request.cancel)) {
        if (writer.Error() == AVERROR_EXIT) return Failed(ConvertStatus::Cancelled, "The conversion was cancelled.");
        if (writer.VideoEncoderFailed()) return SizeRefusedByEncoder(picture.width, picture.height);
        return WriteFailure(writer.Error(), partial);
    }
    if (writer.Pictures() == 0)
        return Failed(ConvertStatus::NotARecording, "The recording holds no picture that could be read.");

    ConvertResult result;
    result.applied = DescribeEdits(plan);
    result.status = reader.Damaged() ? ConvertStatus::Partial : ConvertStatus::Done;
    result.pictures = writer.Pictures();
    result.seconds = writer.Seconds();
    if (reader.CutOff())
        result.message = "The recording is cut off: converted what could be read, up to " +
                         DurationText(result.seconds) + ".";
    else if (reader.Damaged())
        result.message = "The recording is damaged in places: " + std::to_string(reader.BadPackets()) +
                         " pieces could not be read and are missing from the MP4.";
    return result;
}

}  // namespace

editfile::RecordingEdits ReadEditsOf(const std::string& path) {
    // Read here rather than by editfile::Read: the name may lie outside the code page.
    std::ifstream in(PathOf(editfile::PathFor(path)), std::ios::binary);
    if (!in) return {};
    std::vector<char> bytes(64 * 1024);
    in.read(bytes.data(), std::streamsize(bytes.size()));
    return editfile::Parse(std::string_view(bytes.data(), size_t(in.gcount())));
}

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
    const bool opened = reader.Open(request.input, error);
    // Told before anything else: FFmpeg itself drops sizes far beyond ours,
    // and the reader would then find no pictures at all.
    const int width = reader.DeclaredWidth(), height = reader.DeclaredHeight();
    if ((width != 0 || height != 0) && !WithinPictureLimits(width, height)) return SizeBeyondLimits(width, height);
    if (!opened) {
        return Failed(Exists(request.input) ? ConvertStatus::NotARecording : ConvertStatus::ReadFailed,
                      Exists(request.input) ? error : "The recording cannot be opened.");
    }

    const EditPlan plan = PlanEdits(request.edits, request.choice, reader.Video().width, reader.Video().height,
                                    reader.VideoTimeBase());
    if (plan.trim.Trims() && reader.Seconds() > 0 && plan.trim.KeptSeconds(reader.Seconds()) <= 0)
        return Failed(ConvertStatus::NothingKept, "The trim starts at " + DurationText(plan.edits.trimStartMs / 1000.0) +
                                                      ", at or after the recording's end (" +
                                                      DurationText(reader.Seconds()) + "): there is nothing to convert.");
    PartialFile partial(PartialNameFor(request.output));
    const ConvertResult result = Encode(reader, partial.Path(), request, plan);
    if (result.status != ConvertStatus::Done && result.status != ConvertStatus::Partial) return result;
    // Checked again: the MP4 may have appeared while this one was made.
    if (!request.overwrite && Exists(request.output))
        return Failed(ConvertStatus::OutputExists, "The MP4 exists already.");
    if (!partial.MoveTo(request.output))
        return Failed(ConvertStatus::WriteFailed, "The finished MP4 could not be given its name.");
    return result;
}

}  // namespace clipforge
